#include "fakebackend.h"
#include "screenmetrics_p.h"
#include "zrcommonutils.h"

#include <QImage>
#include <QPixmap>
#include <QTest>

#include <cstring>

// Densities for given screens, the mask, round pictures and the touch-screen rule.
class tst_Screen : public QObject
{
    Q_OBJECT

private slots:
    void pixelsPerMillimetre_data();
    void pixelsPerMillimetre();
    void maskResource();
    void roundPixmap_data();
    void roundPixmap();
    void hardwareScreen_data();
    void hardwareScreen();
};

void tst_Screen::pixelsPerMillimetre_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("dx");
    QTest::addColumn<double>("dy");
    QTest::addColumn<quint32>("bits"); // 0: 96 / 25.4 up to the last float steps
    QTest::newRow("1920x1080 at 96") << QSize(1920, 1080) << 96.0 << 96.0 << 0u;
    QTest::newRow("1920x1080 at 144") << QSize(1920, 1080) << 144.0 << 144.0 << 0u;
    QTest::newRow("1366x768 at 120") << QSize(1366, 768) << 120.0 << 120.0 << 0u;
    // The float each single/double step gives, worked out apart from this code.
    QTest::newRow("1920x1080 at 96/144") << QSize(1920, 1080) << 96.0 << 144.0 << 0x408cb9d4u;
    QTest::newRow("3840x2160 at 96/120") << QSize(3840, 2160) << 96.0 << 120.0 << 0x40820b0eu;
}

void tst_Screen::pixelsPerMillimetre()
{
    QFETCH(QSize, size);
    QFETCH(double, dx);
    QFETCH(double, dy);
    QFETCH(quint32, bits);
    const float got = OrvoKiv::pixelsPerMillimetre(size.width(), size.height(), (dx + dy) / 2, dx, dy);
    quint32 gotBits;
    std::memcpy(&gotBits, &got, sizeof got);
    QVERIFY2(bits ? gotBits == bits : qFuzzyCompare(got, 3.7795277f), qPrintable(QString::number(got, 'g', 9)));
}

void tst_Screen::maskResource()
{
    const QImage mask(QStringLiteral(":/images/mask.png"));
    QCOMPARE(mask.size(), QSize(140, 140));
    QCOMPARE(mask.pixel(0, 0), qRgba(0, 0, 0, 255));
    QCOMPARE(mask.pixel(139, 139), qRgba(0, 0, 0, 255));
    QCOMPARE(qAlpha(mask.pixel(70, 70)), 0);
    int partial = 0; // the anti-aliased rim where the circle crosses a row
    for (int x = 0; x < 140; ++x)
        partial += qAlpha(mask.pixel(x, 30)) % 255 != 0;
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
