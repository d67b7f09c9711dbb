// Processes, windows and the machine identity.
#include "fakebackend.h"
#include "machineidentity_p.h"
#include "windows_p.h"

#include <zrcommonutils.h>

#include <QSettings>
#include <QtTest>

using namespace OrvoKiv::Platform;
using OrvoKiv::Desktop::NetworkInterfaceEntry;

Q_DECLARE_METATYPE(ForegroundWindow)
Q_DECLARE_METATYPE(ProcessImage)
Q_DECLARE_METATYPE(QList<NetworkInterfaceEntry>)

namespace {

struct DesktopBackend : FakeBackend
{
    QList<ProcessInfo> processes;
    mutable QStringList started; // program, arguments and time limit of each runProcess
    QList<ProcessInfo> runningProcesses() const override { return processes; }
    ProcessResult runProcess(const QString &program, const QStringList &arguments, int timeout,
                             const QString &) const override
    {
        started.append((QStringList(program) + arguments << QString::number(timeout)).join(QLatin1Char('|')));
        return {true, true, -1, "Image Name  PID\r\n"}; // timed out, yet its output is the answer
    }
};

QSettings privateSettings()
{
    return QSettings(ZRCommonUtils::getPirvateConfigFile(), QSettings::IniFormat);
}

} // namespace

class tst_ProcessesWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void processesAndWindows();
    void fullscreen_data();
    void fullscreen();
    void swapMouseButton();
    void hardwareAddress_data();
    void hardwareAddress();
    void createdOnFirstDemand();
    void storedIdentifier_data();
    void storedIdentifier();
};

void tst_ProcessesWindows::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("Tesvari"));
    QCoreApplication::setApplicationName(QStringLiteral("IdentityTest"));
    QFile::remove(ZRCommonUtils::getPirvateConfigFile());
}

void tst_ProcessesWindows::processesAndWindows()
{
    DesktopBackend platform;
    platform.processes = {{4, "System"}, {300, "OrvoKiv6.exe"}, {120, "OrvoKiv6.exe"}};
    ScopedBackendOverride scope(platform);
    QCOMPARE(ZRCommonUtils::GetProcessIDByName("OrvoKiv6.exe"), 300ul); // snapshot order, not id order
    QCOMPARE(ZRCommonUtils::GetProcessIDByName("orvokiv6.exe"), 0ul);
    QCOMPARE(ZRCommonUtils::GetProcessIDByName("OrvoKiv6"), 0ul);

    QCOMPARE(ZRCommonUtils::getRunningProcesses(), QStringLiteral("Image Name  PID\r\n"));
    platform.platformConventions = Conventions::posix();
    ZRCommonUtils::getRunningProcesses();
    QCOMPARE(platform.started, (QStringList{"tasklist|30000", "ps|-e|30000"}));

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

void tst_ProcessesWindows::fullscreen_data()
{
    QTest::addColumn<ForegroundWindow>("foreground");
    QTest::addColumn<ProcessImage>("image");
    QTest::addColumn<bool>("expected");
    QTest::addColumn<bool>("logged"); // the image path

    const WindowRect screen{0, 0, 1920, 1080};
    const auto front = [&](WindowRect rect, bool zoomed = false, quintptr handle = 10) {
        return ForegroundWindow{handle, 1, 2, rect, screen, zoomed, false, 100};
    };
    const auto found = [](const char *path) { return ProcessImage{ProcessImage::Found, path}; };
    const ProcessImage suite = found("C:\\Program Files\\Orvo\\OrvoKiv6.exe"), player = found("C:\\Games\\player.exe");

    QTest::newRow("desktop in front") << front(screen, false, 1) << player << false << false;
    QTest::newRow("shell window in front") << front(screen, false, 2) << player << false << false;
    QTest::newRow("the suite full-screen") << front(screen) << suite << false << true;
    QTest::newRow("another program beyond the edges") << front({-8, -8, 1928, 1088}) << player << true << true;
    QTest::newRow("the suite's name in other case") << front(screen) << found("C:\\orvokiv6.exe") << true << true;
    QTest::newRow("the suite maximised, not covering") << front({0, 0, 1920, 1040}, true) << suite << true << false;
    QTest::newRow("one pixel short") << front({0, 0, 1919, 1080}) << player << false << false;
    QTest::newRow("process cannot be opened")
        << front(screen) << ProcessImage{ProcessImage::CannotOpen, {}} << true << false;
}

void tst_ProcessesWindows::fullscreen()
{
    QFETCH(ForegroundWindow, foreground);
    QFETCH(ProcessImage, image);
    QFETCH(bool, logged);
    DesktopBackend platform;
    platform.foreground = foreground;
    platform.images.insert(foreground.pid, image);
    ScopedBackendOverride scope(platform);
    if (logged) // Qt's quoting doubles the backslashes
        QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("ZRCloudUtils::checkFullscreenExist-file:  \"%1\"")
                                                       .arg(QString(image.path).replace("\\", "\\\\"))));
    QTEST(ZRCommonUtils::checkFullscreenExist(), "expected");
}

void tst_ProcessesWindows::swapMouseButton()
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

void tst_ProcessesWindows::hardwareAddress_data()
{
    QTest::addColumn<QList<NetworkInterfaceEntry>>("interfaces");
    QTest::addColumn<int>("chosen"); // -1: none; every address up to it is logged, in list order

    using F = QNetworkInterface;
    const NetworkInterfaceEntry loopBack{"00:00:00:00:00:00", F::IsUp | F::IsRunning | F::IsLoopBack},
        notRunning{"00:1A:2B:3C:4D:01", F::IsUp}, down{"00:1A:2B:3C:4D:02", F::IsRunning};
    QTest::newRow("loop-back, not running, down skipped")
        << QList<NetworkInterfaceEntry>{loopBack, notRunning, down, {"00:1A:2B:3C:4D:5E", F::IsUp | F::IsRunning},
                                        {"00:1A:2B:3C:4D:5F", F::IsUp | F::IsRunning | F::CanBroadcast}}
        << 3;
    QTest::newRow("no active interface") << QList<NetworkInterfaceEntry>{loopBack, notRunning, down} << -1;
}

void tst_ProcessesWindows::hardwareAddress()
{
    QFETCH(QList<NetworkInterfaceEntry>, interfaces);
    QFETCH(int, chosen);
    for (int i = 0; i < (chosen < 0 ? interfaces.size() : chosen + 1); ++i)
        QTest::ignoreMessage(QtDebugMsg, qPrintable(QLatin1Char('"') + interfaces.at(i).hardwareAddress + QLatin1Char('"')));
    QCOMPARE(OrvoKiv::Desktop::firstActiveHardwareAddress(interfaces),
             chosen < 0 ? QString() : interfaces.at(chosen).hardwareAddress);
}

void tst_ProcessesWindows::createdOnFirstDemand()
{
    const QString uid = ZRCommonUtils::getPcUid();
    const QString stored = privateSettings().value(QStringLiteral("startup/puid")).toString();
    QCOMPARE(QUuid(stored).toString(), stored); // a braced identifier, written by the first call
    QCOMPARE(ZRCommonUtils::getPcGUID(), QUuid(stored).toString(QUuid::Id128));
    QCOMPARE(ZRCommonUtils::getPcUid(), uid);
}

void tst_ProcessesWindows::storedIdentifier_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("guid");
    QTest::addColumn<QString>("uid");
    QTest::newRow("digits met from the end")
        << "{6f9619ff-8b86-d011-b42d-00c04fc964ff}" << "6f9619ff8b86d011b42d00c04fc964ff" << "469400";
    QTest::newRow("three digits only")
        << "{abcdef1b-cdef-abcd-efab-cdefab2cde3f}" << "abcdef1bcdefabcdefabcdefab2cde3f" << "321";
}

void tst_ProcessesWindows::storedIdentifier()
{
    QFETCH(QString, stored);
    privateSettings().setValue(QStringLiteral("startup/puid"), stored);
    QTEST(ZRCommonUtils::getPcGUID(), "guid");
    QTEST(ZRCommonUtils::getPcUid(), "uid");
    QCOMPARE(privateSettings().value(QStringLiteral("startup/puid")).toString(), stored);
}

QTEST_GUILESS_MAIN(tst_ProcessesWindows)
#include "tst_processeswindows.moc"
