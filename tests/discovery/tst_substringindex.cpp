#include "substringindex_p.h"
#include "tsvrows.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cmath>

// The index must answer exactly as the loop of QString::contains() it replaces: the first match.
class tst_SubstringIndex : public QObject
{
    Q_OBJECT

private slots:
    void sameAsContains_data()
    {
        addTsvRows(QStringLiteral("scan/substrings.tsv"), {"case", "added", "text"});
        QTest::newRow("long query, linear fallback") << QString() << "needle,x" << QString(5000, QLatin1Char('n')) + "needle";
        QTest::newRow("long query, absent") << QString() << "needle" << QString(5000, QLatin1Char('n'));

        // Random texts over a small alphabet (the digits of base 3) hit every length and overlap.
        QRandomGenerator random(7);
        const auto word = [&random](int maxLength) {
            const int length = random.bounded(1, maxLength + 1);
            return QString::number(random.bounded(int(std::pow(3, length))), 3).rightJustified(length, u'0');
        };
        for (int round = 0; round < 200; ++round) {
            QStringList added;
            for (int n = random.bounded(1, 12); n > 0; --n)
                added << word(6);
            QTest::addRow("random %d", round) << QString() << added.join(QLatin1Char(',')) << word(12);
        }
    }

    void sameAsContains()
    {
        const QString text = tsvField("text");
        const QStringList added = tsvField("added").isNull() ? QStringList() : tsvField("added").split(QLatin1Char(','));
        OrvoKiv::SubstringIndex index;
        int expected = -1;
        for (int i = 0; i < added.size(); ++i) {
            index.add(added.at(i));
            if (expected < 0 && text.contains(added.at(i)))
                expected = i;
        }
        QCOMPARE(index.firstOccurringIn(text), expected);
    }
};

QTEST_GUILESS_MAIN(tst_SubstringIndex)
#include "tst_substringindex.moc"
