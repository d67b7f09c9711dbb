#include "orvoappinfo.h"

#include "zrwinappsearchthread.h"

#include <QCoreApplication>

namespace {

constexpr unsigned long quitWaitMs = 3000;

} // namespace

void OrvoAppInfo::appInstallInWinSystem()
{
    if (!m_searchThread) {
        m_searchThread = new ZRWinAppSearchThread();
        // The thread emits on the scan thread; the catalogue re-emits on its own thread.
        connect(m_searchThread, &ZRWinAppSearchThread::signalWinAppsData, this, &OrvoAppInfo::signalWinAppsData,
                Qt::AutoConnection);
        // The thread lives for the process, but its scan must not outlast the application: it
        // would walk folders while the statics it uses are torn down. The scan checks for the
        // request between folders and registry keys, milliseconds apart.
        if (QCoreApplication *app = QCoreApplication::instance()) {
            ZRWinAppSearchThread *thread = m_searchThread;
            connect(app, &QCoreApplication::aboutToQuit, thread, [thread] {
                thread->requestInterruption();
                thread->wait(quitWaitMs);
            }, Qt::DirectConnection);
        }
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
