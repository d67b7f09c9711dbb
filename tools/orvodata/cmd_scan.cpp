#include "command.h"

#include <orvoappinfo.h>

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvodata {

int runScan(const QStringList &arguments)
{
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
    // Finite, positive and within what a timer takes in milliseconds: "1e10", "inf" and "nan"
    // would overflow the conversion.
    if (!ok || !std::isfinite(seconds) || seconds <= 0 || seconds * 1000 > std::numeric_limits<int>::max())
        return fail(Usage, QStringLiteral("scan: --timeout takes a positive number of seconds up to %1")
                               .arg(std::numeric_limits<int>::max() / 1000));

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
    QTimer::singleShot(std::max(1, int(seconds * 1000)), qApp, &QCoreApplication::quit);
    catalogue->appInstallInWinSystem();
    QCoreApplication::exec();
    // Quitting asked the scan to stop and waited for it, so leaving now is safe.
    if (exitCode != Success)
        return fail(Failure, QStringLiteral("scan: no answer within %1 s").arg(seconds));
    return Success;
}

} // namespace orvodata
