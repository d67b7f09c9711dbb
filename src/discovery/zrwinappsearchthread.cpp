#include "zrwinappsearchthread.h"

#include "orvolog_p.h"
#include "zrwinapputils.h"

ZRWinAppSearchThread::ZRWinAppSearchThread(QObject *parent)
    : QThread(parent)
{
}

ZRWinAppSearchThread::~ZRWinAppSearchThread()
{
    orvoDebug() << "ZRWinAppSearchThread::~ZRWinAppSearchThread";
}

void ZRWinAppSearchThread::run()
{
    // Shared by every instance; only one scan runs at a time, so no lock.
    static QJsonArray cache;
    if (cache.isEmpty()) {
        const QJsonArray programs = ZRWinAppUtils::appInstallInSystem();
        if (isInterruptionRequested()) // cut short: neither a result nor a reason to scan again
            return;
        cache = programs;
    }
    Q_EMIT signalWinAppsData(cache);
}
