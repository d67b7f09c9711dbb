#include "fakebackend.h"
#include "orvoappinfo.h"
#include "scanmachine.h"
#include "zrwinappsearchthread.h"

#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>

#include <atomic>

namespace {

// Counts the uninstall-key listings (four per scan) and can hold a scan at its first listing.
struct GatedBackend : FakeBackend
{
    mutable std::atomic<int> listings{0};
    mutable QSemaphore gate{0};
    std::atomic<bool> gated{false};

    QStringList registrySubKeys(const QString &key, OrvoKiv::Platform::RegistryView view) const override
    {
        ++listings;
        if (gated)
            gate.acquire();
        return FakeBackend::registrySubKeys(key, view);
    }
};

} // namespace

// The test functions run in order on one catalogue: its scan thread and cache carry over.
class tst_ScanRequests : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_machine.setUp());
        m_backend.platformConventions = OrvoKiv::Platform::Conventions::posix();
        m_backend.commonPrograms = m_machine.commonStartMenu();
    }

    // Before any scan has found a program the cache stays empty, so each request scans again.
    void emptyScansRunAgain()
    {
        QSignalSpy spy(m_catalogue, &OrvoAppInfo::signalWinAppsData);
        QCOMPARE(m_catalogue->getLocalAppsInfo(), QJsonArray()); // starts the scan, returns the empty cache
        QTRY_COMPARE(spy.count(), 1);
        m_catalogue->appInstallInWinSystem();
        QTRY_COMPARE(spy.count(), 2);
        QCOMPARE(m_backend.listings.load(), 2 * 4);
        QCOMPARE(spy.at(1).at(0).value<QJsonArray>(), QJsonArray());
    }

    // Requests during a scan share its one signal; later ones replay the cache without scanning,
    // delivered from the event loop.
    void oneScanThenTheCache()
    {
        QVERIFY(m_machine.installShortcuts({QStringLiteral("Alpha"), QStringLiteral("Beta")}));
        QSignalSpy spy(m_catalogue, &OrvoAppInfo::signalWinAppsData);
        const int before = m_backend.listings;

        m_backend.gated = true;
        m_catalogue->appInstallInWinSystem();
        QTRY_COMPARE(m_backend.listings.load(), before + 1); // the scan is held at its first listing
        m_catalogue->appInstallInWinSystem();
        QVERIFY(m_catalogue->getLocalAppsInfo().isEmpty());
        m_backend.gated = false;
        m_backend.gate.release(4);
        QTRY_COMPARE(spy.count(), 1);
        QTest::qWait(100); // a second run would emit again by now
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<QJsonArray>().size(), 2);

        m_machine.clear(); // a new scan would find nothing now
        m_catalogue->appInstallInWinSystem();
        QThread::msleep(300); // a thread would have emitted by now, but nothing delivers it
        QCOMPARE(spy.count(), 1);
        QTRY_COMPARE(spy.count(), 2);
        QCOMPARE(m_backend.listings.load(), before + 4);
        QCOMPARE(spy.at(1).at(0).value<QJsonArray>().size(), 2);
    }

    void finishedThreadSaysGoodbye()
    {
        auto *thread = new ZRWinAppSearchThread();
        QSignalSpy spy(thread, &ZRWinAppSearchThread::signalWinAppsData);
        thread->start();
        QVERIFY(thread->wait(10000));
        QCOMPARE(spy.count(), 1); // QSignalSpy records on the emitting thread
        QTest::ignoreMessage(QtDebugMsg, "ZRWinAppSearchThread::~ZRWinAppSearchThread");
        delete thread;
    }

private:
    ScanMachine m_machine;
    GatedBackend m_backend;
    const OrvoKiv::Platform::ScopedBackendOverride m_override{m_backend};
    OrvoAppInfo *const m_catalogue = OrvoAppInfo::getInstance();
};

QTEST_GUILESS_MAIN(tst_ScanRequests)
#include "tst_scanrequests.moc"
