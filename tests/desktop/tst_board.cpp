#include "fakebackend.h"
#include "zrcommonutils.h"

#include <QCoreApplication>
#include <QTest>

// Board detection, run once per working folder: ORVO_BOARD names what "Tevdev/tev_api" is there
// ("none", "without" the board function, "with" it). A loaded board library stays loaded, so
// each folder needs a process of its own.
class tst_Board : public QObject
{
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
};

void tst_Board::answers_data()
{
    QTest::addColumn<QByteArray>("result");
    QTest::addColumn<QByteArray>("second");
    QTest::addColumn<bool>("orvo");
    QTest::addColumn<QVariant>("penSwitch");

    const QByteArray board = qgetenv("ORVO_BOARD");
    if (board == "none") {
        QTest::newRow("no library: property untouched") << QByteArray("0") << QByteArray("0")
                                                       << false << QVariant();
    } else if (board == "without") {
        QTest::newRow("no function: property still set") << QByteArray("0") << QByteArray("-1")
                                                        << false << QVariant(true);
    } else if (board == "with") {
        QTest::newRow("board") << QByteArray("0") << QByteArray("0") << true << QVariant(true);
        QTest::newRow("board without pen switch") << QByteArray("0") << QByteArray("-1") << true
                                                  << QVariant(false);
        QTest::newRow("pen switch back") << QByteArray("0") << QByteArray("2") << true
                                         << QVariant(true);
        QTest::newRow("board call fails") << QByteArray("3") << QByteArray("-1") << false
                                          << QVariant(true);
    } else {
        QFAIL("ORVO_BOARD must be none, without or with");
    }
}

void tst_Board::answers()
{
    QFETCH(QByteArray, result);
    QFETCH(QByteArray, second);
    QFETCH(bool, orvo);
    QFETCH(QVariant, penSwitch);
    qputenv("FAKE_TEV_RESULT", result);
    qputenv("FAKE_TEV_SECOND", second);

    QCOMPARE(ZRCommonUtils::isOrvoScreen(), orvo);
    QCOMPARE(qApp->property("IsSupportPenSwitch"), penSwitch);

    // The board answers before the touch metrics are asked.
    FakeBackend fake;
    const OrvoKiv::Platform::ScopedBackendOverride use(fake);
    QCOMPARE(ZRCommonUtils::isRunHardwareScreen(), orvo);
    fake.touch = {true, 10};
    QVERIFY(ZRCommonUtils::isRunHardwareScreen());
}

QTEST_GUILESS_MAIN(tst_Board)
#include "tst_board.moc"
