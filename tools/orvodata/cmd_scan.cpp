#include "command.h"

#include "lookuptrace_p.h"

#include <orvoappinfo.h>
#include <zrwinapputils.h>

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <limits>

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
    const QCommandLineOption explain(QStringLiteral("explain"),
                                     QStringLiteral("Scan on this thread and say, for each uninstall key, shortcut and registry\n"
                                                    "entry, why it was kept, merged or dropped (no --timeout)."));
    args.addOption(timeout);
    args.addOption(explain);
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
    if (args.isSet(QStringLiteral("explain"))) {
        // The trace is per thread, so this scan runs here rather than on the scan thread.
        OrvoKiv::LookupTrace trace;
        const QJsonArray programs = ZRWinAppUtils::appInstallInSystem();
        printJson(QJsonObject{{QStringLiteral("explain"), QJsonArray::fromStringList(trace.takeLines())},
                              {QStringLiteral("programs"), programs}});
        return Success;
    }
    int exitCode = Failure;
    QObject::connect(catalogue, &OrvoAppInfo::signalWinAppsData, QCoreApplication::instance(), [&exitCode](const QJsonArray &programs) {
        printJson(programs);
        exitCode = Success;
        QCoreApplication::quit();
    });
    QTimer::singleShot(std::max(1, int(seconds * 1000)), QCoreApplication::instance(), &QCoreApplication::quit);
    catalogue->appInstallInWinSystem();
    QCoreApplication::exec();
    // Quitting asked the scan to stop and waited for it, so leaving now is safe.
    if (exitCode != Success)
        return fail(Failure, QStringLiteral("scan: no answer within %1 s").arg(seconds));
    return Success;
}

} // namespace orvodata
