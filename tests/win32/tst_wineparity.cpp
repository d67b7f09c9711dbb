// The Linux registry backend must answer as the Win32 one does on Windows. run-wine-tests.sh
// runs the Win32 backend under Wine, records its answers to a fixed list of lookups in
// answers.tsv and exports the keys behind them with regedit; this test points the Linux
// backend at those exports and asks the same lookups.

#include "platformbackend_p.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTest>

using OrvoKiv::Platform::RegistryView;

Q_DECLARE_METATYPE(OrvoKiv::Platform::RegistryView)

namespace {

// answers.tsv: UTF-8, one lookup a line, "#" comments,
//   kind <TAB> view <TAB> key path <TAB> value name <TAB> answer
// kind "value" or "subkeys"; view "default", "32" or "64"; sub-key names joined with "\n";
// backslash, tab, line feed and carriage return escaped with a backslash.
struct Lookup
{
    int line = 0;
    bool subKeys = false;
    RegistryView view = RegistryView::Default;
    QString keyPath;
    QString valueName;
    QString answer;
};

QString unescaped(const QString &field)
{
    QString out;
    out.reserve(field.size());
    for (int i = 0; i < field.size(); ++i) {
        const QChar c = field.at(i);
        if (c != QLatin1Char('\\') || i + 1 == field.size()) {
            out += c;
            continue;
        }
        const QChar next = field.at(++i);
        if (next == QLatin1Char('t'))
            out += QLatin1Char('\t');
        else if (next == QLatin1Char('n'))
            out += QLatin1Char('\n');
        else if (next == QLatin1Char('r'))
            out += QLatin1Char('\r');
        else
            out += next;
    }
    return out;
}

bool parseLine(const QString &text, Lookup *lookup)
{
    const QStringList fields = text.split(QLatin1Char('\t'));
    if (fields.size() != 5)
        return false;
    if (fields[0] == QLatin1String("value"))
        lookup->subKeys = false;
    else if (fields[0] == QLatin1String("subkeys"))
        lookup->subKeys = true;
    else
        return false;
    if (fields[1] == QLatin1String("default"))
        lookup->view = RegistryView::Default;
    else if (fields[1] == QLatin1String("32"))
        lookup->view = RegistryView::Registry32;
    else if (fields[1] == QLatin1String("64"))
        lookup->view = RegistryView::Registry64;
    else
        return false;
    lookup->keyPath = unescaped(fields[2]);
    lookup->valueName = unescaped(fields[3]);
    lookup->answer = unescaped(fields[4]);
    return true;
}

QStringList names(const QString &joined)
{
    return joined.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class WineParityTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void lookup_data();
    void lookup();

private:
    QVector<Lookup> m_lookups;
};

void WineParityTest::initTestCase()
{
    const QString dir = qEnvironmentVariable("ORVO_WINE_PARITY_DIR");
    if (dir.isEmpty())
        QSKIP("ORVO_WINE_PARITY_DIR is not set (tests/win32/run-wine-tests.sh fills that folder)");

    QFile answers(QDir(dir).filePath(QStringLiteral("answers.tsv")));
    QVERIFY2(answers.open(QIODevice::ReadOnly), qPrintable(answers.errorString()));
    const QStringList lines = QString::fromUtf8(answers.readAll()).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString text = lines[i];
        if (text.isEmpty() || text.startsWith(QLatin1Char('#')))
            continue;
        Lookup lookup;
        lookup.line = i + 1;
        QVERIFY2(parseLine(text, &lookup), qPrintable(QStringLiteral("answers.tsv:%1: %2").arg(i + 1).arg(text)));
        m_lookups.append(lookup);
    }

    // A short or empty file would pass vacuously: every kind and view must be there.
    QSet<QString> seen;
    for (const Lookup &lookup : qAsConst(m_lookups))
        seen.insert(QString::number(lookup.subKeys) + QString::number(int(lookup.view)));
    QCOMPARE(seen.size(), 6);

    QVERIFY(!QDir(dir).entryList({QStringLiteral("*.reg")}, QDir::Files).isEmpty());
    qputenv("ORVO_REGISTRY", QFile::encodeName(dir));
}

void WineParityTest::lookup_data()
{
    QTest::addColumn<bool>("subKeys");
    QTest::addColumn<RegistryView>("view");
    QTest::addColumn<QString>("keyPath");
    QTest::addColumn<QString>("valueName");
    QTest::addColumn<QString>("answer");

    static const char *const viewNames[] = {"default", "32", "64"};
    for (const Lookup &l : qAsConst(m_lookups)) {
        const QString tag = QStringLiteral("%1 %2 %3 %4 %5")
                                .arg(l.line)
                                .arg(l.subKeys ? QStringLiteral("subkeys") : QStringLiteral("value"))
                                .arg(QLatin1String(viewNames[int(l.view)]), l.keyPath, l.valueName);
        QTest::newRow(qPrintable(tag)) << l.subKeys << l.view << l.keyPath << l.valueName << l.answer;
    }
}

void WineParityTest::lookup()
{
    QFETCH(bool, subKeys);
    QFETCH(RegistryView, view);
    QFETCH(QString, keyPath);
    QFETCH(QString, valueName);
    QFETCH(QString, answer);

    const OrvoKiv::Platform::Backend &native = OrvoKiv::Platform::nativeBackend();
    if (subKeys)
        QCOMPARE(native.registrySubKeys(keyPath, view), names(answer));
    else
        QCOMPARE(native.registryValue(keyPath, valueName, view), answer);
}

QTEST_GUILESS_MAIN(WineParityTest)

#include "tst_wineparity.moc"
