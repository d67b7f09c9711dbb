#include "registryexport_p.h"
#include "registrystore_p.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace OrvoKiv::Platform;

namespace {

const QString folder = QStringLiteral(ORVO_TEST_DATA "/registry/");

QByteArray fixture(const QString &name)
{
    QFile file(folder + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList logged;
QtMessageHandler previousHandler = nullptr;

void collect(QtMsgType type, const QMessageLogContext &context, const QString &line)
{
    if (type == QtDebugMsg)
        logged.append(line);
    else
        previousHandler(type, context, line);
}

} // namespace

class RegistryExportTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { previousHandler = qInstallMessageHandler(collect); }
    void lookups_data();
    void lookups();
    void loggedLines_data();
    void loggedLines();
};

void RegistryExportTest::lookups_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("view");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("answer");

    const QString table = QString::fromUtf8(fixture(QStringLiteral("values.tsv")));
    QVERIFY(!table.isEmpty());
    for (const QString &line : table.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList f = line.split(QLatin1Char('\t'));
        if (line.startsWith(QLatin1Char('#')))
            continue;
        QVERIFY2(f.size() == 6, qPrintable(line));
        QTest::newRow(qPrintable(f[0])) << f[1] << f[2] << f[3] << f[4]
                                        << QString(f[5]).replace(QChar(0x23CE), QLatin1Char('\n'));
    }
}

// Through the backend, as the library asks; the store tells a missing value from an empty one.
void RegistryExportTest::lookups()
{
    QFETCH(QString, source);
    QFETCH(QString, view);
    QFETCH(QString, key);
    QFETCH(QString, name);
    QFETCH(QString, answer);

    qputenv("ORVO_REGISTRY", QFile::encodeName(folder + source));
    const RegistryView v = view == QLatin1String("32") ? RegistryView::Registry32
        : view == QLatin1String("64")                  ? RegistryView::Registry64
                                                       : RegistryView::Default;
    if (name == QLatin1String("(sub-keys)")) {
        QCOMPARE(nativeBackend().registrySubKeys(key, v).join(QLatin1Char('|')), answer);
        return;
    }
    const bool present = answer != QLatin1String("(missing)");
    const RegistryKeyPath path = RegistryStore::inView(RegistryKeyPath::fromString(key), v);
    QCOMPARE(bool(RegistryStore::instance().tree().value(path, name)), present);
    QCOMPARE(nativeBackend().registryValue(key, name, v), present ? answer : QString());
}

// Every fixture: a bad line is logged once, with its number; a bad header rejects the file.
void RegistryExportTest::loggedLines_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QList<int>>("lines");

    const QHash<QString, QList<int>> bad{
        {QStringLiteral("quirks.reg"), {6, 39}},
        {QStringLiteral("malformed.reg"), {5, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16, 18, 21, 23, 25, 27, 29, 30}},
        {QStringLiteral("bad-header.reg"), {1}},
        {QStringLiteral("garbage.reg"), {1}},
        {QStringLiteral("empty.reg"), {1}},
    };
    QDirIterator it(folder, {QStringLiteral("*.reg")}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next().mid(folder.size());
        QTest::newRow(qPrintable(file)) << file << bad.value(file);
    }
}

void RegistryExportTest::loggedLines()
{
    QFETCH(QString, file);
    QFETCH(QList<int>, lines);

    logged.clear();
    // only a refused header is logged for line 1
    QCOMPARE(RegistryExport::parse(fixture(file), file).isValid(), lines.value(0) != 1);
    const QRegularExpression format(QStringLiteral("^RegistryExport::parse: (.+) line (\\d+) - \\S"));
    QList<int> numbers;
    for (const QString &line : qAsConst(logged)) {
        const QRegularExpressionMatch match = format.match(line);
        QVERIFY2(match.hasMatch() && match.captured(1) == file, qPrintable(line));
        numbers.append(match.captured(2).toInt());
    }
    QCOMPARE(numbers, lines);
}

QTEST_GUILESS_MAIN(RegistryExportTest)

#include "tst_registryexport.moc"
