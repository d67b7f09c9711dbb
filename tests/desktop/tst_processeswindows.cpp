#include "fakebackend.h"
#include "windows_p.h"

#include <zrcommonutils.h>

#include <QtTest>

using namespace OrvoKiv::Platform;

Q_DECLARE_METATYPE(ForegroundWindow)
Q_DECLARE_METATYPE(ProcessImage)

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

} // namespace

class tst_ProcessesWindows : public QObject
{
    Q_OBJECT

private slots:
    void processesAndWindows();
    void fullscreen_data();
    void fullscreen();
    void taskbar();
    void swapMouseButton();
};

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

void tst_ProcessesWindows::taskbar()
{
    DesktopBackend platform;
    ScopedBackendOverride scope(platform);
    ZRCommonUtils::autoHideTraywndBar(true);
    ZRCommonUtils::autoHideTraywndBar(false);
    // ABS_AUTOHIDE, then ABS_ALWAYSONTOP: always on top whatever the setting was.
    QCOMPARE(platform.taskbarStates, (QList<int>{1, 2}));
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

QTEST_GUILESS_MAIN(tst_ProcessesWindows)
#include "tst_processeswindows.moc"
