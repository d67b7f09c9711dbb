#include "fakebackend.h"
#include "windows_p.h"

#include <zrcommonutils.h>

#include <QtTest>

#include <atomic>
#include <thread>

using namespace OrvoKiv::Platform;

Q_DECLARE_METATYPE(ForegroundWindow)
Q_DECLARE_METATYPE(ProcessImage)
Q_DECLARE_METATYPE(QList<TopLevelWindow>)
Q_DECLARE_METATYPE(QList<ProcessInfo>)

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

QStringList s_log;
void captureLog(QtMsgType, const QMessageLogContext &, const QString &message)
{
    s_log.append(message);
}

} // namespace

class tst_ProcessesWindows : public QObject
{
    Q_OBJECT

private slots:
    void processIdByName_data();
    void processIdByName();
    void runningProcesses();
    void processWindow_data();
    void processWindow();
    void fullscreen_data();
    void fullscreen();
    void taskbar();
    void swapProbe();
    void swapComputedOnce();
};

void tst_ProcessesWindows::processIdByName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qulonglong>("pid");
    // Snapshot order, not id order, decides between two of one name.
    QTest::newRow("first of two in snapshot order") << "OrvoKiv6.exe" << 300ull;
    QTest::newRow("other letter case") << "orvokiv6.exe" << 0ull;
    QTest::newRow("name without extension") << "OrvoKiv6" << 0ull;
}

void tst_ProcessesWindows::processIdByName()
{
    QFETCH(QString, name);
    DesktopBackend platform;
    platform.processes = {{4, "System"}, {300, "OrvoKiv6.exe"}, {120, "OrvoKiv6.exe"}};
    ScopedBackendOverride scope(platform);
    QTEST(qulonglong(ZRCommonUtils::GetProcessIDByName(name)), "pid");
}

void tst_ProcessesWindows::runningProcesses()
{
    DesktopBackend platform;
    ScopedBackendOverride scope(platform);
    QCOMPARE(ZRCommonUtils::getRunningProcesses(), QStringLiteral("Image Name  PID\r\n"));
    platform.platformConventions = Conventions::posix();
    ZRCommonUtils::getRunningProcesses();
    QCOMPARE(platform.started, (QStringList{"tasklist|30000", "ps|-e|30000"}));
}

void tst_ProcessesWindows::processWindow_data()
{
    QTest::addColumn<QList<TopLevelWindow>>("windows");
    QTest::addColumn<quintptr>("expected");
    // handle, pid, visible, hasParent; top of the z-order first
    QTest::newRow("hidden, owned and another's windows above the right one")
        << QList<TopLevelWindow>{{11, 7, false, false}, {12, 7, true, true}, {13, 8, true, false},
                                 {14, 7, true, false}, {15, 7, true, false}}
        << quintptr(14);
    QTest::newRow("only hidden or child windows")
        << QList<TopLevelWindow>{{11, 7, false, false}, {12, 7, true, true}} << quintptr(0);
}

void tst_ProcessesWindows::processWindow()
{
    QFETCH(QList<TopLevelWindow>, windows);
    DesktopBackend platform;
    platform.windows = windows;
    ScopedBackendOverride scope(platform);
    QTEST(reinterpret_cast<quintptr>(ZRCommonUtils::hGetProcessWnd(7)), "expected");
}

void tst_ProcessesWindows::fullscreen_data()
{
    QTest::addColumn<ForegroundWindow>("foreground");
    QTest::addColumn<ProcessImage>("image");
    QTest::addColumn<bool>("windows");
    QTest::addColumn<bool>("expected");
    QTest::addColumn<QString>("logged"); // the log line, if one is written

    const WindowRect screen{0, 0, 1920, 1080};
    const auto front = [&](WindowRect rect, bool zoomed = false, bool fullScreenState = false,
                           quintptr handle = 10) {
        return ForegroundWindow{handle, 1, 2, rect, screen, zoomed, fullScreenState, 100};
    };
    const ProcessImage suite{ProcessImage::Found, "C:\\Program Files\\Orvo\\OrvoKiv6.exe"};
    const ProcessImage player{ProcessImage::Found, "C:\\Games\\player.exe"};
    // Qt's debug rendering quotes the path and doubles its backslashes.
    const QString line = QStringLiteral("ZRCloudUtils::checkFullscreenExist-file:  \"%1\"");
    const QString playerLine = line.arg("C:\\\\Games\\\\player.exe");

    QTest::newRow("desktop in front") << front(screen, false, false, 1) << player << true << false << "";
    QTest::newRow("shell window in front") << front(screen, false, false, 2) << player << true << false << "";
    QTest::newRow("the suite full-screen")
        << front(screen) << suite << true << false << line.arg("C:\\\\Program Files\\\\Orvo\\\\OrvoKiv6.exe");
    QTest::newRow("another program beyond the edges")
        << front({-8, -8, 1928, 1088}) << player << true << true << playerLine;
    QTest::newRow("the suite's name in other case")
        << front(screen) << ProcessImage{ProcessImage::Found, "C:\\orvokiv6.exe"} << true << true
        << line.arg("C:\\\\orvokiv6.exe");
    QTest::newRow("the suite maximised, not covering") << front({0, 0, 1920, 1040}, true) << suite << true << true << "";
    QTest::newRow("one pixel short") << front({0, 0, 1919, 1080}) << player << true << false << "";
    QTest::newRow("process cannot be opened")
        << front(screen) << ProcessImage{ProcessImage::CannotOpen, {}} << true << true << "";
    QTest::newRow("no module path") << front(screen) << ProcessImage{ProcessImage::NoPath, {}} << true << true << "";
    QTest::newRow("X11 full-screen state, the suite")
        << front({0, 0, 800, 600}, false, true) << ProcessImage{ProcessImage::Found, "/opt/orvo/OrvoKiv6"}
        << false << false << line.arg("/opt/orvo/OrvoKiv6");
}

void tst_ProcessesWindows::fullscreen()
{
    QFETCH(ForegroundWindow, foreground);
    QFETCH(ProcessImage, image);
    QFETCH(bool, windows);
    QFETCH(QString, logged);
    DesktopBackend platform;
    if (!windows)
        platform.platformConventions = Conventions::posix();
    platform.foreground = foreground;
    platform.images.insert(foreground.pid, image);
    ScopedBackendOverride scope(platform);

    s_log.clear();
    const QtMessageHandler previous = qInstallMessageHandler(captureLog);
    const bool answer = ZRCommonUtils::checkFullscreenExist();
    qInstallMessageHandler(previous);
    QTEST(answer, "expected");
    QCOMPARE(s_log, logged.isEmpty() ? QStringList() : QStringList{logged});
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

void tst_ProcessesWindows::swapProbe()
{
    for (const bool swapped : {false, true}) {
        FakeBackend platform;
        platform.buttonsSwapped = swapped;
        QCOMPARE(OrvoKiv::Desktop::probeMouseButtonSwap(platform), swapped);
        QCOMPARE(platform.buttonsSwapped, swapped); // the user's setting is left as it was
    }
}

void tst_ProcessesWindows::swapComputedOnce()
{
    FakeBackend platform;
    platform.buttonsSwapped = true;
    ScopedBackendOverride scope(platform);
    std::atomic<int> answeredSwapped{0};
    std::vector<std::thread> calls; // concurrent first calls compute it once
    for (int i = 0; i < 8; ++i)
        calls.emplace_back([&] { answeredSwapped += ZRCommonUtils::isSwapMouseButton(); });
    for (std::thread &call : calls)
        call.join();
    platform.buttonsSwapped = false; // changed by the user meanwhile
    QVERIFY(ZRCommonUtils::isSwapMouseButton());
    QCOMPARE(answeredSwapped.load(), 8);
    QCOMPARE(platform.swapCalls, 1);
}

QTEST_GUILESS_MAIN(tst_ProcessesWindows)
#include "tst_processeswindows.moc"
