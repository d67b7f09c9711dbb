#include "command.h"

#include <orvoappinfo.h>

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QTimer>

namespace orvodata {

int runDesktopScan(const QStringList &arguments);

int runScan(const QStringList &arguments)
{
    if (arguments.contains(QLatin1String("--desktop")))
        return runDesktopScan(arguments);
    Arguments args(QStringLiteral("scan"),
                   QStringLiteral("Lists the programs installed besides the suite's own, from the Start-menu and\n"
                                  "desktop shortcuts and the uninstall keys, as the launcher receives them.\n"
                                  "On Linux: the uninstall keys of the registry exports, the all-users Start menu\n"
                                  "of $ORVO_COMMON_PROGRAMS (default: the environment's startmenu/, symbolic links\n"
                                  "named *.lnk), and relative program paths resolved from the environment folder."));
    const QCommandLineOption timeout(QStringLiteral("timeout"), QStringLiteral("Give up after SECONDS (default 60)."),
                                     QStringLiteral("SECONDS"), QStringLiteral("60"));
    args.addOption(timeout);
    if (const int code = args.parse(arguments); code >= 0)
        return code;
    bool ok = false;
    const double seconds = args.value(QStringLiteral("timeout")).toDouble(&ok);
    if (!ok || seconds <= 0)
        return fail(Usage, QStringLiteral("scan: --timeout takes a positive number of seconds"));

    const QString envDir = QDir::searchPaths(QStringLiteral("envDir")).value(0);
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("ORVO_COMMON_PROGRAMS"))
        qputenv("ORVO_COMMON_PROGRAMS", QFile::encodeName(envDir + QStringLiteral("startmenu")));
    QDir::setCurrent(envDir);
#endif

    OrvoAppInfo *catalogue = OrvoAppInfo::getInstance();
    int exitCode = Failure;
    QObject::connect(catalogue, &OrvoAppInfo::signalWinAppsData, qApp, [&exitCode](const QJsonArray &programs) {
        printJson(programs);
        exitCode = Success;
        QCoreApplication::quit();
    });
    QTimer::singleShot(int(seconds * 1000), qApp, &QCoreApplication::quit);
    catalogue->appInstallInWinSystem();
    QCoreApplication::exec();
    if (exitCode != Success)
        return fail(Failure, QStringLiteral("scan: no answer within %1 s").arg(seconds));
    return Success;
}

} // namespace orvodata
