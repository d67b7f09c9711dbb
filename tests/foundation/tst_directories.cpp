#include "fakebackend.h"
#include "tsvrows.h"
#include "zrcommonutils.h"
#include "zrpublicdata.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace OrvoKiv::Platform;

class tst_Directories : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init() { qunsetenv("ORVO_PROGRAMDATA"); }
    void cleanupTestCase() { QDir::setCurrent(QCoreApplication::applicationDirPath()); }

    void appRootDir_data() { addTsvRows(QStringLiteral("foundation/approots.tsv"), {"case", "conventions", "program", "root"}); }
    void appRootDir();
    void dataFolders_data()
    {
        addTsvRows(QStringLiteral("foundation/datafolders.tsv"), {"case", "conventions", "programData", "appName", "dataRoot", "nginx"});
    }
    void dataFolders();
    void configuredLogDirIsKeptAsWritten();

private:
    QTemporaryDir m_work;
};

void tst_Directories::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_work.isValid());
    // Windows paths such as "C:\ProgramData\..." are relative on Linux: keep them in here.
    QVERIFY(QDir::setCurrent(m_work.path()));
}

void tst_Directories::appRootDir()
{
    FakeBackend platform;
    platform.platformConventions = tsvField("conventions") == QLatin1String("posix") ? Conventions::posix() : Conventions::windows();
    platform.exePath = tsvField("program");
    ScopedBackendOverride o(platform);
    QCOMPARE(ZRCommonUtils::getAppRootDir(), tsvField("root"));
}

void tst_Directories::dataFolders()
{
    const auto field = [](const char *column) {
        return tsvField(column).replace(QLatin1String("@XDG@"), QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    };
    const QString programData = field("programData"), appName = field("appName"), dataRoot = field("dataRoot");
    if (!programData.isEmpty())
        qputenv("ORVO_PROGRAMDATA", programData.toLocal8Bit());
    FakeBackend platform;
    platform.platformConventions = field("conventions") == QLatin1String("posix") ? Conventions::posix() : Conventions::windows();
    platform.exePath = m_work.filePath(QStringLiteral("app.exe")); // no version.ini beside it
    ScopedBackendOverride o(platform);
    QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("ZRPublicData::setAppName \"%1\"").arg(appName)));
    OrvoKiv::Singleton<ZRPublicData>::getInstance()->setAppName(appName);

    QCOMPARE(ZRCommonUtils::getDataRootDir(), dataRoot);
    QCOMPARE(ZRCommonUtils::getNginxUpdateDir(), field("nginx"));
    if (!programData.isEmpty())
        return; // not writable here
    for (int round = 0; round < 2; ++round) { // the second call finds the folders in place
        QCOMPARE(ZRCommonUtils::getLogRootDir(), dataRoot + QStringLiteral("/Log"));
        QCOMPARE(ZRCommonUtils::getCrashDumpDir(), dataRoot + QStringLiteral("/Crashs"));
    }
    QVERIFY(QDir(dataRoot + QStringLiteral("/Log")).exists() && QDir(dataRoot + QStringLiteral("/Crashs")).exists());
    QCOMPARE(ZRCommonUtils::getPirvateConfigFile(),
             QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/Config/config.ini"));
}

void tst_Directories::configuredLogDirIsKeptAsWritten()
{
    QTemporaryDir suite;
    FakeBackend linux;
    linux.platformConventions = Conventions::posix();
    linux.exePath = suite.filePath(QStringLiteral("app"));
    ScopedBackendOverride o(linux);
    const QString configured = m_work.filePath(QStringLiteral("logs/./app"));
    ZRCommonUtils::writeIni(suite.filePath(QStringLiteral("version.ini")), QStringLiteral("log/path"), configured);

    QTest::ignoreMessage(QtDebugMsg, "ZRIniConfigureManager::~ZRIniConfigureManager");
    QCOMPARE(ZRCommonUtils::getLogRootDir(), configured);
    QVERIFY(QDir(configured).exists());
}

QTEST_GUILESS_MAIN(tst_Directories)
#include "tst_directories.moc"
