#ifndef ORVO_DESKTOPENTRY_P_H
#define ORVO_DESKTOPENTRY_P_H

#include "orvopublicdata_export.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace OrvoKiv {

// Reads a desktop entry the way the Kylin scan does: plain substring tests over the file and over
// its trimmed lines, no sections, no keys, no locales. Takes the file's bytes and starts nothing,
// so hostile files can be fed to it directly.
class ORVOPUBLICDATA_EXPORT DesktopEntry
{
public:
    // The first pass, in the order the tests are tried.
    enum class Selection { Kept, NoDisplay, Terminal, NotApplication, NoCategories };
    static Selection select(const QByteArray &content);
    // Why select() dropped an entry, for --explain; empty for Kept.
    static QString selectionRule(Selection selection);

    struct Fields
    {
        QString appName; // also the record's enName
        QString name;
        QString appPath; // as read, before the special programs
        QStringList icons; // every "Icon=" value read, in order: each is searched, the last one wins
        QString excludedWord; // the category word that dropped the entry
        int stopLine = 0;     // 1-based line at which reading stopped; 0: read to the end
    };
    // The second pass.
    static Fields parse(const QByteArray &content);

    // The text after the last "=" of a trimmed line, or the whole line.
    static QString lineValue(const QString &line);
    // Special programs whose launch command is fixed: the command, or empty.
    static QString specialProgram(const QString &appPath);
};

} // namespace OrvoKiv

#endif
