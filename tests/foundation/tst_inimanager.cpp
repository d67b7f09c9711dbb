#include "fakebackend.h"
#include "tsvrows.h"
#include "zrcommonutils.h"
#include "zriniconfiguremanager.h"

#include <QElapsedTimer>
#include <QLockFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sys/stat.h>

using OrvoKiv::Platform::ScopedBackendOverride;

class tst_IniManager : public QObject
{
    Q_OBJECT

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

private Q_SLOTS:
    void init()
    {
        write("settings.ini", "[log]\npath=D:/logs/app\n[screen]\ncount=2\nmode=wide\nempty=\n[a]\nb=1\nb\\c=2\nd=3\n");
        write("version.ini", "[log]\npath=/from/version\n");
    }

    void typedReads_data() { addTsvRows(QStringLiteral("foundation/inireads.tsv"), {"case", "group", "key", "default", "expected"}); }

    void typedReads()
    {
        ZRIniConfigureManager manager(path("settings.ini"));
        const QString group = tsvField("group"), key = tsvField("key"), fallback = tsvField("default");
        bool number = false;
        if (const int defaultValue = fallback.toInt(&number); number) {
            QCOMPARE(manager.getValue(group, key, defaultValue), tsvField("expected").toInt());
            return;
        }
        QCOMPARE(manager.getValue(group, key, fallback), tsvField("expected"));
        QCOMPARE(manager.getValue(group, key, fallback.toUtf8().constData()), tsvField("expected"));
    }

    // Changes are visible at once and written on reload (the default file: version.ini beside the
    // program) or destruction, non-ASCII text as UTF-8 rather than escapes.
    void pendingWritesReachTheFileAsUtf8()
    {
        FakeBackend linux;
        linux.platformConventions = OrvoKiv::Platform::Conventions::posix();
        linux.exePath = path("app");
        ScopedBackendOverride o(linux);
        const QString name = QString::fromUtf8("李老师");
        {
            QTest::ignoreMessage(QtDebugMsg, "ZRIniConfigureManager::~ZRIniConfigureManager");
            ZRIniConfigureManager manager(path("settings.ini"));
            manager.setValue(QStringLiteral("user"), QStringLiteral("name"), name);
            manager.reload(path("settings.ini")); // onto the same file: Qt's shared cache would write escapes
            QVERIFY2(fileText("settings.ini").contains(QStringLiteral("name=") + name), qPrintable(fileText("settings.ini")));
            manager.reload();
            QCOMPARE(manager.getValue(QStringLiteral("log"), QStringLiteral("path"), QString()), QStringLiteral("/from/version"));
            manager.reload(path("settings.ini"));
            manager.setValue(QStringLiteral("user"), QStringLiteral("role"), "教师");
            manager.setValue(QStringLiteral("startup/puid"), QVariant(QStringLiteral("abc")));
            QCOMPARE(manager.getValue(QStringLiteral("startup/puid"), QVariant()).toString(), QStringLiteral("abc"));
            QVERIFY(!fileText("settings.ini").contains(QLatin1String("puid")));
        }
        const QString text = fileText("settings.ini");
        QVERIFY2(text.contains(QString::fromUtf8("role=教师")) && text.contains(QLatin1String("[startup]\npuid=abc")), qPrintable(text));
    }

    void removeKeyTakesSubKeys()
    {
        ZRIniConfigureManager manager(path("settings.ini"));
        manager.removeKey(QStringLiteral("a"), QStringLiteral("b"));
        QVERIFY(!manager.getValue(QStringLiteral("a/b"), QVariant()).isValid() && !manager.getValue(QStringLiteral("a/b/c"), QVariant()).isValid());
        QCOMPARE(manager.getValue(QStringLiteral("a"), QStringLiteral("d"), -1), 3);
    }

    void writeIniCreatesAndGroups()
    {
        ZRCommonUtils::writeIni(path("new.ini"), QStringLiteral("puid"), QString::fromUtf8("值 1"));
        ZRCommonUtils::writeIni(path("new.ini"), QStringLiteral("startup/puid"), QStringLiteral("2"));
        ZRCommonUtils::writeIni(path("new.ini"), QStringLiteral("startup/puid"), QStringLiteral("3"));
        QCOMPARE(fileText("new.ini"), QString::fromUtf8("[General]\npuid=值 1\n\n[startup]\npuid=3\n"));
    }

    // A lock held by a live, hung writer costs a write the bounded wait, not forever, and the file
    // keeps what it had.
    void writeIniWaitIsBounded()
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

    // A FIFO would block the read, a device would be read without end, and a corrupt QDataStream
    // value would make Qt reserve gigabytes: all read as empty and take no writes, at once.
    void unreadableFilesReadAsEmpty_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("fifo") << path("fifo.ini");
        QTest::newRow("device") << QStringLiteral("/dev/zero");
        QTest::newRow("polygon of 1.2e9 points") << path("poisoned.ini");
    }

    void unreadableFilesReadAsEmpty()
    {
        QFETCH(QString, file);
        ::mkfifo(qPrintable(path("fifo.ini")), 0600);
        const QByteArray poison = "[g]\nk=@Variant(\\0\\0\\0GGGGGGGG)\nb=(\n";
        write("poisoned.ini", poison);
        QTest::ignoreMessage(QtDebugMsg, "ZRIniConfigureManager::~ZRIniConfigureManager");
        {
            ZRIniConfigureManager manager(file);
            manager.setValue(QStringLiteral("log"), QStringLiteral("path"), 7);
            QCOMPARE(manager.getValue(QStringLiteral("log"), QStringLiteral("path"), 5), 5);
            QCOMPARE(manager.getValue(QStringLiteral("g"), QStringLiteral("b"), 5), 5);
        }
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^ZRCommonUtils::writeIni not a readable INI file")));
        ZRCommonUtils::writeIni(file, QStringLiteral("k"), QStringLiteral("v"));
        QVERIFY(QFileInfo(file).exists());
        if (QFileInfo(file).isFile())
            QCOMPARE(fileText("poisoned.ini").toUtf8(), poison);
    }
};

QTEST_GUILESS_MAIN(tst_IniManager)
#include "tst_inimanager.moc"
