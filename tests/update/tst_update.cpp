#include "debuglines.h"
#include "fakebackend.h"
#include "tsvrows.h"
#include "zrcommonutils.h"
#include "zrpublicdata.h"

#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

using namespace OrvoKiv::Platform;

namespace {

const QMap<QString, bool (*)()> g_nginxCalls{{"checkAndCopyNginxServer", &ZRCommonUtils::checkAndCopyNginxServer},
                                             {"checkAndInstallNginxServer", &ZRCommonUtils::checkAndInstallNginxServer},
                                             {"checkAndCopyNginxContentEditor", &ZRCommonUtils::checkAndCopyNginxContentEditor}};

bool writeFile(const QString &path, const QByteArray &content = "x")
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// The message the updater must receive: the fixture with its placeholders filled in, in Qt's
// indented form.
QByteArray expectedMessage(const QString &appName, const QString &version, const QString &language, bool autoUpdate)
{
    QFile file(QStringLiteral(ORVO_TEST_DATA "/update/message.json"));
    const auto json = [](QString text) { return text.replace('\\', "\\\\").replace('"', "\\\""); };
    QString text = QString::fromUtf8(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    text.replace("@APPDIR@", json(QCoreApplication::applicationDirPath()))
        .replace("@APPNAME@", json(appName))
        .replace("@VERSION@", json(version))
        .replace("@LANGUAGE@", json(language))
        .replace("\"@AUTO@\"", autoUpdate ? "true" : "false");
    return QJsonDocument::fromJson(text.toUtf8()).toJson();
}

bool nginxRuns()
{
    const QList<ProcessInfo> processes = nativeBackend().runningProcesses();
    return std::any_of(processes.begin(), processes.end(), [](const ProcessInfo &p) { return p.name == "nginx"; });
}

// A process that is gone or a zombie waiting for its parent no longer serves anything.
bool alive(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    const QByteArray line = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
    return !line.isEmpty() && line.mid(line.lastIndexOf(')') + 2, 1) != "Z";
}

QByteArray get(const QUrl &url)
{
    QNetworkAccessManager network;
    network.setProxy(QNetworkProxy::NoProxy);
    QScopedPointer<QNetworkReply> reply(network.get(QNetworkRequest(url)));
    QSignalSpy finished(reply.data(), &QNetworkReply::finished);
    return finished.wait(5000) ? reply->readAll() : QByteArray();
}

} // namespace

class tst_Update : public QObject
{
    Q_OBJECT

    QTemporaryDir m_work;
    QString m_data;
    bool m_nginxStarted = false;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_work.isValid());
        // nginx's workers run as another user when the test runs as root.
        QVERIFY(QFile::setPermissions(m_work.path(), QFile::permissions(m_work.path()) | QFile::ReadOther
                                                         | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup));
        m_data = m_work.filePath(QStringLiteral("programdata/"));
        qputenv("ORVO_PROGRAMDATA", QFile::encodeName(m_data));
        qputenv("ORVO_REGISTRY", ORVO_TEST_DATA "/update/registry.reg");
        // The updater describes the process, not the shared UI state's name.
        OrvoKiv::Singleton<ZRPublicData>::getInstance()->setAppName(QStringLiteral("OrvoKiv6"));
        collectDebugLines();
    }

    void init()
    {
        QDir(m_data).removeRecursively();
        debugLines().clear();
    }

    // Stops the server nginxEndToEnd started, whatever became of the test.
    void cleanup()
    {
        QFile pidFile(m_data + QStringLiteral("OrvoUpdateService/nginx-1.16.0/logs/nginx.pid"));
        const qint64 pid = m_nginxStarted && pidFile.open(QIODevice::ReadOnly) ? pidFile.readAll().trimmed().toLongLong() : 0;
        if (pid <= 0)
            return;
        ::kill(pid_t(pid), SIGTERM);
        QTRY_VERIFY2_WITH_TIMEOUT(!alive(pid), "the nginx started by the test did not stop", 5000);
    }

    void message_data() { addTsvRows(QStringLiteral("update/message.tsv"), {"case", "appName", "auto", "language", "started", "version"}); }

    void message()
    {
        FakeBackend platform;
        platform.shellOpened.succeeded = tsvField("started") == "true";
        ScopedBackendOverride use(platform);
        QCoreApplication::setApplicationName(tsvField("appName"));

        QCOMPARE(ZRCommonUtils::checkUpdate(tsvField("auto") == "true", tsvField("language")), platform.shellOpened.succeeded);
        QCOMPARE(debugLines(), QStringList{"ZRCommonUtils::checkUpdate"});
        const QByteArray message = expectedMessage(tsvField("appName"), tsvField("version"), tsvField("language"), tsvField("auto") == "true");
        QCOMPARE(platform.calls, QStringList("shell open " + QCoreApplication::applicationDirPath() + "/OrvoSoftwareUpdate.exe|" + message.toBase64()));
    }

    // The substitute updater beside this program (tools/orvo-update-stub).
    void stubValidates_data() { addTsvRows(QStringLiteral("update/stub.tsv"), {"case", "from", "to", "exitCode"}); }

    void stubValidates()
    {
        QByteArray message = expectedMessage(QStringLiteral("a"), QString(), QStringLiteral("zh_CN"), true);
        const QByteArray from = tsvField("from").toUtf8(), to = tsvField("to").toUtf8();
        const QString argument = QString::fromLatin1(message.replace(from, to).toBase64().replace(from, to));
        const ProcessResult result = runProcess(QCoreApplication::applicationDirPath() + "/OrvoSoftwareUpdate", {argument}, 10000);
        QCOMPARE(result.exitCode, tsvField("exitCode").toInt());
        QCOMPARE(result.standardOutput, result.exitCode ? QByteArray() : message);
    }

    void nginx_data()
    {
        addTsvRows(QStringLiteral("update/nginx.tsv"),
                   {"case", "system", "function", "exe", "present", "processes", "answer", "starts", "log"});
    }

    void nginx()
    {
        FakeBackend platform;
        platform.startsForReal = false;
        if (tsvField("system") == "Linux")
            platform.platformConventions = Conventions::posix();
        platform.exePath = tsvField("exe");
        QVERIFY(tsvField("present").isEmpty() || writeFile(m_data + tsvField("present")));
        platform.processes.emplace();
        for (const QString &process : tsvField("processes").split(", ", Qt::SkipEmptyParts))
            platform.processes->append({process.section(' ', 0, 0).toLongLong(), process.section(' ', 1)});
        ScopedBackendOverride use(platform);
        if (g_nginxCalls.contains(tsvField("function")))
            QCOMPARE(QString(g_nginxCalls[tsvField("function")]() ? "true" : "false"), tsvField("answer"));
        else
            ZRCommonUtils::checkNginxIsRunningOrStartIt();
        QCOMPARE(platform.calls.join("⏎"), tsvField("starts").replace("@DATA@", m_data));
        QCOMPARE(debugLines().join("⏎"), tsvField("log"));
    }

    // On Linux the installer runs as a child waited for: it leaves the server behind before it ends.
    void installerIsWaitedFor()
    {
        const QString installer = m_work.filePath(QStringLiteral("installer/Orvo软件更新服务程序"));
        QVERIFY(writeFile(installer, "#!/bin/sh\nD='" + QFile::encodeName(m_data) + "OrvoUpdateService/nginx-1.16.0'\n"
                                     "sleep 0.3; [ \"$*\" = \"/SILENT /VERYSILENT\" ] && mkdir -p \"$D\" && touch \"$D/nginx\"\n"));
        QVERIFY(QFile::setPermissions(installer, QFile::ReadOwner | QFile::ExeOwner));
        FakeBackend platform;
        platform.platformConventions = Conventions::posix();
        platform.exePath = m_work.filePath(QStringLiteral("installer/suite/app"));
        ScopedBackendOverride use(platform);
        QVERIFY(ZRCommonUtils::checkAndInstallNginxServer());
    }

    // The project's server folder deployed and started by the library, serving the content editor
    // from a real nginx on 127.0.0.1.
    void nginxEndToEnd()
    {
        // The application folder, a blank in its name.
        const QString app = m_work.filePath(QStringLiteral("my app"));
        QVERIFY(runProcess("cp", {"-R", ORVO_SERVER_SOURCE, app}, 30000).succeeded());
        FakeBackend platform;
        platform.platformConventions = Conventions::posix();
        platform.exePath = app + QStringLiteral("/host");
        ScopedBackendOverride use(platform);
        QVERIFY(ZRCommonUtils::checkAndCopyNginxServer());
        QVERIFY(ZRCommonUtils::checkAndCopyNginxContentEditor());

        if (!QFile::exists(QStringLiteral("/usr/sbin/nginx")))
            QSKIP("Debian's nginx is not installed (scripts/install-deps.sh installs it)");
        // One that a previous test stopped may linger a moment as a zombie.
        QTest::qWaitFor([] { return !nginxRuns(); }, 5000);
        if (nginxRuns())
            QSKIP("a process named nginx already runs: the library would rightly start none");
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        const quint16 port = probe.serverPort();
        probe.close();
        qputenv("ORVO_NGINX_PORT", QByteArray::number(port));
        m_nginxStarted = true;
        ZRCommonUtils::checkNginxIsRunningOrStartIt();
        QCOMPARE(platform.calls.filter("detached ").size(), 1);

        QFile shipped(QStringLiteral(ORVO_SERVER_SOURCE "/contentEditor/editor/index.html"));
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        const QByteArray expected = shipped.readAll();
        // The server forks into the background: allow it a moment to listen.
        const QUrl url(QStringLiteral("http://127.0.0.1:%1/contentEditor/editor/index.html").arg(port));
        QTRY_COMPARE_WITH_TIMEOUT(get(url), expected, 10000);

        // Running now: a second call, given the system's processes, starts nothing (scripted, so that
        // a wrong start cannot outlive the test).
        platform.startsForReal = false;
        platform.processes = nativeBackend().runningProcesses();
        ZRCommonUtils::checkNginxIsRunningOrStartIt();
        QCOMPARE(platform.calls.filter("detached ").size(), 1);
    }
};

QTEST_GUILESS_MAIN(tst_Update)
#include "tst_update.moc"
