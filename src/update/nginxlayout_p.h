#ifndef ORVO_NGINXLAYOUT_P_H
#define ORVO_NGINXLAYOUT_P_H

#include "orvopublicdata_export.h"
#include "platformconventions_p.h"

#include <QString>

namespace OrvoKiv {
namespace Update {

// Where the local web server, its installer and the content editor live. Machine-wide paths
// take the platform's separators ("C:\ProgramData\Tesvari\OrvoUpdateService\..." on Windows);
// the application's own ones are Qt's forward-slash form.
struct ORVOPUBLICDATA_EXPORT NginxLayout
{
    QString serviceDir;       // the update-service folder, with its trailing separator
    QString nginxExecutable;
    QString contentEditorDir; // in the server's update folder
    QString editorMarker;     // editor/index.html in the content-editor folder
    QString shippedServer;    // the application root + "/OrvoUpdateService/"
    QString shippedEditor;    // the application root + "/contentEditor"
    QString installer;        // in the parent of the application root, ".." resolved

    // From the backend in effect: its conventions and the application root directory.
    static NginxLayout current();
    static NginxLayout of(const Platform::Conventions &conventions, const QString &appRootDir);
};

} // namespace Update
} // namespace OrvoKiv

#endif
