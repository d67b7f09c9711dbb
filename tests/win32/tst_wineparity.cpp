// The Linux registry backend must answer as the Win32 one does on Windows. run-wine-tests.sh
// runs the Win32 backend under Wine, records its answers in answers.tsv and exports the keys
// behind them with regedit; this test points the Linux backend at those exports and asks the
// same lookups.

#include "platformbackend_p.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTest>

using OrvoKiv::Platform::RegistryView;

class WineParityTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // answers.tsv: UTF-8, "#" comments, one lookup a line, nothing escaped:
    //   "value" or "subkeys" <TAB> "default", "32" or "64" <TAB> key path <TAB> value name <TAB> answer
    // where a "subkeys" answer joins the names with "\", which no key name holds.
    void lookup_data()
    {
        QTest::addColumn<QStringList>("fields");
        const QString dir = qEnvironmentVariable("ORVO_WINE_PARITY_DIR");
        if (dir.isEmpty())
            QSKIP("ORVO_WINE_PARITY_DIR is not set (tests/win32/run-wine-tests.sh fills that folder)");
        QFile answers(QDir(dir).filePath(QStringLiteral("answers.tsv")));
        QVERIFY2(answers.open(QIODevice::ReadOnly), qPrintable(answers.errorString()));
        qputenv("ORVO_REGISTRY", QFile::encodeName(dir));

        // A short file would pass vacuously: both kinds must be there in every view, and no other.
        QSet<QString> kinds;
        for (const QString &line : QString::fromUtf8(answers.readAll()).split(QLatin1Char('\n'))) {
            const QStringList fields = line.split(QLatin1Char('\t'));
            if (line.startsWith(QLatin1Char('#')) || fields.size() != 5)
                continue;
            kinds.insert(fields[0] + fields[1]);
            QTest::addRow("%s", qPrintable(fields.mid(0, 4).join(QLatin1Char(' ')))) << fields;
        }
        QCOMPARE(kinds.size(), 6);
    }

    void lookup()
    {
        QFETCH(QStringList, fields);
        const auto view = RegistryView(QStringList{QStringLiteral("default"), QStringLiteral("32"),
                                                   QStringLiteral("64")}.indexOf(fields[1]));
        const OrvoKiv::Platform::Backend &native = OrvoKiv::Platform::nativeBackend();
        if (fields[0] == QLatin1String("subkeys"))
            QCOMPARE(native.registrySubKeys(fields[2], view).join(QLatin1Char('\\')), fields[4]);
        else
            QCOMPARE(native.registryValue(fields[2], fields[3], view), fields[4]);
    }
};

QTEST_GUILESS_MAIN(WineParityTest)

#include "tst_wineparity.moc"
