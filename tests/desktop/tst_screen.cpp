#include "fakebackend.h"
#include "screenmetrics_p.h"
#include "zrcommonutils.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include <cstring>

// Screen metrics on the offscreen platform's screen; pixel densities for given screens.
class tst_Screen : public QObject
{
    Q_OBJECT

private slots:
    void pixelsPerMillimetre_data();
    void pixelsPerMillimetre();
    void primaryScreen();
    void maskResource();
    void roundPixmap_data();
    void roundPixmap();
    void hardwareScreen_data();
    void hardwareScreen();
};

namespace {
float fromBits(quint32 bits)
{
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
} // namespace

void tst_Screen::pixelsPerMillimetre_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<double>("dx");
    QTest::addColumn<double>("dy");
    QTest::addColumn<float>("expected");
    QTest::addColumn<bool>("exact");
    // Equal axes: 96 / 25.4 whatever the density, up to the last float steps.
    QTest::newRow("1920x1080 at 96") << 1920 << 1080 << 96.0 << 96.0 << 3.7795277f << false;
    QTest::newRow("1920x1080 at 144") << 1920 << 1080 << 144.0 << 144.0 << 3.7795277f << false;
    QTest::newRow("1366x768 at 120") << 1366 << 768 << 120.0 << 120.0 << 3.7795277f << false;
    // Unequal axes: the float each single/double step gives, worked out apart from this code.
    QTest::newRow("1920x1080 at 96/144") << 1920 << 1080 << 96.0 << 144.0 << fromBits(0x408cb9d4) << true;
    QTest::newRow("3840x2160 at 96/120") << 3840 << 2160 << 96.0 << 120.0 << fromBits(0x40820b0e) << true;
}

void tst_Screen::pixelsPerMillimetre()
{
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(double, dx);
    QFETCH(double, dy);
    QFETCH(float, expected);
    QFETCH(bool, exact);
    const float got = OrvoKiv::pixelsPerMillimetre(w, h, (dx + dy) / 2, dx, dy);
    QVERIFY2(exact ? std::memcmp(&got, &expected, sizeof got) == 0 : qFuzzyCompare(got, expected),
             qPrintable(QString::number(double(got), 'g', 9)));
}

void tst_Screen::primaryScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    QVERIFY(screen);
    QCOMPARE(ZRCommonUtils::getScreenRect(), screen->geometry());
    const float perMm = ZRCommonUtils::getPixsPerMm();
    QCOMPARE(perMm, OrvoKiv::pixelsPerMillimetre(screen->geometry().width(),
                                                 screen->geometry().height(),
                                                 screen->logicalDotsPerInch(),
                                                 screen->logicalDotsPerInchX(),
                                                 screen->logicalDotsPerInchY()));
    QCOMPARE(ZRCommonUtils::getPixsPerPound(), float(perMm * 25.4 / 72.0));
}

void tst_Screen::maskResource()
{
    const QImage mask(QStringLiteral(":/images/mask.png"));
    QCOMPARE(mask.size(), QSize(140, 140));
    QVERIFY(mask.hasAlphaChannel());
    QCOMPARE(mask.pixel(0, 0), qRgba(0, 0, 0, 255));
    QCOMPARE(mask.pixel(139, 139), qRgba(0, 0, 0, 255));
    QCOMPARE(qAlpha(mask.pixel(70, 70)), 0);
    // The rim is anti-aliased: partly covered pixels lie where the circle crosses the row.
    int partial = 0;
    for (int x = 0; x < 140; ++x) {
        const int alpha = qAlpha(mask.pixel(x, 30));
        partial += alpha > 0 && alpha < 255;
    }
    QVERIFY(partial >= 2);
}

void tst_Screen::roundPixmap_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("100x50, an ellipse") << QSize(100, 50);
    QTest::newRow("140x140, the mask's own size") << QSize(140, 140);
    QTest::newRow("30x60, upscaled picture") << QSize(30, 60);
}

void tst_Screen::roundPixmap()
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
}

void tst_Screen::hardwareScreen_data()
{
    QTest::addColumn<bool>("digitizer");
    QTest::addColumn<int>("touches");
    QTest::addColumn<bool>("expected");
    QTest::newRow("10 touch points") << true << 10 << true;
    QTest::newRow("5 touch points") << true << 5 << false;
    QTest::newRow("6, the least") << true << 6 << true;
    QTest::newRow("254, the most") << true << 254 << true;
    QTest::newRow("255") << true << 255 << false;
    QTest::newRow("262 taken as 8 bits: 6") << true << 262 << true;
    QTest::newRow("no touch digitiser") << false << 10 << false;
}

// No board library lies where "Tevdev/tev_api" is looked for, so the touch metrics decide.
void tst_Screen::hardwareScreen()
{
    QFETCH(bool, digitizer);
    QFETCH(int, touches);
    QFETCH(bool, expected);
    FakeBackend fake;
    fake.touch = {digitizer, touches};
    const OrvoKiv::Platform::ScopedBackendOverride use(fake);
    QCOMPARE(ZRCommonUtils::isRunHardwareScreen(), expected);
}

QTEST_MAIN(tst_Screen)
#include "tst_screen.moc"
