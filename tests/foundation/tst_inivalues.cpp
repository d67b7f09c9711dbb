#include "inivalues_p.h"
#include "tsvrows.h"
#include "zriniconfiguremanager.h"

#include <QColor>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextCodec>

// The INI values QSettings would decode, seen before it decodes them.
class tst_IniValues : public QObject
{
    Q_OBJECT

    QTextCodec *const m_utf8 = QTextCodec::codecForName("UTF-8");
    QTemporaryDir m_dir;

private Q_SLOTS:
    // The scan must see each value exactly as Qt's reader does, or a crafted line slips past it.
    void valuesAsQtReadsThem()
    {
        const QString file = QStringLiteral(ORVO_TEST_DATA "/foundation/values.ini");
        QSettings settings(file, QSettings::IniFormat);
        settings.setIniCodec(m_utf8);
        QVector<QStringList> expected;
        for (const QString &key : settings.allKeys()) {
            const QVariant value = settings.value(key);
            expected << (value.type() == QVariant::StringList ? value.toStringList() : QStringList(value.toString()));
        }
        QFile text(file);
        QVERIFY(text.open(QIODevice::ReadOnly));
        QCOMPARE(OrvoKiv::iniValues(text.readAll(), m_utf8), expected);
    }

    void variantSafety_data() { addTsvRows(QStringLiteral("foundation/variants.tsv"), {"case", "form", "payload", "safe"}); }

    void variantSafety()
    {
        const QString payload = tsvField("payload");
        const int times = payload.contains(QLatin1Char('*')) ? payload.section(QLatin1Char('*'), 1).toInt() : 1;
        QByteArray escaped;
        for (const char byte : QByteArray::fromHex(payload.section(QLatin1Char('*'), 0, 0).toLatin1()).repeated(times))
            escaped += "\\x" + QByteArray::number(uchar(byte), 16);
        const QByteArray text = tsvField("form").toUtf8().replace("{V}", "Variant(" + escaped + ')').replace("{D}", "DateTime(" + escaped + ')');
        QCOMPARE(OrvoKiv::iniVariantsAreSafe(text, m_utf8), tsvYes("safe"));
        if (!tsvYes("safe"))
            return;
        QFile file(m_dir.filePath(QStringLiteral("safe.ini")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        file.close();
        QSettings settings(file.fileName(), QSettings::IniFormat);
        for (const QString &key : settings.allKeys()) // Qt decodes it without harm
            settings.value(key);
    }

    // What hosts store through QSettings reads back whole: no false alarm on Qt's own output.
    void variantsQtWritesAreRead()
    {
        const QString file = m_dir.filePath(QStringLiteral("written.ini"));
        const QVariantMap values{{"color", QColor(1, 2, 3)},
                                 {"date", QDate(2020, 1, 2)},
                                 {"when", QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5), Qt::OffsetFromUTC, 3600)},
                                 {"list", QVariantList{1, "a", QVariantMap{{"x", 2.5}}}},
                                 {"map", QVariantMap{{"k", QStringList{"p", "q"}}}},
                                 {"point", QPointF(1.5, 2)},
                                 {"bytes", QByteArray("x\0y", 3)}};
        {
            QSettings settings(file, QSettings::IniFormat);
            settings.setIniCodec(m_utf8);
            for (auto value = values.begin(); value != values.end(); ++value)
                settings.setValue(value.key(), value.value());
        }
        ZRIniConfigureManager manager(file);
        for (auto value = values.begin(); value != values.end(); ++value)
            QCOMPARE(manager.getValue(value.key(), QVariant()), value.value());
    }
};

QTEST_GUILESS_MAIN(tst_IniValues)
#include "tst_inivalues.moc"
