#include "fakebackend.h"
#include "zrcommonutils.h"
#include "zriniconfiguremanager.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <sys/stat.h>

using OrvoKiv::Platform::Conventions;
using OrvoKiv::Platform::ScopedBackendOverride;

class tst_IniManager : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void typedReads_data();
    void typedReads();
    void defaultFileAndReload();
    void writesAreVisibleAtOnceAndReachTheFile();
    void removeKeyTakesSubKeys();
    void writeIniCreatesAndGroups();
    void writeIniLosesNothingUnderContention();
    void writeIniWaitIsBounded();
    void specialFilesReadAsEmpty_data();
    void specialFilesReadAsEmpty();

private:
    QString path(const char *name) const { return m_dir.filePath(QLatin1String(name)); }
    QString fileText(const char *name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    void write(const char *name, const QByteArray &content)
    {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    }

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
    write("settings.ini", "[log]\npath=D:/logs/app\n[screen]\ncount=2\nmode=wide\nempty=\n");
    write("version.ini", "[log]\npath=/from/version\n");
}

void tst_IniManager::typedReads_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("defaultValue");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("string") << "log" << "path" << QVariant(QString()) << QVariant(QStringLiteral("D:/logs/app"));
    QTest::newRow("string missing, empty default") << "log" << "level" << QVariant(QString()) << QVariant(QString());
    QTest::newRow("missing group") << "nope" << "path" << QVariant(QStringLiteral("x")) << QVariant(QStringLiteral("x"));
    QTest::newRow("int") << "screen" << "count" << QVariant(5) << QVariant(2);
    QTest::newRow("int missing: default") << "screen" << "width" << QVariant(5) << QVariant(5);
    QTest::newRow("int of a word: 0") << "screen" << "mode" << QVariant(5) << QVariant(0);
    QTest::newRow("int of empty: 0") << "screen" << "empty" << QVariant(5) << QVariant(0);
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
        return;
    }
    QCOMPARE(manager.getValue(group, key, defaultValue.toString()), expected.toString());
    QCOMPARE(manager.getValue(group, key, defaultValue.toString().toUtf8().constData()), expected.toString());
}

void tst_IniManager::defaultFileAndReload()
{
    ScopedBackendOverride o(m_linux);
    const QString logPath = QStringLiteral("path");
    QCOMPARE(ZRIniConfigureManager().getValue(QStringLiteral("log"), logPath, QString()), QStringLiteral("/from/version"));

    ZRIniConfigureManager manager(path("settings.ini"));
    manager.setValue(QStringLiteral("screen"), QStringLiteral("count"), 7);
    manager.reload(); // the default file, whatever the manager was built on
    QCOMPARE(manager.getValue(QStringLiteral("log"), logPath, QString()), QStringLiteral("/from/version"));
    QVERIFY(fileText("settings.ini").contains(QLatin1String("count=7"))); // pending change written first
    manager.reload(path("settings.ini"));
    QCOMPARE(manager.getValue(QStringLiteral("screen"), QStringLiteral("count"), 0), 7);

    // Onto the same file: pending non-ASCII text lands as UTF-8, not as escapes.
    manager.setValue(QStringLiteral("user"), QStringLiteral("name"), QString::fromUtf8("李老师"));
    manager.reload(path("settings.ini"));
    QVERIFY2(fileText("settings.ini").contains(QString::fromUtf8("name=李老师")), qPrintable(fileText("settings.ini")));
}

void tst_IniManager::writesAreVisibleAtOnceAndReachTheFile()
{
    {
        QTest::ignoreMessage(QtDebugMsg, "ZRIniConfigureManager::~ZRIniConfigureManager");
        ZRIniConfigureManager manager(path("settings.ini"));
        manager.setValue(QStringLiteral("user"), QStringLiteral("name"), QString::fromUtf8("李老师"));
        manager.setValue(QStringLiteral("user"), QStringLiteral("role"), "教师");
        manager.setValue(QStringLiteral("startup/puid"), QVariant(QStringLiteral("abc")));
        QCOMPARE(manager.getValue(QStringLiteral("user"), QStringLiteral("name"), QString()), QString::fromUtf8("李老师"));
        QCOMPARE(manager.getValue(QStringLiteral("startup/puid"), QVariant()).toString(), QStringLiteral("abc"));
        QVERIFY(!fileText("settings.ini").contains(QLatin1String("puid")));
    }
    const QString text = fileText("settings.ini");
    QVERIFY2(text.contains(QString::fromUtf8("name=李老师")) && text.contains(QString::fromUtf8("role=教师"))
                 && text.contains(QLatin1String("[startup]\npuid=abc")), qPrintable(text)); // UTF-8, not escapes
}

void tst_IniManager::removeKeyTakesSubKeys()
{
    write("tree.ini", "[a]\nb=1\nb\\c=2\nd=3\n");
    ZRIniConfigureManager manager(path("tree.ini"));
    manager.removeKey(QStringLiteral("a"), QStringLiteral("b"));
    QCOMPARE(manager.getValue(QStringLiteral("a/b"), QVariant()).isValid() || manager.getValue(QStringLiteral("a/b/c"), QVariant()).isValid(), false);
    QCOMPARE(manager.getValue(QStringLiteral("a"), QStringLiteral("d"), -1), 3);
}

void tst_IniManager::writeIniCreatesAndGroups()
{
    ZRCommonUtils::writeIni(path("new.ini"), QStringLiteral("puid"), QString::fromUtf8("值 1"));
    ZRCommonUtils::writeIni(path("new.ini"), QStringLiteral("startup/puid"), QStringLiteral("2"));
    ZRCommonUtils::writeIni(path("new.ini"), QStringLiteral("startup/puid"), QStringLiteral("3"));
    QCOMPARE(fileText("new.ini"), QString::fromUtf8("[General]\npuid=值 1\n\n[startup]\npuid=3\n"));
}

// Each thread writes its own keys into one file; only whole locked read-modify-write cycles keep
// every key.
void tst_IniManager::writeIniLosesNothingUnderContention()
{
    constexpr int threads = 8, keysPerThread = 200;
    std::vector<std::unique_ptr<QThread>> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back(QThread::create([file = path("contended.ini"), t] {
            for (int k = 0; k < keysPerThread; ++k)
                ZRCommonUtils::writeIni(file, QStringLiteral("t%1/k%2").arg(t).arg(k), QString::number(t * 1000 + k));
        }));
        workers.back()->start();
    }
    for (auto &worker : workers)
        QVERIFY(worker->wait(120000));
    QSettings settings(path("contended.ini"), QSettings::IniFormat);
    QCOMPARE(settings.allKeys().size(), threads * keysPerThread);
    for (int t = 0; t < threads; ++t) {
        for (int k = 0; k < keysPerThread; ++k)
            QCOMPARE(settings.value(QStringLiteral("t%1/k%2").arg(t).arg(k)).toInt(), t * 1000 + k);
    }
}

// A lock held by a live, hung writer costs a write the bounded wait, not forever, and the file
// keeps what it had.
void tst_IniManager::writeIniWaitIsBounded()
{
    const QString file = path("held.ini");
    QLockFile held(file + QStringLiteral(".writelock"));
    QVERIFY(held.lock());
    QElapsedTimer timer;
    timer.start();
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^ZRCommonUtils::writeIni lock timeout")));
    ZRCommonUtils::writeIni(file, QStringLiteral("k"), QStringLiteral("v"));
    QVERIFY2(timer.elapsed() >= 9000 && timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(!QFile::exists(file));
}

// A FIFO would block the read and a device would be read without end: both read as empty and
// take no writes, at once.
void tst_IniManager::specialFilesReadAsEmpty_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("fifo") << path("fifo.ini");
    QTest::newRow("device") << QStringLiteral("/dev/zero");
    QTest::newRow("folder") << m_dir.path();
}

void tst_IniManager::specialFilesReadAsEmpty()
{
    QFETCH(QString, file);
    ::mkfifo(qPrintable(path("fifo.ini")), 0600);
    QTest::ignoreMessage(QtDebugMsg, "ZRIniConfigureManager::~ZRIniConfigureManager");
    {
        ZRIniConfigureManager manager(file);
        QCOMPARE(manager.getValue(QStringLiteral("log"), QStringLiteral("path"), 5), 5);
        manager.setValue(QStringLiteral("log"), QStringLiteral("path"), 7);
        QCOMPARE(manager.getValue(QStringLiteral("log"), QStringLiteral("path"), 5), 5);
    }
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^ZRCommonUtils::writeIni not a regular file")));
    ZRCommonUtils::writeIni(file, QStringLiteral("k"), QStringLiteral("v"));
    QVERIFY(QFileInfo(file).exists() && !QFileInfo(file).isFile());
}

QTEST_GUILESS_MAIN(tst_IniManager)
#include "tst_inimanager.moc"
