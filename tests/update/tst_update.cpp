#include "debuglines.h"
#include "fakebackend.h"
#include "tsvrows.h"
#include "zrcommonutils.h"
#include "zrpublicdata.h"

#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

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

} // namespace

class tst_Update : public QObject
{
    Q_OBJECT

    QTemporaryDir m_work;
    QString m_data;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_work.isValid());
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
};

QTEST_GUILESS_MAIN(tst_Update)
#include "tst_update.moc"
