#include "registrystore_p.h"

#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>
#include <vector>

using namespace OrvoKiv::Platform;

Q_DECLARE_METATYPE(OrvoKiv::Platform::RegistryView)

namespace {

const char variable[] = "ORVO_REGISTRY";

QString data(const QString &name)
{
    return QStringLiteral(ORVO_TEST_DATA "/registry/") + name;
}

void useSource(const QString &path)
{
    qputenv(variable, QFile::encodeName(path));
}

// Writes an export whose HKCU\Software\Test "v" is `value`, replacing the file atomically.
bool writeExport(const QString &path, const QString &value)
{
    QSaveFile file(path);
    const QString text = QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                                        "[HKEY_CURRENT_USER\\Software\\Test]\r\n\"v\"=\"%1\"\r\n");
    return file.open(QIODevice::WriteOnly) && file.write(text.arg(value).toUtf8()) > 0 && file.commit();
}

QString testValue(const RegistryStore &store)
{
    return store.value(QStringLiteral("HKCU\\Software\\Test"), QStringLiteral("v"));
}

} // namespace

class RegistryStoreTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup() { qunsetenv(variable); }
    void values_data();
    void values();
    void subKeys_data();
    void subKeys();
    void defaultSource();
    void followsTheVariable();
    void parsesAgainOnlyAfterAChange();
    void folderChanges();
    void lookupsFromManyThreads();
    void backendReadsTheExports();
};

void RegistryStoreTest::values_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("key");
    QTest::addColumn<RegistryView>("view");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    const auto row = [](const char *tag, const char *source, const char *key, RegistryView view,
                        const char *name, const char *expected) {
        QTest::newRow(tag) << data(QString::fromUtf8(source)) << QString::fromUtf8(key) << view
                           << QString::fromUtf8(name) << QString::fromUtf8(expected);
    };
    const RegistryView def = RegistryView::Default;
    const RegistryView x32 = RegistryView::Registry32;
    const char *orvo = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tesvari\\OrvoKiv6";
    const char *native = "C:\\Program Files\\Tesvari\\OrvoKiv6";
    const char *x86 = "C:\\Program Files (x86)\\Tesvari\\OrvoKiv6";
    const char *icon = "C:\\Program Files\\Tesvari\\OrvoKiv6\\icons.dll,-104";
    const char *layered = "HKLM\\SOFTWARE\\Tesvari\\Layered";

    row("one file", "exported/tesvari.reg", orvo, def, "CurrentVersion", "6.2.1");
    row("folder", "exported", "HKCR\\Orvo.Document.1\\DefaultIcon", def, ".", icon);
    row("missing source", "none", orvo, def, "InstallPath", "");
    // layered/: 10-base.reg, 20-site.reg, 30-LOCAL.REG; notes.txt and .hidden.reg are not read
    row("only *.reg files", "layered", layered, def, "Kept", "base");
    row("last file wins, any suffix case", "layered", layered, def, "Overridden", "local");
    row("deleted by a later file", "layered", "HKLM\\SOFTWARE\\Tesvari\\Layered\\Gone\\Child", def, "v", "");
    row("recreated by a later file", "layered", "HKLM\\SOFTWARE\\Tesvari\\Layered\\Reborn", def, "Old", "");

    row("64-bit view", "exported", orvo, RegistryView::Registry64, "InstallPath", native);
    row("32-bit view", "exported", orvo, x32, "InstallPath", x86);
    row("32-bit, short root, any case", "exported", "hklm\\Software\\tesvari\\orvokiv6", x32, "InstallPath", x86);
    row("32-bit, already redirected", "exported", "HKLM\\SOFTWARE\\WOW6432Node\\Tesvari\\OrvoKiv6", x32,
        "InstPath", "C:\\Program Files (x86)\\Tesvari\\OrvoKiv6\\bin");
    row("default, redirected path", "exported", "HKLM\\SOFTWARE\\wow6432node\\Tesvari\\OrvoKiv6", def,
        "InstallPath", x86);
    row("32-bit, nothing redirected", "exported", "HKLM\\SOFTWARE\\Tesvari\\课堂助手", x32, "InstallPath", "");
    row("32-bit outside HKLM\\SOFTWARE", "exported", "HKCR\\Orvo.Document.1\\DefaultIcon", x32, ".", icon);
}

void RegistryStoreTest::values()
{
    QFETCH(QString, source);
    QFETCH(QString, key);
    QFETCH(RegistryView, view);
    QFETCH(QString, name);
    QFETCH(QString, expected);

    useSource(source);
    QCOMPARE(RegistryStore().value(key, name, view), expected);
}

void RegistryStoreTest::subKeys_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("key");
    QTest::addColumn<RegistryView>("view");
    QTest::addColumn<QStringList>("expected");

    const auto row = [](const char *tag, const char *source, const char *key, RegistryView view,
                        const char *expected) {
        QTest::newRow(tag) << QString::fromUtf8(source) << QString::fromUtf8(key) << view
                           << QString::fromUtf8(expected).split(QLatin1Char('|'), Qt::SkipEmptyParts);
    };
    row("merged folder", "exported", "HKLM\\SOFTWARE", RegistryView::Default, "Tesvari|WOW6432Node");
    row("32-bit view", "exported", "HKLM\\SOFTWARE", RegistryView::Registry32, "Microsoft|Tesvari");
    row("after deletions and additions", "layered", "HKLM\\SOFTWARE\\Tesvari\\Layered", RegistryView::Default,
        "added|Reborn");
    row("first spelling kept", "layered", "HKLM\\SOFTWARE\\Tesvari", RegistryView::Default, "Layered");
}

void RegistryStoreTest::subKeys()
{
    QFETCH(QString, source);
    QFETCH(QString, key);
    QFETCH(RegistryView, view);
    QFETCH(QStringList, expected);

    useSource(data(source));
    QCOMPARE(RegistryStore().subKeys(key, view), expected);
}

void RegistryStoreTest::defaultSource()
{
    const QString fallback = QStringLiteral("/etc/Tesvari/registry");
    QCOMPARE(RegistryStore::sourcePath(), fallback);
    qputenv(variable, QByteArray());
    QCOMPARE(RegistryStore::sourcePath(), fallback);
    qputenv(variable, "/srv/registry");
    QCOMPARE(RegistryStore::sourcePath(), QStringLiteral("/srv/registry"));
}

void RegistryStoreTest::followsTheVariable()
{
    QTemporaryDir dir;
    QVERIFY(writeExport(dir.filePath(QStringLiteral("first.reg")), QStringLiteral("first")));
    QVERIFY(writeExport(dir.filePath(QStringLiteral("second.reg")), QStringLiteral("second")));

    RegistryStore store;
    useSource(dir.filePath(QStringLiteral("first.reg")));
    QCOMPARE(testValue(store), QStringLiteral("first"));
    useSource(dir.filePath(QStringLiteral("second.reg")));
    QCOMPARE(testValue(store), QStringLiteral("second"));
    useSource(dir.path());
    QCOMPARE(testValue(store), QStringLiteral("second"));
    QCOMPARE(store.parseCount(), 2);
}

void RegistryStoreTest::parsesAgainOnlyAfterAChange()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.reg"));
    QVERIFY(writeExport(path, QStringLiteral("one")));
    useSource(path);

    RegistryStore store;
    for (int i = 0; i < 50; ++i)
        QCOMPARE(testValue(store), QStringLiteral("one"));
    QCOMPARE(store.parseCount(), 1);

    QVERIFY(writeExport(path, QStringLiteral("three")));
    QCOMPARE(testValue(store), QStringLiteral("three"));
    QCOMPARE(store.parseCount(), 2);

    { // same size, same inode: only the modification time tells
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray bytes = file.readAll().replace("three", "seven");
        QVERIFY(file.seek(0) && file.write(bytes) == bytes.size() && file.flush());
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
    }
    QCOMPARE(testValue(store), QStringLiteral("seven"));
    QCOMPARE(store.parseCount(), 3);

    QVERIFY(QFile::remove(path));
    QCOMPARE(testValue(store), QString());
}

void RegistryStoreTest::folderChanges()
{
    QTemporaryDir dir;
    QVERIFY(writeExport(dir.filePath(QStringLiteral("10-a.reg")), QStringLiteral("a")));
    useSource(dir.path());

    RegistryStore store;
    QCOMPARE(testValue(store), QStringLiteral("a"));
    QVERIFY(writeExport(dir.filePath(QStringLiteral("20-b.reg")), QStringLiteral("b")));
    QCOMPARE(testValue(store), QStringLiteral("b"));
    QCOMPARE(store.parseCount(), 2); // 10-a.reg was not read again
    QVERIFY(writeExport(dir.filePath(QStringLiteral("05-c.reg")), QStringLiteral("c")));
    QCOMPARE(testValue(store), QStringLiteral("b"));
    QVERIFY(QFile::remove(dir.filePath(QStringLiteral("20-b.reg"))));
    QCOMPARE(testValue(store), QStringLiteral("a"));
    QCOMPARE(store.parseCount(), 3);
}

void RegistryStoreTest::lookupsFromManyThreads()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.reg"));
    const QString one = QStringLiteral("one");
    const QString other = QStringLiteral("other value");
    QVERIFY(writeExport(path, one));
    useSource(path);

    RegistryStore store;
    std::atomic<int> wrong{0};
    std::atomic<bool> done{false};
    std::vector<std::unique_ptr<QThread>> readers;
    for (int t = 0; t < 4; ++t) {
        readers.emplace_back(QThread::create([&] {
            while (!done) {
                const QString v = testValue(store);
                wrong += v != one && v != other;
            }
        }));
        readers.back()->start();
    }
    int written = 0;
    for (int i = 0; i < 40; ++i)
        written += writeExport(path, i % 2 ? one : other);
    done = true;
    for (const auto &reader : readers)
        reader->wait();
    QCOMPARE(written, 40);
    QCOMPARE(wrong.load(), 0);
    QCOMPARE(testValue(store), one);
}

void RegistryStoreTest::backendReadsTheExports()
{
    useSource(data(QStringLiteral("exported")));
    const Backend &backend = nativeBackend();
    QCOMPARE(backend.registryValue(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\"
                                                  "Uninstall\\{6F0C1B9E-24D3-4A57-9C1E-ORVO00000001}"),
                                   QStringLiteral("InstallLocation"), RegistryView::Registry32),
             QStringLiteral("C:\\Program Files (x86)\\Lumen\\Slides\\"));
    QCOMPARE(backend.registrySubKeys(QStringLiteral("HKEY_CLASSES_ROOT")),
             (QStringList{QStringLiteral(".orvodoc"), QStringLiteral("Orvo.Document.1")}));
}

QTEST_GUILESS_MAIN(RegistryStoreTest)

#include "tst_registrystore.moc"
