#include "fakebackend.h"
#include "virtualkeyboard.h"
#include "virtualkeyboard_p.h"

#include <QTest>

// The keyboard's show and hide decisions over scripted Windows answers, with every log line.
class tst_VirtualKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void lifetime_data();
    void lifetime();
    void requests_data();
    void requests();
    void startLeavesCompatLayerForChildren();
    void thisSystem();

private:
    static void collect(QtMsgType, const QMessageLogContext &, const QString &message)
    {
        s_lines << message;
    }
    static QStringList s_lines;
    QtMessageHandler m_previous = nullptr;
};

QStringList tst_VirtualKeyboard::s_lines;

namespace {
const QString kTag = QStringLiteral("[virtualkeyboard] ");
const QString kTabTip = QStringLiteral("/Program Files/Common Files/Microsoft Shared/ink/tabtip.exe");

QStringList tagged(const QStringList &texts)
{
    QStringList lines;
    for (const QString &text : texts)
        lines << kTag + text;
    return lines;
}
} // namespace

void tst_VirtualKeyboard::init()
{
    s_lines.clear();
    m_previous = qInstallMessageHandler(collect);
}

void tst_VirtualKeyboard::cleanup()
{
    qInstallMessageHandler(m_previous);
}

void tst_VirtualKeyboard::lifetime_data()
{
    QTest::addColumn<quintptr>("pane");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("input pane created") << quintptr(7)
        << QStringList{"CoInitialize", "create pane", "release 7"};
    QTest::newRow("input pane missing") << quintptr(0) << QStringList{"CoInitialize", "create pane"};
}

void tst_VirtualKeyboard::lifetime()
{
    QFETCH(quintptr, pane);
    QFETCH(QStringList, calls);
    FakeBackend fake;
    fake.inputPane = pane;
    const OrvoKiv::Platform::ScopedBackendOverride use(fake);
    { VirtualKeyboardPrivate keyboard; }
    QCOMPARE(fake.calls, calls);
}

void tst_VirtualKeyboard::requests_data()
{
    QTest::addColumn<bool>("windows7");
    QTest::addColumn<bool>("window");
    QTest::addColumn<quintptr>("pane");
    QTest::addColumn<qint32>("location");
    QTest::addColumn<int>("width");
    QTest::addColumn<qint32>("tip");
    QTest::addColumn<QString>("programFiles");
    QTest::addColumn<bool>("starts"); // the keyboard program, by the shell or CreateProcess
    QTest::addColumn<bool>("show");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QStringList>("lines");

    const qint32 ok = 0, fail = qint32(0x80004005), notRegistered = qint32(0x80040154);
    const QString c = QStringLiteral("C:\\Program Files");
    const QStringList toggled = {"location", "create tip", "toggle 113", "release 113"};
    const QStringList shownOk = tagged({"begin show keyboard", "show keyboard ok", "end show keyboard"});
    const QString win7 = QStringLiteral("shell open C:\\Program Files\\Common Files\\Microsoft Shared\\ink\\TabTip.exe");

    QTest::newRow("win7 show") << true << false << quintptr(7) << ok << 0 << ok << c << true << true
        << QStringList{win7} << tagged({"begin show keyboard", "win7 show keyboard ok"});
    QTest::newRow("win7 show, shell fails") << true << false << quintptr(7) << ok << 0 << ok << c << false << true
        << QStringList{win7} << tagged({"begin show keyboard", "win7 show keyboard failed: 2"});
    QTest::newRow("win7 hide, window") << true << true << quintptr(7) << ok << 300 << ok << c << true << false
        << QStringList{"post close"} << tagged({"hide keyboard"});
    QTest::newRow("win7 hide, no window") << true << false << quintptr(7) << ok << 300 << ok << c << true << false
        << QStringList() << tagged({"hide keyboard"});

    QTest::newRow("show, visible") << false << true << quintptr(7) << ok << 6 << ok << c << true << true
        << QStringList{"location"} << tagged({"begin show keyboard", "shown, return"});
    QTest::newRow("show, exactly 5 wide") << false << true << quintptr(7) << ok << 5 << ok << c << true << true
        << toggled << shownOk;
    QTest::newRow("hide, visible") << false << true << quintptr(7) << ok << 6 << ok << c << true << false
        << toggled << tagged({"hide keyboard"});
    QTest::newRow("hide, exactly 5 wide") << false << true << quintptr(7) << ok << 5 << ok << c << true << false
        << QStringList{"location"} << tagged({"hide keyboard"});

    QTest::newRow("show, no window: start, then toggle")
        << false << false << quintptr(7) << ok << 0 << ok << c << true << true
        << QStringList{"create process C:" + kTabTip} + toggled
        << tagged({"begin show keyboard", "open", "show keyboard ok", "end show keyboard"});
    QTest::newRow("show, Program Files on D:")
        << false << false << quintptr(7) << ok << 0 << ok << "D:\\Program Files (x86)" << true << true
        << QStringList{"create process D:" + kTabTip} + toggled
        << tagged({"begin show keyboard", "open", "show keyboard ok", "end show keyboard"});
    QTest::newRow("show, keyboard program fails")
        << false << false << quintptr(7) << ok << 0 << ok << c << false << true
        << QStringList{"create process C:" + kTabTip} + toggled
        << tagged({"begin show keyboard", "Failed to open softkeyboard! CreateProcess error ", "open",
                   "show keyboard ok", "end show keyboard"});
    QTest::newRow("show, no Program Files folder")
        << false << false << quintptr(7) << ok << 0 << ok << "" << true << true << toggled
        << tagged({"begin show keyboard", "Failed to open softkeyboard! : incorrect path", "open",
                   "show keyboard ok", "end show keyboard"});

    QTest::newRow("show, input pane missing") << false << true << quintptr(0) << ok << 300 << ok << c << true << true
        << QStringList{"create tip", "toggle 113", "release 113"}
        << tagged({"begin show keyboard", "Failed to get keyboard rect! frameworkInputPane is NULL!",
                   "show keyboard ok", "end show keyboard"});
    QTest::newRow("hide, input pane missing") << false << true << quintptr(0) << ok << 300 << ok << c << true << false
        << QStringList() << tagged({"hide keyboard", "Failed to get keyboard rect! frameworkInputPane is NULL!"});
    QTest::newRow("show, Location fails") << false << true << quintptr(7) << fail << 300 << ok << c << true << true
        << toggled
        << tagged({"begin show keyboard", "Failed to get keyboard rect! Location return error code : -2147467259",
                   "show keyboard ok", "end show keyboard"});
    QTest::newRow("show, invocation not created") << false << true << quintptr(7) << ok << 0 << notRegistered << c << true << true
        << QStringList{"location", "create tip"} << tagged({"begin show keyboard", "end show keyboard"});
    QTest::newRow("hide, invocation not created") << false << true << quintptr(7) << ok << 300 << notRegistered << c << true << false
        << QStringList{"location", "create tip"} << tagged({"hide keyboard"});
}

void tst_VirtualKeyboard::requests()
{
    QFETCH(bool, windows7);
    QFETCH(bool, window);
    QFETCH(quintptr, pane);
    QFETCH(qint32, location);
    QFETCH(int, width);
    QFETCH(qint32, tip);
    QFETCH(QString, programFiles);
    QFETCH(bool, starts);
    QFETCH(bool, show);
    QFETCH(QStringList, calls);
    QFETCH(QStringList, lines);

    FakeBackend fake;
    fake.windows7 = windows7;
    fake.keyboardWindow = window;
    fake.inputPane = pane;
    fake.locationResult = location;
    fake.location = QRect(QPoint(40, 400), QPoint(40 + width, 700));
    fake.tipResult = tip;
    fake.programFiles = programFiles;
    fake.processStarts = starts;
    fake.shellOpened = {starts, 2};
    const OrvoKiv::Platform::ScopedBackendOverride use(fake);
    VirtualKeyboardPrivate keyboard;
    fake.calls.clear();

    show ? keyboard.showKeyboard() : keyboard.hideKeyboard();
    QCOMPARE(fake.calls, calls);
    QCOMPARE(s_lines, lines);
}

void tst_VirtualKeyboard::startLeavesCompatLayerForChildren()
{
    qunsetenv("__compat_layer");
    FakeBackend fake;
    {
        const OrvoKiv::Platform::ScopedBackendOverride use(fake);
        VirtualKeyboardPrivate keyboard;
        keyboard.showKeyboard();
    }
    QCOMPARE(qgetenv("__compat_layer"), QByteArray("RunAsInvoker"));
    const OrvoKiv::Platform::ProcessResult child =
        OrvoKiv::Platform::backend().runProcess(QStringLiteral("env"), {}, 10000);
    QVERIFY(child.started);
    QVERIFY(child.standardOutput.contains("__compat_layer=RunAsInvoker\n"));
}

// This system has no touch-keyboard COM classes, window or Program Files folder.
void tst_VirtualKeyboard::thisSystem()
{
    VirtualKeyboard *keyboard = VirtualKeyboard::getInstence();
    QCOMPARE(keyboard, VirtualKeyboard::getInstence());
    keyboard->showKeyboard();
    keyboard->hideKeyboard();
    QCOMPARE(s_lines, tagged({"begin show keyboard", "Failed to open softkeyboard! : incorrect path", "open",
                              "Failed to get keyboard rect! frameworkInputPane is NULL!", "end show keyboard",
                              "hide keyboard", "Failed to get keyboard rect! frameworkInputPane is NULL!"}));
}

QTEST_GUILESS_MAIN(tst_VirtualKeyboard)
#include "tst_virtualkeyboard.moc"
