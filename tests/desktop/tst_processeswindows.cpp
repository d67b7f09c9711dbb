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
    ProcessResult processResult;
    mutable QStringList started; // program and arguments of each runProcess, joined by "|"
    mutable int timeoutMs = 0;

    QList<ProcessInfo> runningProcesses() const override { return processes; }
    ProcessResult runProcess(const QString &program, const QStringList &arguments, int timeout,
                             const QString &) const override
    {
        started.append((QStringList(program) + arguments).join(QLatin1Char('|')));
        timeoutMs = timeout;
        return processResult;
    }
};

QStringList s_log;
void captureLog(QtMsgType, const QMessageLogContext &, const QString &message)
{
    s_log.append(message);
}

const WindowRect kScreen{0, 0, 1920, 1080};

ForegroundWindow front(WindowRect rect, bool zoomed = false, bool fullScreenState = false)
{
    ForegroundWindow f;
    f.handle = 10;
    f.desktop = 1;
    f.shell = 2;
    f.desktopRect = kScreen;
    f.rect = rect;
    f.zoomed = zoomed;
    f.fullScreenState = fullScreenState;
    f.pid = 100;
    return f;
}

ProcessImage image(const QString &path, ProcessImage::Status status = ProcessImage::Found)
{
    ProcessImage i;
    i.status = status;
    i.path = path;
    return i;
}

} // namespace

class tst_ProcessesWindows : public QObject
{
    Q_OBJECT

private slots:
    void processIdByName_data();
    void processIdByName();
    void runningProcesses_data();
    void runningProcesses();
    void processWindow_data();
    void processWindow();
    void fullscreen_data();
    void fullscreen();
    void taskbar();
    void swapProbe_data();
    void swapProbe();
    void swapComputedOnce();
};

void tst_ProcessesWindows::processIdByName_data()
{
    QTest::addColumn<QList<ProcessInfo>>("processes");
    QTest::addColumn<QString>("name");
    QTest::addColumn<qulonglong>("pid");

    // Snapshot order, not id order, decides between two of one name.
    const QList<ProcessInfo> list{{4, "System"}, {300, "OrvoKiv6.exe"}, {120, "OrvoKiv6.exe"}};
    QTest::newRow("first of two in snapshot order") << list << "OrvoKiv6.exe" << 300ull;
    QTest::newRow("other letter case") << list << "orvokiv6.exe" << 0ull;
    QTest::newRow("name without extension") << list << "OrvoKiv6" << 0ull;
    QTest::newRow("no snapshot") << QList<ProcessInfo>() << "System" << 0ull;
}

void tst_ProcessesWindows::processIdByName()
{
    QFETCH(QList<ProcessInfo>, processes);
    QFETCH(QString, name);
    QFETCH(qulonglong, pid);
    DesktopBackend platform;
    platform.processes = processes;
    ScopedBackendOverride scope(platform);
    QCOMPARE(qulonglong(ZRCommonUtils::GetProcessIDByName(name)), pid);
}

void tst_ProcessesWindows::runningProcesses_data()
{
    QTest::addColumn<bool>("windows");
    QTest::addColumn<bool>("timedOut");
    QTest::addColumn<QString>("started");

    QTest::newRow("tasklist") << true << false << "tasklist";
    QTest::newRow("ps") << false << false << "ps|-e";
    QTest::newRow("partial output after a timeout") << true << true << "tasklist";
}

void tst_ProcessesWindows::runningProcesses()
{
    QFETCH(bool, windows);
    QFETCH(bool, timedOut);
    QFETCH(QString, started);
    DesktopBackend platform;
    if (!windows)
        platform.platformConventions = Conventions::posix();
    platform.processResult.started = true;
    platform.processResult.timedOut = timedOut;
    platform.processResult.standardOutput = "Image Name   PID\r\nSystem         4\r\n";
    ScopedBackendOverride scope(platform);
    QCOMPARE(ZRCommonUtils::getRunningProcesses(), QStringLiteral("Image Name   PID\r\nSystem         4\r\n"));
    QCOMPARE(platform.started, QStringList{started});
    QCOMPARE(platform.timeoutMs, 30000);
}

void tst_ProcessesWindows::processWindow_data()
{
    QTest::addColumn<QList<TopLevelWindow>>("windows");
    QTest::addColumn<quintptr>("expected");

    // handle, pid, visible, hasParent; top of the z-order first
    QTest::newRow("hidden and owned windows above the visible one")
        << QList<TopLevelWindow>{{11, 7, false, false}, {12, 7, true, true}, {13, 8, true, false},
                                 {14, 7, true, false}}
        << quintptr(14);
    QTest::newRow("first visible one in z-order")
        << QList<TopLevelWindow>{{21, 7, true, false}, {22, 7, true, false}} << quintptr(21);
    QTest::newRow("only hidden or child windows")
        << QList<TopLevelWindow>{{11, 7, false, false}, {12, 7, true, true}, {13, 8, true, false}}
        << quintptr(0);
    QTest::newRow("no windows") << QList<TopLevelWindow>() << quintptr(0);
}

void tst_ProcessesWindows::processWindow()
{
    QFETCH(QList<TopLevelWindow>, windows);
    QFETCH(quintptr, expected);
    DesktopBackend platform;
    platform.windows = windows;
    ScopedBackendOverride scope(platform);
    QCOMPARE(reinterpret_cast<quintptr>(ZRCommonUtils::hGetProcessWnd(7)), expected);
}

void tst_ProcessesWindows::fullscreen_data()
{
    QTest::addColumn<ForegroundWindow>("foreground");
    QTest::addColumn<ProcessImage>("image");
    QTest::addColumn<bool>("windows");
    QTest::addColumn<bool>("expected");
    QTest::addColumn<QString>("logged"); // the log line, if one is written

    const QString suite = QStringLiteral("C:\\Program Files\\Orvo\\OrvoKiv6.exe");
    const QString player = QStringLiteral("C:\\Games\\player.exe");
    // Qt's debug rendering quotes the path and doubles its backslashes.
    const QString line = QStringLiteral("ZRCloudUtils::checkFullscreenExist-file:  \"%1\"");
    const QString suiteLine = line.arg(QStringLiteral("C:\\\\Program Files\\\\Orvo\\\\OrvoKiv6.exe"));
    const QString playerLine = line.arg(QStringLiteral("C:\\\\Games\\\\player.exe"));
    ForegroundWindow desktop = front(kScreen);
    desktop.handle = desktop.desktop;
    ForegroundWindow shell = front(kScreen);
    shell.handle = shell.shell;

    QTest::newRow("desktop in front") << desktop << image(player) << true << false << QString();
    QTest::newRow("shell window in front") << shell << image(player) << true << false << QString();
    QTest::newRow("the suite full-screen") << front(kScreen) << image(suite) << true << false << suiteLine;
    QTest::newRow("another program beyond the edges")
        << front({-8, -8, 1928, 1088}) << image(player) << true << true << playerLine;
    QTest::newRow("the suite's name in other case")
        << front(kScreen) << image(QStringLiteral("C:\\Orvo\\orvokiv6.exe")) << true << true
        << line.arg(QStringLiteral("C:\\\\Orvo\\\\orvokiv6.exe"));
    QTest::newRow("the suite maximised, not covering")
        << front({0, 0, 1920, 1040}, true) << image(suite) << true << true << QString();
    QTest::newRow("one pixel short, not maximised")
        << front({0, 0, 1919, 1080}) << image(player) << true << false << QString();
    QTest::newRow("covering, process cannot be opened")
        << front(kScreen) << image(QString(), ProcessImage::CannotOpen) << true << true << QString();
    QTest::newRow("covering, no module path")
        << front(kScreen) << image(QString(), ProcessImage::NoPath) << true << true << QString();
    QTest::newRow("Linux full-screen state, the suite")
        << front({0, 0, 800, 600}, false, true) << image(QStringLiteral("/opt/orvo/OrvoKiv6"))
        << false << false << line.arg(QStringLiteral("/opt/orvo/OrvoKiv6"));
    QTest::newRow("Linux full-screen state, another program")
        << front({0, 0, 800, 600}, false, true) << image(QStringLiteral("/usr/bin/vlc")) << false
        << true << line.arg(QStringLiteral("/usr/bin/vlc"));
}

void tst_ProcessesWindows::fullscreen()
{
    QFETCH(ForegroundWindow, foreground);
    QFETCH(ProcessImage, image);
    QFETCH(bool, windows);
    QFETCH(bool, expected);
    QFETCH(QString, logged);
    DesktopBackend platform;
    if (!windows)
        platform.platformConventions = Conventions::posix();
    platform.foreground = foreground;
    if (image.status != ProcessImage::CannotOpen)
        platform.images.insert(foreground.pid, image);
    ScopedBackendOverride scope(platform);

    s_log.clear();
    const QtMessageHandler previous = qInstallMessageHandler(captureLog);
    const bool answer = ZRCommonUtils::checkFullscreenExist();
    qInstallMessageHandler(previous);
    QCOMPARE(answer, expected);
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

void tst_ProcessesWindows::swapProbe_data()
{
    QTest::addColumn<bool>("swapped");
    QTest::newRow("swapped") << true;
    QTest::newRow("not swapped") << false;
}

void tst_ProcessesWindows::swapProbe()
{
    QFETCH(bool, swapped);
    FakeBackend platform;
    platform.buttonsSwapped = swapped;
    QCOMPARE(OrvoKiv::Desktop::probeMouseButtonSwap(platform), swapped);
    QCOMPARE(platform.buttonsSwapped, swapped); // the user's setting is left as it was
}

void tst_ProcessesWindows::swapComputedOnce()
{
    FakeBackend platform;
    platform.buttonsSwapped = true;
    ScopedBackendOverride scope(platform);
    // Concurrent first calls compute it once.
    std::atomic<int> answeredSwapped{0};
    std::vector<std::thread> calls;
    for (int i = 0; i < 8; ++i)
        calls.emplace_back([&] { answeredSwapped += ZRCommonUtils::isSwapMouseButton(); });
    for (std::thread &call : calls)
        call.join();
    QCOMPARE(answeredSwapped.load(), 8);
    QCOMPARE(platform.swapCalls, 1);
    platform.buttonsSwapped = false; // changed by the user meanwhile
    QVERIFY(ZRCommonUtils::isSwapMouseButton());
    QCOMPARE(platform.swapCalls, 1);
}

QTEST_GUILESS_MAIN(tst_ProcessesWindows)
#include "tst_processeswindows.moc"
