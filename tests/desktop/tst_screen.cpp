#include "debuglines.h"
#include "fakebackend.h"
#include "screenmetrics_p.h"
#include "tsvrows.h"
#include "virtualkeyboard.h"
#include "virtualkeyboard_p.h"
#include "zrcommonutils.h"

#include <QPixmap>
#include <QTest>

#include <cstring>

// Screen metrics, board detection, language switching and the on-screen keyboard. A loaded board
// library stays loaded, so CTest runs the board cases once per folder ORVO_BOARD names.
namespace {

QStringList tagged(const QString &texts)
{
    QStringList lines = texts.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    for (QString &line : lines)
        line.prepend(QStringLiteral("[virtualkeyboard] "));
    return lines;
}

// The setup words of tests/data/desktop/keyboard.tsv.
void script(FakeBackend &fake, const QString &setup)
{
    const QStringList words = setup.split(QLatin1Char(' '));
    const auto has = [&words](const char *word) { return words.contains(QLatin1String(word)); };
    fake.windows7 = has("win7");
    fake.keyboardWindow = has("window");
    fake.inputPane = has("nopane") ? 0 : 7;
    fake.locationResult = has("locationfails") ? qint32(0x80004005) : 0;
    fake.location = QRect(QPoint(40, 400), QPoint(40 + (has("5wide") ? 5 : has("6wide") ? 6 : 300), 700));
    fake.tipResult = has("notip") ? qint32(0x80040154) : 0;
    fake.programFiles = has("nofolder") ? QString()
                      : has("D:")       ? QStringLiteral("D:\\Program Files (x86)")
                                        : QStringLiteral("C:\\Program Files");
    fake.processStarts = !has("nostart");
    fake.shellOpened = {fake.processStarts, 2};
}

} // namespace

class tst_Screen : public QObject
{
    Q_OBJECT

    QScopedPointer<QTemporaryDir> m_env;

    // A fresh "envDir" holding the sample environment's compiled files named ("A.qm=B.qm": A's
    // content under the name B).
    void provide(const QString &files)
    {
        m_env.reset(new QTemporaryDir);
        QVERIFY(QDir(m_env->path()).mkdir(QStringLiteral("translations")));
        QDir::setSearchPaths(QStringLiteral("envDir"), {m_env->path()});
        for (const QString &file : files.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString from = file.section(QLatin1Char('='), 0, 0);
            QVERIFY2(QFile::copy(QStringLiteral(ORVO_TEST_TRANSLATIONS "/") + from,
                                 m_env->path() + QStringLiteral("/translations/") + file.section(QLatin1Char('='), -1)),
                     qPrintable(from));
        }
    }

private slots:
    void initTestCase() { collectDebugLines(); }
    void init() { debugLines().clear(); }

    void pixelsPerMillimetre_data()
    {
        addTsvRows(QStringLiteral("desktop/density.tsv"), {"width", "height", "dpiX", "dpiY", "bits"});
    }

    void pixelsPerMillimetre()
    {
        const double dx = tsvField("dpiX").toDouble(), dy = tsvField("dpiY").toDouble();
        const float got = OrvoKiv::pixelsPerMillimetre(tsvField("width").toInt(), tsvField("height").toInt(),
                                                       (dx + dy) / 2, dx, dy);
        quint32 gotBits;
        std::memcpy(&gotBits, &got, sizeof got);
        const quint32 bits = tsvField("bits").toUInt(nullptr, 16);
        QVERIFY2(bits ? gotBits == bits : qFuzzyCompare(got, 3.7795277f), qPrintable(QString::number(got, 'g', 9)));
    }

    void roundPixmap_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("100x50, an ellipse") << QSize(100, 50);
        QTest::newRow("140x140, the mask's own size") << QSize(140, 140);
        QTest::newRow("30x60, upscaled picture") << QSize(30, 60);
    }

    void roundPixmap()
    {
        QFETCH(QSize, size);
        QImage source(40, 40, QImage::Format_RGB32);
        source.fill(QColor(200, 30, 60));
        QPixmap picture = QPixmap::fromImage(source);
        ZRCommonUtils::getRoundPixmap(picture, size);
        const QImage result = picture.toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(result.size(), size);
        const int right = size.width() - 1, bottom = size.height() - 1;
        for (const QPoint &corner : {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)})
            QCOMPARE(qAlpha(result.pixel(corner)), 0);
        QCOMPARE(result.pixel(size.width() / 2, size.height() / 2), qRgba(200, 30, 60, 255));
        int partial = 0; // the anti-aliased rim where the circle crosses a row
        for (int x = 0; x < size.width(); ++x)
            partial += qAlpha(result.pixel(x, size.height() / 5)) % 255 != 0;
        QVERIFY(partial >= 2);
    }

    void board_data()
    {
        addTsvRows(QStringLiteral("desktop/board.tsv"),
                   {"board", "result", "second", "digitiser", "touches", "orvo", "hardware", "penSwitch"});
    }

    void board()
    {
        if (tsvField("board") != qEnvironmentVariable("ORVO_BOARD"))
            QSKIP("a case for another folder");
        qputenv("FAKE_TEV_RESULT", tsvField("result").toLatin1());
        qputenv("FAKE_TEV_SECOND", tsvField("second").toLatin1());
        QCOMPARE(ZRCommonUtils::isOrvoScreen(), tsvYes("orvo"));
        const QString penSwitch = tsvField("penSwitch");
        QCOMPARE(qApp->property("IsSupportPenSwitch"), penSwitch.isEmpty() ? QVariant() : QVariant(penSwitch == "true"));
        FakeBackend fake;
        fake.touch = {tsvYes("digitiser"), tsvField("touches").toInt()};
        const OrvoKiv::Platform::ScopedBackendOverride use(fake);
        QCOMPARE(ZRCommonUtils::isRunHardwareScreen(), tsvYes("hardware"));
    }

    void language_data() { addTsvRows(QStringLiteral("desktop/language.tsv"), {"files", "name", "code", "language"}); }

    void language()
    {
        provide(tsvField("files"));
        ZRCommonUtils::switchLanguage(tsvField("name"), tsvField("code"));
        QCOMPARE(QCoreApplication::translate("Language", "language"), tsvField("language"));
    }

    // The second call's empty translator would leave the first answering if it were not removed.
    void oneTranslatorAtATime()
    {
        provide(QStringLiteral("OrvoKiv6_en_US.qm OrvoPepBook_zh_CN.qm"));
        ZRCommonUtils::switchLanguage(QStringLiteral("OrvoKiv6"), QStringLiteral("en_US"));
        QCOMPARE(QCoreApplication::translate("Language", "language"), QStringLiteral("English"));
        ZRCommonUtils::switchLanguage(QStringLiteral("Missing"), QStringLiteral("en_US"));
        QCOMPARE(QCoreApplication::translate("Language", "language"), QStringLiteral("language"));
        ZRCommonUtils::switchLanguage(QStringLiteral("OrvoPepBook"), QStringLiteral("de_DE"));
        QCOMPARE(QCoreApplication::translate("OrvoPepBook", "Open"), QStringLiteral("打开课本"));
        QCOMPARE(QCoreApplication::translate("OrvoKiv6", "Open"), QStringLiteral("Open"));
    }

    void keyboard_data() { addTsvRows(QStringLiteral("desktop/keyboard.tsv"), {"setup", "request", "calls", "lines"}); }

    void keyboard()
    {
        FakeBackend fake;
        script(fake, tsvField("setup"));
        const OrvoKiv::Platform::ScopedBackendOverride use(fake);
        {
            VirtualKeyboardPrivate keyboard;
            const QString request = tsvField("request");
            if (!request.isEmpty()) // else the calls of construction
                fake.calls.clear();
            request == QLatin1String("show") ? keyboard.showKeyboard() : request.isEmpty() ? void() : keyboard.hideKeyboard();
        }
        QCOMPARE(fake.calls, tsvField("calls").split(QLatin1Char('|'), Qt::SkipEmptyParts));
        QCOMPARE(debugLines(), tagged(tsvField("lines")));
    }

    void keyboardStartLeavesCompatLayerForChildren()
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
    void keyboardOnThisSystem()
    {
        VirtualKeyboard::getInstence()->showKeyboard();
        VirtualKeyboard::getInstence()->hideKeyboard();
        const QString noPane = "Failed to get keyboard rect! frameworkInputPane is NULL!";
        QCOMPARE(debugLines(), tagged("begin show keyboard|Failed to open softkeyboard! : incorrect path|open|" + noPane
                                 + "|end show keyboard|hide keyboard|" + noPane));
    }
};

QTEST_MAIN(tst_Screen)
#include "tst_screen.moc"
