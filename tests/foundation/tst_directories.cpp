#include "fakebackend.h"
#include "zrcommonutils.h"
#include "zrpublicdata.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using OrvoKiv::Platform::Conventions;
using OrvoKiv::Platform::ScopedBackendOverride;

class tst_Directories : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void appRootDir_data();
    void appRootDir();
    void windowsDataFolders_data();
    void windowsDataFolders();
    void linuxDataFolders();
    void configuredLogDir();
    void fixedPaths();

private:
    static ZRPublicData *publicData() { return OrvoKiv::Singleton<ZRPublicData>::getInstance(); }

    QTemporaryDir m_work;
    QString m_previousCwd;
};

void tst_Directories::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_work.isValid());
    m_previousCwd = QDir::currentPath();
}

void tst_Directories::init()
{
    // Windows paths such as "C:\ProgramData\..." are relative on Linux: keep what the tests
    // create inside the temporary folder.
    QVERIFY(QDir::setCurrent(m_work.path()));
    publicData()->setAppName(QStringLiteral("OrvoKiv6"));
}

void tst_Directories::cleanup()
{
    QDir::setCurrent(m_previousCwd);
}

void tst_Directories::appRootDir_data()
{
    QTest::addColumn<QString>("exe");
    QTest::addColumn<QString>("root");

    QTest::newRow("backslashes") << "C:\\Apps\\Suite\\app.exe" << "C:/Apps/Suite";
    QTest::newRow("mixed and dotted") << "C:\\Apps\\.\\Tools\\..\\Suite/app.exe" << "C:/Apps/Suite";
    QTest::newRow("drive root") << "D:\\app.exe" << "D:";
    QTest::newRow("UNC share") << "\\\\server\\share\\app.exe" << "//server/share";
}

void tst_Directories::appRootDir()
{
    QFETCH(QString, exe);
    QFETCH(QString, root);
    FakeBackend windows;
    windows.exePath = exe;
    ScopedBackendOverride o(windows);
    QCOMPARE(ZRCommonUtils::getAppRootDir(), root);
}

void tst_Directories::windowsDataFolders_data()
{
    QTest::addColumn<QString>("appName");
    QTest::addColumn<QString>("dataRoot");

    QTest::newRow("default name") << "OrvoKiv6" << "C:\\ProgramData\\Tesvari\\OrvoKiv6";
    QTest::newRow("empty name") << "" << "C:\\ProgramData\\Tesvari\\";
    QTest::newRow("other tool") << "OrvoPepBook" << "C:\\ProgramData\\Tesvari\\OrvoPepBook";
}

void tst_Directories::windowsDataFolders()
{
    QFETCH(QString, appName);
    QFETCH(QString, dataRoot);
    FakeBackend windows;
    windows.exePath = m_work.filePath(QStringLiteral("app.exe")); // no version.ini beside it
    ScopedBackendOverride o(windows);
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^ZRPublicData::setAppName")));
    publicData()->setAppName(appName);

    QCOMPARE(ZRCommonUtils::getDataRootDir(), dataRoot);
    for (int round = 0; round < 2; ++round) { // a second call finds the folder in place
        QCOMPARE(ZRCommonUtils::getLogRootDir(), dataRoot + QStringLiteral("/Log"));
        QCOMPARE(ZRCommonUtils::getCrashDumpDir(), dataRoot + QStringLiteral("/Crashs"));
    }
    QVERIFY(QDir(dataRoot + QStringLiteral("/Log")).exists());
    QVERIFY(QDir(dataRoot + QStringLiteral("/Crashs")).exists());
}

void tst_Directories::linuxDataFolders()
{
    const QString programData = m_work.filePath(QStringLiteral("programdata"));
    qputenv("ORVO_PROGRAMDATA", programData.toLocal8Bit());
    FakeBackend linux;
    linux.platformConventions = Conventions::posix();
    linux.exePath = m_work.filePath(QStringLiteral("bin/app"));
    ScopedBackendOverride o(linux);

    QCOMPARE(ZRCommonUtils::getAppRootDir(), m_work.filePath(QStringLiteral("bin")));
    QCOMPARE(ZRCommonUtils::getDataRootDir(), programData + QStringLiteral("/OrvoKiv6"));
    QCOMPARE(ZRCommonUtils::getLogRootDir(), programData + QStringLiteral("/OrvoKiv6/Log"));
    QVERIFY(QDir(programData + QStringLiteral("/OrvoKiv6/Log")).exists());
    QCOMPARE(ZRCommonUtils::getNginxUpdateDir(),
             programData + QStringLiteral("/OrvoUpdateService/nginx-1.16.0/UpDate"));
    qunsetenv("ORVO_PROGRAMDATA");
}

void tst_Directories::configuredLogDir()
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
    QCOMPARE(ZRCommonUtils::getLogRootDir(), configured); // as written, not normalised
    QVERIFY(QDir(configured).exists());
}

void tst_Directories::fixedPaths()
{
    FakeBackend windows;
    ScopedBackendOverride o(windows);
    QCOMPARE(ZRCommonUtils::getNginxUpdateDir(),
             QStringLiteral("C:/ProgramData/Tesvari/OrvoUpdateService/nginx-1.16.0/UpDate"));
    QCOMPARE(ZRCommonUtils::getPirvateConfigFile(),
             QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
                 + QStringLiteral("/Config/config.ini"));
    QVERIFY(!ZRCommonUtils::getSystemName().isEmpty());
}

QTEST_GUILESS_MAIN(tst_Directories)
#include "tst_directories.moc"
