#include "orvoappinfo.h"

#include "zrwinappsearchthread.h"

void OrvoAppInfo::appInstallInWinSystem()
{
    if (!m_searchThread) {
        m_searchThread = new ZRWinAppSearchThread();
        // The thread emits on the scan thread; the catalogue re-emits on its own thread.
        connect(m_searchThread, &ZRWinAppSearchThread::signalWinAppsData, this, &OrvoAppInfo::signalWinAppsData,
                Qt::AutoConnection);
    }
    if (!m_searchThread->isRunning())
        m_searchThread->start(QThread::InheritPriority);
}

QJsonArray OrvoAppInfo::getLocalAppsInfo()
{
    if (m_localApps.isEmpty())
        appInstallInWinSystem();
    return m_localApps;
}
