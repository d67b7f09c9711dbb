// A host that quits while its first scan runs: scan_quitter DELAY_MS. The machine comes from
// ORVO_COMMON_PROGRAMS, ORVO_REGISTRY and HOME. Exits 3 when the scan thread outlives the
// application object, the moment after which the process tears down what the scan uses.
#include "orvoappinfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QThread>
#include <QTimer>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QtMessageHandler quiet = [](QtMsgType, const QMessageLogContext &, const QString &) {};
    qInstallMessageHandler(quiet);
    OrvoAppInfo::getInstance()->appInstallInWinSystem();
    QTimer::singleShot(app.arguments().value(1).toInt(), &app, &QCoreApplication::quit);
    const int code = app.exec();
    // A finished thread leaves the task list a moment after wait() returns.
    for (int poll = 0; poll < 20; ++poll) {
        if (QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size() == 1)
            return code;
        QThread::msleep(5);
    }
    return 3;
}
