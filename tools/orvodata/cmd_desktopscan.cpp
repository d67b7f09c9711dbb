#include "command.h"

#include "kylinappscan_p.h"
#include "lookuptrace_p.h"

#include <zrwinapputils.h>

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>

namespace orvodata {

// `scan --desktop`: the Kylin build's scan of the desktop entries.
int runDesktopScan(const QStringList &arguments)
{
    Arguments args(QStringLiteral("scan"),
                   QStringLiteral("--desktop: lists the desktop applications as the Kylin build's launcher gets them\n"
                                  "(the entries of /usr/share/applications/, icons from /usr/share/icons and\n"
                                  "/usr/share/pixmaps), copying each icon into the image folder."));
    const QCommandLineOption desktop(QStringLiteral("desktop"), QStringLiteral("Scan the desktop entries."));
    const QCommandLineOption imageDir(QStringLiteral("image-dir"),
                                      QStringLiteral("Image folder (\"globalUserAppImage\"); default: the\n"
                                                     "application's appImage folder in its data folder."),
                                      QStringLiteral("DIR"));
    const QCommandLineOption explain(QStringLiteral("explain"),
                                     QStringLiteral("For each desktop entry: kept or dropped, and by which rule;\n"
                                                    "the icon searches and copies."));
    args.addOption(desktop);
    args.addOption(imageDir);
    args.addOption(explain);
    if (const int code = args.parse(arguments); code >= 0)
        return code;

    if (args.isSet(QStringLiteral("image-dir"))) {
        QString folder = QDir(args.value(QStringLiteral("image-dir"))).absolutePath();
        if (!QDir().mkpath(folder))
            return fail(Failure, QStringLiteral("scan: cannot create the image folder \"%1\"").arg(folder));
        if (!folder.endsWith(QLatin1Char('/')))
            folder += QLatin1Char('/');
        qApp->setProperty("globalUserAppImage", folder);
    }

    OrvoKiv::LookupTrace trace;
    const QJsonArray apps = ZRWinAppUtils::linuxKylinAppLinks();
    const QString folder = OrvoKiv::kylinAppImageFolder();
    if (args.isSet(QStringLiteral("explain"))) {
        for (const QString &line : trace.takeLines())
            printLine(line);
        printLine(QStringLiteral("%1 application(s); icons in %2").arg(apps.size()).arg(folder));
        return Success;
    }
    printJson(QJsonObject{{QStringLiteral("imageFolder"), folder}, {QStringLiteral("apps"), apps}});
    return Success;
}

} // namespace orvodata
