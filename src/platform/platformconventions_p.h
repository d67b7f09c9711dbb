#ifndef ORVO_PLATFORMCONVENTIONS_P_H
#define ORVO_PLATFORMCONVENTIONS_P_H

#include "orvopublicdata_export.h"

#include <QString>

namespace OrvoKiv {
namespace Platform {

// Locations and names that differ between the Windows and the Linux build. Both sets are
// available on every platform so the path logic of the Windows build is testable on Linux.
struct ORVOPUBLICDATA_EXPORT Conventions
{
    // Machine-wide data folder, with its trailing separator.
    QString machineDataDir;
    // Appended to a program's base name to form its file name.
    QString executableSuffix;
    // Appended by the registry lookups to a folder that ends in neither "\" nor "/".
    QChar registrySeparator;
    // Backslashes separate path components and "X:" starts an absolute path.
    bool windowsPaths = false;
    // The Kylin desktop scan: the desktop-entry folder (listed with its trailing "/") and the two
    // folders searched for icons. The same on both sets; tests point them at fixtures.
    QString desktopEntryDir = QStringLiteral("/usr/share/applications/");
    QString iconThemeDir = QStringLiteral("/usr/share/icons");
    QString pixmapDir = QStringLiteral("/usr/share/pixmaps");

    static Conventions windows();
    // Reads $ORVO_PROGRAMDATA, else the XDG data home.
    static Conventions posix();
};

} // namespace Platform
} // namespace OrvoKiv

#endif
