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
    void cleanup() { qInstallMessageHandler(nullptr); }
    void lifetime();
    void requests_data();
    void requests();
    void startLeavesCompatLayerForChildren();
    void thisSystem();
};

namespace {

QStringList g_lines;

void collect(QtMsgType, const QMessageLogContext &, const QString &message)
{
    g_lines << message;
}

QStringList tagged(const QString &texts)
{
    QStringList lines = texts.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    for (QString &line : lines)
        line.prepend(QStringLiteral("[virtualkeyboard] "));
    return lines;
}

// "win7 window nopane locationfails 5wide notip nofolder D: nostart": the answers that differ
// from a later Windows whose keyboard window is absent and whose input pane says 300 wide.
void script(FakeBackend &fake, const QString &setup)
{
    const QStringList words = setup.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    fake.windows7 = words.contains(QLatin1String("win7"));
    fake.keyboardWindow = words.contains(QLatin1String("window"));
    fake.inputPane = words.contains(QLatin1String("nopane")) ? 0 : 7;
    fake.locationResult = words.contains(QLatin1String("locationfails")) ? qint32(0x80004005) : 0;
    const int width = words.contains(QLatin1String("5wide")) ? 5 : words.contains(QLatin1String("6wide")) ? 6 : 300;
    fake.location = QRect(QPoint(40, 400), QPoint(40 + width, 700));
    fake.tipResult = words.contains(QLatin1String("notip")) ? qint32(0x80040154) : 0;
    fake.programFiles = words.contains(QLatin1String("nofolder")) ? QString()
                      : words.contains(QLatin1String("D:")) ? QStringLiteral("D:\\Program Files (x86)")
                                                            : QStringLiteral("C:\\Program Files");
    fake.processStarts = !words.contains(QLatin1String("nostart"));
    fake.shellOpened = {fake.processStarts, 2};
}

} // namespace

void tst_VirtualKeyboard::init()
{
    g_lines.clear();
    qInstallMessageHandler(collect);
}

void tst_VirtualKeyboard::lifetime()
{
    for (const quintptr pane : {quintptr(7), quintptr(0)}) {
        FakeBackend fake;
        fake.inputPane = pane;
        const OrvoKiv::Platform::ScopedBackendOverride use(fake);
        { VirtualKeyboardPrivate keyboard; }
        const QStringList released = pane ? QStringList("release 7") : QStringList();
        QCOMPARE(fake.calls, QStringList({"CoInitialize", "create pane"}) + released);
    }
}

void tst_VirtualKeyboard::requests_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<bool>("show");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QStringList>("lines");
    const QString win7 = "shell open C:\\Program Files\\Common Files\\Microsoft Shared\\ink\\TabTip.exe";
    const QString start = "create process %1/Program Files/Common Files/Microsoft Shared/ink/tabtip.exe";
    const QStringList toggled = {"location", "create tip", "toggle 113", "release 113"};
    const QString shown = "show keyboard ok|end show keyboard";

    QTest::newRow("win7 show") << "win7" << true << QStringList(win7) << tagged("begin show keyboard|win7 show keyboard ok");
    QTest::newRow("win7 show, shell fails") << "win7 nostart" << true << QStringList(win7)
        << tagged("begin show keyboard|win7 show keyboard failed: 2");
    QTest::newRow("win7 hide") << "win7 window" << false << QStringList("post close") << tagged("hide keyboard");
    QTest::newRow("win7 hide, no window") << "win7" << false << QStringList() << tagged("hide keyboard");
    QTest::newRow("show, visible") << "window 6wide" << true << QStringList("location")
        << tagged("begin show keyboard|shown, return");
    QTest::newRow("show, 5 wide is hidden") << "window 5wide" << true << toggled << tagged("begin show keyboard|" + shown);
    QTest::newRow("hide, visible") << "window 6wide" << false << toggled << tagged("hide keyboard");
    QTest::newRow("hide, 5 wide") << "window 5wide" << false << QStringList("location") << tagged("hide keyboard");
    QTest::newRow("show, no window: start, toggle") << "5wide" << true << QStringList(start.arg("C:")) + toggled
        << tagged("begin show keyboard|open|" + shown);
    QTest::newRow("show, Program Files on D:") << "D: 5wide" << true << QStringList(start.arg("D:")) + toggled
        << tagged("begin show keyboard|open|" + shown);
    QTest::newRow("show, program fails") << "nostart 5wide" << true << QStringList(start.arg("C:")) + toggled
        << tagged("begin show keyboard|Failed to open softkeyboard! CreateProcess error |open|" + shown);
    QTest::newRow("show, no Program Files") << "nofolder 5wide" << true << toggled
        << tagged("begin show keyboard|Failed to open softkeyboard! : incorrect path|open|" + shown);
    const QString noPane = "Failed to get keyboard rect! frameworkInputPane is NULL!";
    QTest::newRow("show, no input pane") << "window nopane" << true << QStringList(toggled.mid(1))
        << tagged("begin show keyboard|" + noPane + "|" + shown);
    QTest::newRow("hide, no input pane") << "window nopane" << false << QStringList() << tagged("hide keyboard|" + noPane);
    QTest::newRow("show, Location fails") << "window locationfails" << true << toggled
        << tagged("begin show keyboard|Failed to get keyboard rect! Location return error code : -2147467259|" + shown);
    QTest::newRow("show, invocation fails") << "window 5wide notip" << true << QStringList(toggled.mid(0, 2))
        << tagged("begin show keyboard|end show keyboard");
    QTest::newRow("hide, invocation fails") << "window notip" << false << QStringList(toggled.mid(0, 2)) << tagged("hide keyboard");
}

void tst_VirtualKeyboard::requests()
{
    QFETCH(QString, setup);
    QFETCH(bool, show);
    QFETCH(QStringList, calls);
    QFETCH(QStringList, lines);
    FakeBackend fake;
    script(fake, setup);
    const OrvoKiv::Platform::ScopedBackendOverride use(fake);
    VirtualKeyboardPrivate keyboard;
    fake.calls.clear();
    show ? keyboard.showKeyboard() : keyboard.hideKeyboard();
    QCOMPARE(fake.calls, calls);
    QCOMPARE(g_lines, lines);
}

void tst_VirtualKeyboard::startLeavesCompatLayerForChildren()
{
    qunsetenv("__compat_layer");
    FakeBackend fake;
    {
        const OrvoKiv::Platform::ScopedBackendOverride use(fake);
        VirtualKeyboardPrivate().showKeyboard();
    }
    const OrvoKiv::Platform::ProcessResult child =
        OrvoKiv::Platform::backend().runProcess(QStringLiteral("env"), {}, 10000);
    QVERIFY(("\n" + child.standardOutput).contains("\n__compat_layer=RunAsInvoker\n"));
}

// This system has no touch-keyboard COM classes, window or Program Files folder.
void tst_VirtualKeyboard::thisSystem()
{
    VirtualKeyboard::getInstence()->showKeyboard();
    VirtualKeyboard::getInstence()->hideKeyboard();
    const QString noPane = "Failed to get keyboard rect! frameworkInputPane is NULL!";
    QCOMPARE(g_lines, tagged("begin show keyboard|Failed to open softkeyboard! : incorrect path|open|" + noPane
                             + "|end show keyboard|hide keyboard|" + noPane));
}

QTEST_GUILESS_MAIN(tst_VirtualKeyboard)
#include "tst_virtualkeyboard.moc"
