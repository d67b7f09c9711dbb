#include "zrcommonutils.h"

#include <QTest>

// A host without a screen (a QCoreApplication) gets the fallback density.
class tst_Screenless : public QObject
{
    Q_OBJECT

private slots:
    void fallbacks()
    {
        QCOMPARE(ZRCommonUtils::getPixsPerMm(), 3.7795277f);
        QCOMPARE(ZRCommonUtils::getPixsPerPound(), float(3.7795277f * 25.4 / 72.0)); // about 1.3333
        QVERIFY(!ZRCommonUtils::getScreenRect().isValid());
    }
};

QTEST_GUILESS_MAIN(tst_Screenless)
#include "tst_screenless.moc"
