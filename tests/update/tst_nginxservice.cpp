#include "scriptedbackend.h"
#include "zrcommonutils.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using OrvoKiv::Platform::Conventions;
using OrvoKiv::Platform::ProcessInfo;
using OrvoKiv::Platform::ScopedBackendOverride;

Q_DECLARE_METATYPE(QList<ProcessInfo>)

namespace {

enum Call { CopyServer, InstallServer, CopyEditor };

bool call(Call which)
{
    switch (which) {
    case CopyServer:
        return ZRCommonUtils::checkAndCopyNginxServer();
    case InstallServer:
        return ZRCommonUtils::checkAndInstallNginxServer();
    case CopyEditor:
        return ZRCommonUtils::checkAndCopyNginxContentEditor();
    }
    return false;
}

// The debug lines a call writes.
QStringList g_log;
void collect(QtMsgType, const QMessageLogContext &, const QString &text)
{
    g_log << text;
}

struct LogCollector
{
    LogCollector() { g_log.clear(), m_previous = qInstallMessageHandler(collect); }
    ~LogCollector() { qInstallMessageHandler(m_previous); }
    QtMessageHandler m_previous;
};

bool writeFile(const QString &path, const QByteArray &content = "x")
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

const QString kServer = QStringLiteral("OrvoUpdateService/nginx-1.16.0/nginx");
const QString kMarker = QStringLiteral("OrvoUpdateService/nginx-1.16.0/UpDate/contentEditor/editor/index.html");

} // namespace

class tst_NginxService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void windowsCommands_data();
    void windowsCommands();
    void shortCutsStartNothing_data();
    void shortCutsStartNothing();
    void processRule_data();
    void processRule();
    void realCopies_data();
    void realCopies();
    void installerIsWaitedFor_data();
    void installerIsWaitedFor();

private:
    QTemporaryDir m_work;
    QString m_data;
};

void tst_NginxService::initTestCase()
{
    QVERIFY(m_work.isValid());
    m_data = m_work.filePath(QStringLiteral("programdata/"));
}

void tst_NginxService::init()
{
    QDir(m_data).removeRecursively();
    qputenv("ORVO_PROGRAMDATA", QFile::encodeName(m_data));
}

// The Windows build's command lines, checked where they are never run: nothing exists under
// "C:\..." here, so every call goes all the way.
void tst_NginxService::windowsCommands_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<QString>("exe");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QStringList>("log");

    const QString update = QStringLiteral("C:\\ProgramData\\Tesvari\\OrvoUpdateService\\nginx-1.16.0\\UpDate");
    QTest::newRow("server copy, blank in the folder")
        << int(CopyServer) << "C:\\Apps\\My Suite\\app.exe"
        << "run xcopy|C:\\Apps\\My Suite\\OrvoUpdateService|C:\\ProgramData\\Tesvari\\OrvoUpdateService\\|/s|/c|/z|/y|/i|/f ~30000"
        << QStringList{"ZRCommonUtils::checkAndCopyNginxServer"};
    QTest::newRow("editor copy, forward slashes")
        << int(CopyEditor) << "D:/Suite/./bin/app.exe"
        << "run xcopy|D:\\Suite\\bin\\contentEditor|" + update + "\\contentEditor|/s|/c|/z|/y|/i|/f ~30000"
        << QStringList{"ZRCommonUtils::checkAndCopyNginxContentEditor",
                       "start copy: \"xcopy \\\"D:\\\\Suite\\\\bin\\\\contentEditor\\\" "
                       "\\\"C:\\\\ProgramData\\\\Tesvari\\\\OrvoUpdateService\\\\nginx-1.16.0\\\\UpDate\\\\contentEditor\\\" "
                       "/s /c /z /y /i /f\"",
                       "copy finished.",
                       "ZRCommonUtils::checkAndCopyNginxContentEditor end, return: false"};
    QTest::newRow("installer in the parent folder")
        << int(InstallServer) << "C:\\Apps\\Suite\\app.exe"
        << QStringLiteral("hidden C:/Apps/Orvo软件更新服务程序.exe|/SILENT /VERYSILENT")
        << QStringList{"ZRCommonUtils::checkAndInstallNginxServer"};
}

void tst_NginxService::windowsCommands()
{
    QFETCH(int, function);
    QFETCH(QString, exe);
    QFETCH(QString, start);
    QFETCH(QStringList, log);
    ScriptedBackend platform;
    platform.exePath = exe;
    ScopedBackendOverride use(platform);
    LogCollector collector;
    QVERIFY(!call(Call(function)));
    QCOMPARE(platform.starts, QStringList{start});
    QCOMPARE(g_log, log);
}

void tst_NginxService::shortCutsStartNothing_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<QString>("present");
    QTest::addColumn<QStringList>("log");

    QTest::newRow("copy, server present") << int(CopyServer) << kServer
                                          << QStringList{"ZRCommonUtils::checkAndCopyNginxServer"};
    QTest::newRow("install, server present") << int(InstallServer) << kServer
                                             << QStringList{"ZRCommonUtils::checkAndInstallNginxServer"};
    QTest::newRow("editor present") << int(CopyEditor) << kMarker
                                    << QStringList{"ZRCommonUtils::checkAndCopyNginxContentEditor",
                                                   "nginx content editor exists, return"};
}

void tst_NginxService::shortCutsStartNothing()
{
    QFETCH(int, function);
    QFETCH(QString, present);
    QFETCH(QStringList, log);
    ScriptedBackend platform;
    platform.platformConventions = Conventions::posix();
    ScopedBackendOverride use(platform);
    QVERIFY(writeFile(m_data + present));
    LogCollector collector;
    QVERIFY(call(Call(function)));
    QCOMPARE(platform.starts, QStringList());
    QCOMPARE(g_log, log);
}

void tst_NginxService::processRule_data()
{
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QList<ProcessInfo>>("processes");
    QTest::addColumn<QString>("pids");
    QTest::addColumn<bool>("starts");

    const QList<ProcessInfo> system{{4, "System"}, {7, "svchost.exe"}};
    QTest::newRow("none running") << true << system << "()" << true;
    QTest::newRow("unreadable list") << true << QList<ProcessInfo>() << "()" << true;
    QTest::newRow("other case") << true << (system + QList<ProcessInfo>{{12, "NGINX.EXE"}, {13, "Nginx.exe"}}) << "()" << true;
    QTest::newRow("prefix or suffix") << true << QList<ProcessInfo>{{12, "nginx.exe.bak"}, {13, " nginx.exe"}} << "()" << true;
    QTest::newRow("Linux name on Windows") << true << QList<ProcessInfo>{{12, "nginx"}} << "()" << true;
    QTest::newRow("one") << true << (system + QList<ProcessInfo>{{640, "nginx.exe"}}) << "(640)" << false;
    QTest::newRow("two in snapshot order")
        << true << QList<ProcessInfo>{{900, "nginx.exe"}, {4, "System"}, {88, "nginx.exe"}} << "(900, 88)" << false;
    QTest::newRow("Linux") << false << QList<ProcessInfo>{{1, "systemd"}, {77, "nginx"}, {78, "nginx.exe"}} << "(77)" << false;
}

void tst_NginxService::processRule()
{
    QFETCH(bool, windows);
    QFETCH(QList<ProcessInfo>, processes);
    QFETCH(QString, pids);
    QFETCH(bool, starts);
    ScriptedBackend platform;
    if (!windows)
        platform.platformConventions = Conventions::posix();
    platform.processes = processes;
    ScopedBackendOverride use(platform);
    LogCollector collector;
    ZRCommonUtils::checkNginxIsRunningOrStartIt();
    QCOMPARE(g_log, QStringList{"ZRCommonUtils::checkNginxIsRunningOrStartIt dwPidList: " + pids});
    const QString folder = windows ? QStringLiteral("C:\\ProgramData\\Tesvari\\OrvoUpdateService\\nginx-1.16.0")
                                   : m_data + QStringLiteral("OrvoUpdateService/nginx-1.16.0");
    const QString exe = windows ? QStringLiteral("\\nginx.exe") : QStringLiteral("/nginx");
    QCOMPARE(platform.starts, starts ? QStringList{"detached " + folder + exe + "|@" + folder} : QStringList());
}

// Real copies (cp on Linux) from an application folder with a blank in its name.
void tst_NginxService::realCopies_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<QString>("shipped");
    QTest::addColumn<bool>("copied");

    QTest::newRow("server") << int(CopyServer) << "OrvoUpdateService/nginx-1.16.0/nginx" << true;
    QTest::newRow("server missing") << int(CopyServer) << "OrvoUpdateService/nginx-1.16.0/conf" << false;
    QTest::newRow("editor") << int(CopyEditor) << "contentEditor/editor/index.html" << true;
    QTest::newRow("no contentEditor folder") << int(CopyEditor) << "contentEditors/editor/index.html" << false;
}

void tst_NginxService::realCopies()
{
    QFETCH(int, function);
    QFETCH(QString, shipped);
    QFETCH(bool, copied);
    const QString app = m_work.filePath(QStringLiteral("my suite"));
    QDir(app).removeRecursively();
    QVERIFY(writeFile(app + QLatin1Char('/') + shipped, "<p>编辑器</p>"));
    FakeBackend platform;
    platform.platformConventions = Conventions::posix();
    platform.exePath = app + QStringLiteral("/app");
    ScopedBackendOverride use(platform);
    LogCollector collector;
    QCOMPARE(call(Call(function)), copied);
    if (copied) {
        QFile file(m_data + (function == CopyServer ? kServer : kMarker));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("<p>编辑器</p>"));
    }
}

// On Linux the installer runs as a child waited for: it leaves the server behind before it ends.
void tst_NginxService::installerIsWaitedFor_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("installed");

    QTest::newRow("installs") << "sleep 0.3; [ \"$*\" = \"/SILENT /VERYSILENT\" ] && mkdir -p \"$D\" && touch \"$D/nginx\"" << true;
    QTest::newRow("fails") << "exit 1" << false;
    QTest::newRow("missing") << QString() << false;
}

void tst_NginxService::installerIsWaitedFor()
{
    QFETCH(QString, script);
    QFETCH(bool, installed);
    const QString parent = m_work.filePath(QStringLiteral("installer"));
    QDir(parent).removeRecursively();
    QVERIFY(QDir().mkpath(parent + QStringLiteral("/suite")));
    if (!script.isEmpty()) {
        const QString installer = parent + QStringLiteral("/Orvo软件更新服务程序");
        QVERIFY(writeFile(installer, "#!/bin/sh\nD='" + QFile::encodeName(m_data) + "OrvoUpdateService/nginx-1.16.0'\n"
                                         + script.toUtf8() + '\n'));
        QVERIFY(QFile::setPermissions(installer, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
    FakeBackend platform;
    platform.platformConventions = Conventions::posix();
    platform.exePath = parent + QStringLiteral("/suite/app");
    ScopedBackendOverride use(platform);
    LogCollector collector;
    QCOMPARE(ZRCommonUtils::checkAndInstallNginxServer(), installed);
}

QTEST_GUILESS_MAIN(tst_NginxService)
#include "tst_nginxservice.moc"
