#include "fakebackend.h"
#include "zriniconfiguremanager.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using OrvoKiv::Platform::Conventions;
using OrvoKiv::Platform::ScopedBackendOverride;

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QVariant readBack(const QString &path, const QString &key)
{
    QSettings settings(path, QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    return settings.value(key);
}

} // namespace

class tst_IniManager : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void typedReads_data();
    void typedReads();
    void defaultFileIsVersionIniBesideExecutable();
    void reloadWithoutArgumentSwitchesToDefaultFile();
    void reloadWritesPendingChanges();
    void writesAreVisibleBeforeDisk();
    void ungroupedKeysAddressGroups();
    void removeKeyTakesSubKeys();
    void utf8RoundTrip();
    void destructorLogsEachTime();

private:
    QString path(const char *name) const { return m_dir.filePath(QLatin1String(name)); }

    QTemporaryDir m_dir;
    FakeBackend m_linux;
};

void tst_IniManager::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_linux.platformConventions = Conventions::posix();
    m_linux.exePath = m_dir.filePath(QStringLiteral("app"));
}

void tst_IniManager::init()
{
    writeFile(path("settings.ini"),
              "[log]\npath=D:/logs/app\n[screen]\ncount=2\nmode=wide\nempty=\n");
    QFile::remove(path("version.ini"));
}

void tst_IniManager::typedReads_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("defaultValue");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("string present") << "log" << "path" << QVariant(QString()) << QVariant(QStringLiteral("D:/logs/app"));
    QTest::newRow("string missing, empty default") << "log" << "level" << QVariant(QString()) << QVariant(QString());
    QTest::newRow("string missing group") << "nope" << "path" << QVariant(QStringLiteral("x")) << QVariant(QStringLiteral("x"));
    QTest::newRow("int present") << "screen" << "count" << QVariant(5) << QVariant(2);
    QTest::newRow("int missing gives default") << "screen" << "width" << QVariant(5) << QVariant(5);
    QTest::newRow("int of a word is 0") << "screen" << "mode" << QVariant(5) << QVariant(0);
    QTest::newRow("int of empty value is 0") << "screen" << "empty" << QVariant(5) << QVariant(0);
    QTest::newRow("int read as string") << "screen" << "count" << QVariant(QStringLiteral("9")) << QVariant(QStringLiteral("2"));
}

void tst_IniManager::typedReads()
{
    QFETCH(QString, group);
    QFETCH(QString, key);
    QFETCH(QVariant, defaultValue);
    QFETCH(QVariant, expected);

    ZRIniConfigureManager manager(path("settings.ini"));
    if (defaultValue.type() == QVariant::Int) {
        QCOMPARE(manager.getValue(group, key, defaultValue.toInt()), expected.toInt());
    } else {
        const QByteArray utf8Default = defaultValue.toString().toUtf8();
        QCOMPARE(manager.getValue(group, key, defaultValue.toString()), expected.toString());
        QCOMPARE(manager.getValue(group, key, utf8Default.constData()), expected.toString());
    }
}

void tst_IniManager::defaultFileIsVersionIniBesideExecutable()
{
    ScopedBackendOverride o(m_linux);
    writeFile(path("version.ini"), "[log]\npath=/var/log/suite\n");
    ZRIniConfigureManager manager;
    QCOMPARE(manager.getValue(QStringLiteral("log"), QStringLiteral("path"), QString()),
             QStringLiteral("/var/log/suite"));
}

void tst_IniManager::reloadWithoutArgumentSwitchesToDefaultFile()
{
    ScopedBackendOverride o(m_linux);
    writeFile(path("version.ini"), "[log]\npath=/from/version\n");
    ZRIniConfigureManager manager(path("settings.ini"));
    QCOMPARE(manager.getValue(QStringLiteral("log"), QStringLiteral("path"), QString()),
             QStringLiteral("D:/logs/app"));
    manager.reload();
    QCOMPARE(manager.getValue(QStringLiteral("log"), QStringLiteral("path"), QString()),
             QStringLiteral("/from/version"));
    manager.reload(path("settings.ini"));
    QCOMPARE(manager.getValue(QStringLiteral("screen"), QStringLiteral("count"), 0), 2);
}

void tst_IniManager::reloadWritesPendingChanges()
{
    ZRIniConfigureManager manager(path("settings.ini"));
    manager.setValue(QStringLiteral("screen"), QStringLiteral("count"), 7);
    manager.reload(path("other.ini"));
    QCOMPARE(readBack(path("settings.ini"), QStringLiteral("screen/count")).toInt(), 7);
}

void tst_IniManager::writesAreVisibleBeforeDisk()
{
    ZRIniConfigureManager manager(path("settings.ini"));
    manager.setValue(QStringLiteral("user"), QStringLiteral("name"), QStringLiteral("Li"));
    manager.setValue(QStringLiteral("user"), QStringLiteral("age"), 40);
    manager.setValue(QStringLiteral("user"), QStringLiteral("role"), "teacher");
    QCOMPARE(manager.getValue(QStringLiteral("user"), QStringLiteral("name"), QString()), QStringLiteral("Li"));
    QCOMPARE(manager.getValue(QStringLiteral("user"), QStringLiteral("age"), 0), 40);
    QCOMPARE(manager.getValue(QStringLiteral("user"), QStringLiteral("role"), ""), QStringLiteral("teacher"));
}

void tst_IniManager::ungroupedKeysAddressGroups()
{
    {
        ZRIniConfigureManager manager(path("settings.ini"));
        QCOMPARE(manager.getValue(QStringLiteral("screen/count"), QVariant()).toInt(), 2);
        QCOMPARE(manager.getValue(QStringLiteral("top"), QVariant(QStringLiteral("d"))).toString(), QStringLiteral("d"));
        manager.setValue(QStringLiteral("startup/puid"), QVariant(QStringLiteral("abc")));
        manager.setValue(QStringLiteral("top"), QVariant(3));
    }
    QCOMPARE(readBack(path("settings.ini"), QStringLiteral("startup/puid")).toString(), QStringLiteral("abc"));
    QCOMPARE(readBack(path("settings.ini"), QStringLiteral("top")).toInt(), 3);
}

void tst_IniManager::removeKeyTakesSubKeys()
{
    writeFile(path("tree.ini"), "[a]\nb=1\nb\\c=2\nd=3\n");
    ZRIniConfigureManager manager(path("tree.ini"));
    manager.removeKey(QStringLiteral("a"), QStringLiteral("b"));
    QCOMPARE(manager.getValue(QStringLiteral("a"), QStringLiteral("b"), -1), -1);
    QCOMPARE(manager.getValue(QStringLiteral("a/b"), QStringLiteral("c"), -1), -1);
    QCOMPARE(manager.getValue(QStringLiteral("a"), QStringLiteral("d"), -1), 3);
}

void tst_IniManager::utf8RoundTrip()
{
    const QString chinese = QString::fromUtf8("教师白板");
    {
        ZRIniConfigureManager manager(path("utf8.ini"));
        manager.setValue(QStringLiteral("board"), QStringLiteral("title"), chinese);
        manager.setValue(QStringLiteral("board"), QStringLiteral("raw"), "课堂");
    }
    QFile file(path("utf8.ini"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains(chinese.toUtf8())); // UTF-8 text, not %U escapes
    ZRIniConfigureManager manager(path("utf8.ini"));
    QCOMPARE(manager.getValue(QStringLiteral("board"), QStringLiteral("raw"), ""), QString::fromUtf8("课堂"));
}

void tst_IniManager::destructorLogsEachTime()
{
    for (int i = 0; i < 2; ++i) {
        QTest::ignoreMessage(QtDebugMsg, "ZRIniConfigureManager::~ZRIniConfigureManager");
        ZRIniConfigureManager manager(path("settings.ini"));
    }
}

QTEST_GUILESS_MAIN(tst_IniManager)
#include "tst_inimanager.moc"
