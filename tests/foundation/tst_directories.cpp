#include "fakebackend.h"
#include "zrcommonutils.h"
#include "zrpublicdata.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace OrvoKiv::Platform;

class tst_Directories : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanupTestCase() { QDir::setCurrent(QCoreApplication::applicationDirPath()); }

    void appRootDir_data();
    void appRootDir();
    void dataFolders_data();
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

void tst_Directories::init()
{
    OrvoKiv::Singleton<ZRPublicData>::getInstance()->setAppName(QStringLiteral("OrvoKiv6"));
    qunsetenv("ORVO_PROGRAMDATA");
}

void tst_Directories::appRootDir_data()
{
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QString>("exe");
    QTest::addColumn<QString>("root");

    QTest::newRow("backslashes") << true << "C:\\Apps\\Suite\\app.exe" << "C:/Apps/Suite";
    QTest::newRow("mixed and dotted") << true << "C:\\Apps\\.\\Tools\\..\\Suite/app.exe" << "C:/Apps/Suite";
    QTest::newRow("drive root") << true << "D:\\app.exe" << "D:";
    QTest::newRow("UNC share") << true << "\\\\server\\share\\app.exe" << "//server/share";
    QTest::newRow("linux") << false << "/opt/suite/bin/../bin/app" << "/opt/suite/bin";
}

void tst_Directories::appRootDir()
{
    QFETCH(bool, windows);
    QFETCH(QString, exe);
    QFETCH(QString, root);
    FakeBackend platform;
    platform.platformConventions = windows ? Conventions::windows() : Conventions::posix();
    platform.exePath = exe;
    ScopedBackendOverride o(platform);
    QCOMPARE(ZRCommonUtils::getAppRootDir(), root);
}

void tst_Directories::dataFolders_data()
{
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QString>("programData"); // $ORVO_PROGRAMDATA
    QTest::addColumn<QString>("appName");
    QTest::addColumn<QString>("dataRoot");
    QTest::addColumn<QString>("nginx");

    const QString nginx = QStringLiteral("OrvoUpdateService/nginx-1.16.0/UpDate");
    const QString xdg = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Tesvari/");
    QTest::newRow("windows") << true << "" << "OrvoKiv6" << "C:\\ProgramData\\Tesvari\\OrvoKiv6" << "C:/ProgramData/Tesvari/" + nginx;
    QTest::newRow("windows, empty name") << true << "" << "" << "C:\\ProgramData\\Tesvari\\" << "C:/ProgramData/Tesvari/" + nginx;
    QTest::newRow("linux, XDG") << false << "" << "OrvoPepBook" << xdg + "OrvoPepBook" << xdg + nginx;
    QTest::newRow("linux, set") << false << "/srv/orvo" << "OrvoKiv6" << "/srv/orvo/OrvoKiv6" << "/srv/orvo/" + nginx;
}

void tst_Directories::dataFolders()
{
    QFETCH(bool, windows);
    QFETCH(QString, programData);
    QFETCH(QString, appName);
    QFETCH(QString, dataRoot);
    QFETCH(QString, nginx);
    if (!programData.isEmpty())
        qputenv("ORVO_PROGRAMDATA", programData.toLocal8Bit());
    FakeBackend platform;
    platform.platformConventions = windows ? Conventions::windows() : Conventions::posix();
    platform.exePath = m_work.filePath(QStringLiteral("app.exe")); // no version.ini beside it
    ScopedBackendOverride o(platform);
    QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("ZRPublicData::setAppName \"%1\"").arg(appName)));
    OrvoKiv::Singleton<ZRPublicData>::getInstance()->setAppName(appName);

    QCOMPARE(ZRCommonUtils::getDataRootDir(), dataRoot);
    QCOMPARE(ZRCommonUtils::getNginxUpdateDir(), nginx);
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
    FakeBackend linux;
    linux.platformConventions = Conventions::posix();
    linux.exePath = m_work.filePath(QStringLiteral("suite/app"));
    ScopedBackendOverride o(linux);
    QVERIFY(QDir().mkpath(m_work.filePath(QStringLiteral("suite"))));
    const QString configured = m_work.filePath(QStringLiteral("logs/./app"));
    QFile ini(m_work.filePath(QStringLiteral("suite/version.ini")));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[log]\npath=" + configured.toUtf8() + '\n');
    ini.close();

    QTest::ignoreMessage(QtDebugMsg, "ZRIniConfigureManager::~ZRIniConfigureManager");
    QCOMPARE(ZRCommonUtils::getLogRootDir(), configured);
    QVERIFY(QDir(configured).exists());
}

QTEST_GUILESS_MAIN(tst_Directories)
#include "tst_directories.moc"
