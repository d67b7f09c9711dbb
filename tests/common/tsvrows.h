#ifndef ORVO_TESTS_TSVROWS_H
#define ORVO_TESTS_TSVROWS_H

#include <QFile>
#include <QTest>

// The rows of a tab-separated fixture under tests/data as QtTest data, one QString column per
// field ("-" is an empty field; blank and '#' lines are skipped). A row is named by its line.
// QtTest keeps the column names' pointers: pass literals.
inline void addTsvRows(const QString &file, const QVector<const char *> &columns)
{
    for (const char *column : columns)
        QTest::addColumn<QString>(column);
    QFile tsv(QStringLiteral(ORVO_TEST_DATA "/") + file);
    QVERIFY2(tsv.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(file));
    for (int number = 1; !tsv.atEnd(); ++number) {
        const QString line = QString::fromUtf8(tsv.readLine()).remove(QLatin1Char('\n'));
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        QVERIFY2(fields.size() == columns.size(), qPrintable(QStringLiteral("%1:%2").arg(file).arg(number)));
        QTestData &row = QTest::addRow("%s:%d %s", qPrintable(file), number, qPrintable(fields.first()));
        for (const QString &field : fields)
            row << (field == QLatin1String("-") ? QString() : field);
    }
}

// A field of the current row, without a QFETCH per column.
inline QString tsvField(const char *column)
{
    return *static_cast<QString *>(QTest::qData(column, qMetaTypeId<QString>()));
}

inline bool tsvYes(const char *column)
{
    return tsvField(column) == QLatin1String("yes");
}

#endif
