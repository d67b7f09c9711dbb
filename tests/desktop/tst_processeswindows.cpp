// Processes, windows and the machine identity.
#include "fakebackend.h"
#include "machineidentity_p.h"
#include "tsvrows.h"
#include "windows_p.h"

#include <zrcommonutils.h>

#include <QSettings>
#include <QtTest>

using namespace OrvoKiv::Platform;
using OrvoKiv::Desktop::NetworkInterfaceEntry;

namespace {

QSettings privateSettings()
{
    return QSettings(ZRCommonUtils::getPirvateConfigFile(), QSettings::IniFormat);
}

} // namespace

class tst_ProcessesWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("Tesvari"));
        QCoreApplication::setApplicationName(QStringLiteral("IdentityTest"));
        QFile::remove(ZRCommonUtils::getPirvateConfigFile());
    }

    void processesAndWindows()
    {
        FakeBackend platform;
        platform.processes = QList<ProcessInfo>{{4, "System"}, {300, "OrvoKiv6.exe"}, {120, "OrvoKiv6.exe"}};
        platform.startsForReal = false;
        platform.runs.insert("tasklist", {true, true, -1, "Image Name  PID\r\n"}); // timed out, yet its output is the answer
        ScopedBackendOverride scope(platform);
        QCOMPARE(ZRCommonUtils::GetProcessIDByName("OrvoKiv6.exe"), 300ul); // snapshot order, not id order
        QCOMPARE(ZRCommonUtils::GetProcessIDByName("orvokiv6.exe"), 0ul);
        QCOMPARE(ZRCommonUtils::GetProcessIDByName("OrvoKiv6"), 0ul);

        QCOMPARE(ZRCommonUtils::getRunningProcesses(), QStringLiteral("Image Name  PID\r\n"));
        platform.platformConventions = Conventions::posix();
        ZRCommonUtils::getRunningProcesses();
        QCOMPARE(platform.calls, (QStringList{"run tasklist|~30000", "run ps|-e|~30000"}));

        // handle, pid, visible, hasParent; top of the z-order first. Process 9 has only hidden or
        // child windows.
        platform.windows = {{11, 7, false, false}, {12, 7, true, true}, {13, 8, true, false}, {14, 7, true, false},
                            {15, 7, true, false}, {16, 9, false, false}, {17, 9, true, true}};
        QCOMPARE(reinterpret_cast<quintptr>(ZRCommonUtils::hGetProcessWnd(7)), quintptr(14));
        QVERIFY(!ZRCommonUtils::hGetProcessWnd(9));

        ZRCommonUtils::autoHideTraywndBar(true);
        ZRCommonUtils::autoHideTraywndBar(false);
        // ABS_AUTOHIDE, then ABS_ALWAYSONTOP: always on top whatever the setting was.
        QCOMPARE(platform.taskbarStates, (QList<int>{1, 2}));
    }

    void fullscreen_data()
    {
        addTsvRows(QStringLiteral("desktop/fullscreen.tsv"), {"case", "handle", "rect", "zoomed", "image", "expected", "logged"});
    }

    void fullscreen()
    {
        const QStringList r = tsvField("rect").split(QLatin1Char(' '));
        const QString path = tsvField("image");
        FakeBackend platform;
        platform.foreground = {quintptr(tsvField("handle").toULongLong()), 1, 2, {r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt()},
                               {0, 0, 1920, 1080}, tsvYes("zoomed"), false, 100};
        platform.images.insert(100, {path.isEmpty() ? ProcessImage::CannotOpen : ProcessImage::Found, path});
        ScopedBackendOverride scope(platform);
        if (tsvYes("logged")) // Qt's quoting doubles the backslashes
            QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("ZRCloudUtils::checkFullscreenExist-file:  \"%1\"")
                                                           .arg(QString(path).replace("\\", "\\\\"))));
        QCOMPARE(ZRCommonUtils::checkFullscreenExist(), tsvYes("expected"));
    }

    void swapMouseButton()
    {
        FakeBackend platform; // not swapped: the probe's own swap is undone
        QVERIFY(!OrvoKiv::Desktop::probeMouseButtonSwap(platform));
        QVERIFY(!platform.buttonsSwapped);
        platform.buttonsSwapped = true;
        ScopedBackendOverride scope(platform);
        QVERIFY(ZRCommonUtils::isSwapMouseButton());
        platform.buttonsSwapped = false; // changed by the user meanwhile: the first answer holds
        QVERIFY(ZRCommonUtils::isSwapMouseButton());
        QCOMPARE(platform.swapCalls, 3);
    }

    void hardwareAddress()
    {
        using F = QNetworkInterface;
        QList<NetworkInterfaceEntry> interfaces{{"00:00:00:00:00:00", F::IsUp | F::IsRunning | F::IsLoopBack},
                                                {"00:1A:2B:3C:4D:01", F::IsUp}, {"00:1A:2B:3C:4D:02", F::IsRunning}};
        const auto logged = [&](int count) { // every address up to the answer, in list order
            for (int i = 0; i < count; ++i)
                QTest::ignoreMessage(QtDebugMsg, qPrintable(QLatin1Char('"') + interfaces.at(i).hardwareAddress + QLatin1Char('"')));
        };
        logged(3);
        QCOMPARE(OrvoKiv::Desktop::firstActiveHardwareAddress(interfaces), QString());
        interfaces << NetworkInterfaceEntry{"00:1A:2B:3C:4D:5E", F::IsUp | F::IsRunning}
                   << NetworkInterfaceEntry{"00:1A:2B:3C:4D:5F", F::IsUp | F::IsRunning | F::CanBroadcast};
        logged(4);
        QCOMPARE(OrvoKiv::Desktop::firstActiveHardwareAddress(interfaces), QStringLiteral("00:1A:2B:3C:4D:5E"));
    }

    void createdOnFirstDemand()
    {
        const QString uid = ZRCommonUtils::getPcUid();
        const QString stored = privateSettings().value(QStringLiteral("startup/puid")).toString();
        QCOMPARE(QUuid(stored).toString(), stored); // a braced identifier, written by the first call
        QCOMPARE(ZRCommonUtils::getPcGUID(), QUuid(stored).toString(QUuid::Id128));
        QCOMPARE(ZRCommonUtils::getPcUid(), uid);
    }

    void storedIdentifier_data() { addTsvRows(QStringLiteral("desktop/puid.tsv"), {"stored", "guid", "uid"}); }

    void storedIdentifier()
    {
        const QString stored = tsvField("stored");
        privateSettings().setValue(QStringLiteral("startup/puid"), stored);
        QTEST(ZRCommonUtils::getPcGUID(), "guid");
        QTEST(ZRCommonUtils::getPcUid(), "uid");
        QCOMPARE(privateSettings().value(QStringLiteral("startup/puid")).toString(), stored);
    }
};

QTEST_GUILESS_MAIN(tst_ProcessesWindows)
#include "tst_processeswindows.moc"
