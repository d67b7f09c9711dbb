#include "scanmachine.h"
#include "zrwinapputils.h"

#include <QJsonArray>
#include <QTest>

// A scan that ends with the pin counter between 1 and 3 pins the first programs of the next one.
class tst_ScanPinResume : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void resumes()
    {
        QVERIFY(m_machine.setUp());
        qputenv("ORVO_COMMON_PROGRAMS", QFile::encodeName(m_machine.commonStartMenu()));
        QCOMPARE(m_machine.scanShortcuts({"P", "vuri5"}), (QStringList{"vuri5", "P"})); // counter ends at 1
        QCOMPARE(m_machine.scanShortcuts({"A", "B", "C", "D"}), (QStringList{"C", "B", "A", "D"}));
    }

private:
    ScanMachine m_machine;
};

QTEST_GUILESS_MAIN(tst_ScanPinResume)
#include "tst_scanpinresume.moc"
