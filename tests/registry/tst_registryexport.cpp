#include "debuglines.h"
#include "registryexport_p.h"
#include "registrystore_p.h"
#include "tsvrows.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>
#include <cstdio>
#include <memory>

using namespace OrvoKiv::Platform;

namespace {

const QString folder = QStringLiteral(ORVO_TEST_DATA "/registry/");

QByteArray fixture(const QString &name)
{
    QFile file(folder + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes an export whose HKCU\Software\Test "v" is `value`, replacing the file atomically; unlike
// QSaveFile without an fsync, so that a thousand rewrites stay cheap.
bool writeExport(const QString &path, const QString &value)
{
    QFile file(path + QStringLiteral(".new"));
    const QString text = QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                                        "[HKEY_CURRENT_USER\\Software\\Test]\r\n\"v\"=\"%1\"\r\n");
    return file.open(QIODevice::WriteOnly) && file.write(text.arg(value).toUtf8()) > 0 && file.flush()
        && std::rename(qPrintable(file.fileName()), qPrintable(path)) == 0;
}

// "v" with $ORVO_REGISTRY naming `source`.
QString lookup(const RegistryStore &store, const QString &source)
{
    qputenv("ORVO_REGISTRY", QFile::encodeName(source));
    return store.value(QStringLiteral("HKCU\\Software\\Test"), QStringLiteral("v"));
}

} // namespace

class RegistryExportTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { collectDebugLines(); }
    void lookups_data() { addTsvRows(QStringLiteral("registry/values.tsv"), {"case", "source", "view", "key", "name", "answer"}); }

    // Through the backend, as the library asks; the store tells a missing value from an empty one.
    void lookups()
    {
        const QString key = tsvField("key"), name = tsvField("name"), answer = tsvField("answer").replace(QChar(0x23CE), QLatin1Char('\n'));
        qputenv("ORVO_REGISTRY", QFile::encodeName(folder + tsvField("source")));
        const RegistryView v = tsvField("view") == QLatin1String("32") ? RegistryView::Registry32
            : tsvField("view") == QLatin1String("64")                  ? RegistryView::Registry64
                                                                       : RegistryView::Default;
        if (name == QLatin1String("(sub-keys)")) {
            QCOMPARE(nativeBackend().registrySubKeys(key, v).join(QLatin1Char('|')), answer);
        } else {
            const bool present = answer != QLatin1String("(missing)");
            QCOMPARE(bool(RegistryStore::instance().tree().value(RegistryStore::inView(RegistryKeyPath::fromString(key), v), name)), present);
            QCOMPARE(nativeBackend().registryValue(key, name, v), present ? answer : QString());
        }
    }

    // Every fixture: a bad line is logged once, with its number; a bad header rejects the file.
    void loggedLines_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QList<int>>("lines");

        QHash<QString, QList<int>> bad;
        for (const QString &line : QString::fromUtf8(fixture(QStringLiteral("badlines.tsv"))).split('\n', Qt::SkipEmptyParts))
            for (const QString &number : line.startsWith('#') ? QStringList() : line.section('\t', 1).split(' '))
                bad[line.section('\t', 0, 0)].append(number.toInt());
        for (QDirIterator it(folder, {QStringLiteral("*.reg")}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
            const QString file = it.next().mid(folder.size());
            QTest::newRow(qPrintable(file)) << file << bad.value(file);
        }
    }

    void loggedLines()
    {
        QFETCH(QString, file);
        QFETCH(QList<int>, lines);

        debugLines().clear();
        // only a refused header is logged for line 1
        QCOMPARE(RegistryExport::parse(fixture(file), file).isValid(), lines.value(0) != 1);
        const QRegularExpression format(QStringLiteral("^RegistryExport::parse: (.+) line (\\d+) - \\S"));
        QList<int> numbers;
        for (const QString &line : qAsConst(debugLines())) {
            const QRegularExpressionMatch match = format.match(line);
            QVERIFY2(match.hasMatch() && match.captured(1) == file, qPrintable(line));
            numbers.append(match.captured(2).toInt());
        }
        QCOMPARE(numbers, lines);
    }
    void defaultSource()
    {
        qputenv("ORVO_REGISTRY", QByteArray());
        QCOMPARE(RegistryStore::sourcePath(), QStringLiteral("/etc/Tesvari/registry"));
    }

    void parsesOnlyWhatChanged()
    {
        QTemporaryDir dir;
        const auto file = [&dir](const char *name) { return dir.filePath(QString::fromUtf8(name)); };
        QVERIFY(writeExport(file("10-a.reg"), QStringLiteral("a")));
        QVERIFY(writeExport(file("20-b.reg"), QStringLiteral("b")));

        RegistryStore store;
        QCOMPARE(lookup(store, file("10-a.reg")), QStringLiteral("a"));
        QCOMPARE(lookup(store, file("20-b.reg")), QStringLiteral("b"));
        QCOMPARE(lookup(store, dir.path()), QStringLiteral("b"));
        QCOMPARE(store.parseCount(), 2); // the folder's files were parsed already

        QVERIFY(writeExport(file("30-c.reg"), QStringLiteral("c")));
        QCOMPARE(lookup(store, dir.path()), QStringLiteral("c"));
        QVERIFY(QFile::remove(file("30-c.reg")));
        QCOMPARE(lookup(store, dir.path()), QStringLiteral("b"));
        QCOMPARE(store.parseCount(), 3);

        { // same size, same inode: only the modification time tells
            QFile f(file("20-b.reg"));
            QVERIFY(f.open(QIODevice::ReadWrite));
            const QByteArray bytes = f.readAll().replace("\"b\"", "\"x\"");
            QVERIFY(f.seek(0) && f.write(bytes) == bytes.size() && f.flush());
            QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
        }
        QCOMPARE(lookup(store, dir.path()), QStringLiteral("x"));
        QCOMPARE(store.parseCount(), 4);

        // A link's target changes outside the watched folder.
        QTemporaryDir elsewhere;
        const QString target = elsewhere.filePath(QStringLiteral("site.reg"));
        QVERIFY(writeExport(target, QStringLiteral("link")));
        QVERIFY(QFile::link(target, file("40-link.reg")));
        QCOMPARE(lookup(store, dir.path()), QStringLiteral("link"));
        QVERIFY(writeExport(target, QStringLiteral("moved")));
        QCOMPARE(lookup(store, dir.path()), QStringLiteral("moved"));
        QVERIFY(QFile::remove(file("20-b.reg")));
        QCOMPARE(lookup(store, file("20-b.reg")), QString());
        QCOMPARE(store.parseCount(), 6);
    }

    void lookupsFromManyThreads()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.reg"));
        QVERIFY(writeExport(path, QStringLiteral("0")));
        RegistryStore store;
        qputenv("ORVO_REGISTRY", QFile::encodeName(path));
        std::atomic<int> misses{0};
        std::atomic<bool> done{false};
        std::unique_ptr<QThread> readers[4];
        for (auto &reader : readers) {
            reader.reset(QThread::create([&] {
                while (!done)
                    misses += store.value(QStringLiteral("HKCU\\Software\\Test"), QStringLiteral("v")).isEmpty();
            }));
            reader->start();
        }
        for (int i = 1; i <= 1000; ++i)
            writeExport(path, QString::number(i));
        done = true;
        for (auto &reader : readers)
            reader->wait();
        QCOMPARE(misses.load(), 0);
        QCOMPARE(lookup(store, path), QStringLiteral("1000"));
    }
};

QTEST_GUILESS_MAIN(RegistryExportTest)

#include "tst_registryexport.moc"
