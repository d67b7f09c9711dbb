#include "scanmachine.h"
#include "zrwinapputils.h"

#include <QJsonArray>
#include <QTest>

// The pin counter lives as long as the process, so this program scans in a fixed sequence.
class tst_ScanPin : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void firstScanPinsDodiDuvuAndTheThreeAfterIt();
    void laterScansContinueTheCounter();
    void everyDodiDuvuProgramGoesFirst();

private:
    ScanMachine m_machine;
};

void tst_ScanPin::initTestCase()
{
    QVERIFY(m_machine.setUp());
    qputenv("ORVO_COMMON_PROGRAMS", QFile::encodeName(m_machine.commonStartMenu()));
}

void tst_ScanPin::firstScanPinsDodiDuvuAndTheThreeAfterIt()
{
    // Names chosen so that the sorted order is P, Pvuri5, Q, R, S, T.
    QCOMPARE(m_machine.scanShortcuts({"T", "S", "R", "Q", "Pvuri5", "P"}), (QStringList{"S", "R", "Q", "Pvuri5", "P", "T"}));
}

void tst_ScanPin::laterScansContinueTheCounter()
{
    // The counter stands at 4: nothing is pinned without "vuri".
    QCOMPARE(m_machine.scanShortcuts({"A", "B", "C"}), (QStringList{"A", "B", "C"}));
}

void tst_ScanPin::everyDodiDuvuProgramGoesFirst()
{
    QCOMPARE(m_machine.scanShortcuts({"A", "Avuri1", "B", "Bvuri2"}), (QStringList{"Bvuri2", "Avuri1", "A", "B"}));
}

QTEST_GUILESS_MAIN(tst_ScanPin)
#include "tst_scanpin.moc"
