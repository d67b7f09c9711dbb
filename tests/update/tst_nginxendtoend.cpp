// The shipped server folder deployed and started by the library, serving the content editor
// from a real nginx on 127.0.0.1.
#include "fakebackend.h"
#include "zrcommonutils.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <csignal>

using OrvoKiv::Platform::ScopedBackendOverride;

namespace {

struct NoStartBackend : FakeBackend
{
    mutable int starts = 0;
    bool startDetached(const QString &, const QStringList &, const QString &) const override
    {
        ++starts;
        return true;
    }
};

bool nginxRuns()
{
    for (const OrvoKiv::Platform::ProcessInfo &p : OrvoKiv::Platform::nativeBackend().runningProcesses()) {
        if (p.name == QLatin1String("nginx"))
            return true;
    }
    return false;
}

// A process that is gone or a zombie waiting for its parent no longer serves anything.
bool alive(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2, 1) != "Z";
}

} // namespace

class tst_NginxEndToEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void deployStartAndServe();

private:
    qint64 serverPid() const;
    QByteArray fetch(const QString &path);

    QTemporaryDir m_work;
    QString m_serverDir;
    quint16 m_port = 0;
};

void tst_NginxEndToEnd::initTestCase()
{
    if (!QFile::exists(QStringLiteral("/usr/sbin/nginx")))
        QSKIP("Debian's nginx is not installed (scripts/install-deps.sh installs it)");
    // One that a previous test stopped may linger a moment as a zombie.
    for (int i = 0; i < 50 && nginxRuns(); ++i)
        QThread::msleep(100);
    if (nginxRuns())
        QSKIP("a process named nginx already runs: the library would rightly start none");
    QVERIFY(m_work.isValid());
    // nginx's workers run as another user when the test runs as root.
    QVERIFY(QFile::setPermissions(m_work.path(), QFile::permissions(m_work.path()) | QFile::ReadOther
                                                     | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup));
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    m_port = probe.serverPort();
    probe.close();
    qputenv("ORVO_NGINX_PORT", QByteArray::number(m_port));
    qputenv("ORVO_PROGRAMDATA", QFile::encodeName(m_work.filePath(QStringLiteral("data"))));
    m_serverDir = m_work.filePath(QStringLiteral("data/OrvoUpdateService/nginx-1.16.0"));
    // The application folder: the project's server folder and content editor, a blank in its name.
    QVERIFY(OrvoKiv::Platform::runProcess(QStringLiteral("cp"),
                                          {QStringLiteral("-R"), QStringLiteral(ORVO_SERVER_SOURCE),
                                           m_work.filePath(QStringLiteral("my app"))},
                                          30000)
                .succeeded());
}

qint64 tst_NginxEndToEnd::serverPid() const
{
    QFile file(m_serverDir + QStringLiteral("/logs/nginx.pid"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
}

// Stops the server this test started, whatever became of the test.
void tst_NginxEndToEnd::cleanupTestCase()
{
    if (m_serverDir.isEmpty())
        return;
    qint64 pid = 0;
    for (int i = 0; i < 50 && !(pid = serverPid()) && nginxRuns(); ++i)
        QThread::msleep(100);
    if (pid <= 0)
        return;
    ::kill(pid_t(pid), SIGTERM);
    for (int i = 0; i < 100 && alive(pid); ++i)
        QThread::msleep(50);
    QVERIFY2(!alive(pid), "the nginx started by the test did not stop");
}

QByteArray tst_NginxEndToEnd::fetch(const QString &path)
{
    QNetworkAccessManager network;
    network.setProxy(QNetworkProxy::NoProxy);
    const QUrl url(QStringLiteral("http://127.0.0.1:%1/%2").arg(m_port).arg(path));
    // The server forks into the background: allow it a moment to listen.
    for (int attempt = 0; attempt < 100; ++attempt) {
        QNetworkRequest request(url);
        request.setTransferTimeout(5000);
        QNetworkReply *reply = network.get(request);
        QEventLoop loop;
        connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        reply->deleteLater();
        if (reply->error() == QNetworkReply::NoError)
            return reply->readAll();
        if (reply->error() != QNetworkReply::ConnectionRefusedError) {
            qWarning() << url << reply->errorString();
            return QByteArray();
        }
        QThread::msleep(100);
    }
    return QByteArray();
}

void tst_NginxEndToEnd::deployStartAndServe()
{
    FakeBackend platform;
    platform.platformConventions = OrvoKiv::Platform::Conventions::posix();
    platform.exePath = m_work.filePath(QStringLiteral("my app/host"));
    ScopedBackendOverride use(platform);

    QVERIFY(ZRCommonUtils::checkAndCopyNginxServer());
    QVERIFY(ZRCommonUtils::checkAndCopyNginxContentEditor());
    ZRCommonUtils::checkNginxIsRunningOrStartIt();

    QFile shipped(QStringLiteral(ORVO_SERVER_SOURCE "/contentEditor/editor/index.html"));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    const QByteArray expected = shipped.readAll();
    QVERIFY(!expected.isEmpty());
    QCOMPARE(fetch(QStringLiteral("contentEditor/editor/index.html")), expected);

    // Running now: a second call only lists it.
    const qint64 pid = serverPid();
    QVERIFY(pid > 0);
    NoStartBackend counting;
    counting.platformConventions = platform.platformConventions;
    counting.exePath = platform.exePath;
    ScopedBackendOverride again(counting);
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(
        QStringLiteral("^ZRCommonUtils::checkNginxIsRunningOrStartIt dwPidList: \\((.*, )?%1(, .*)?\\)$").arg(pid)));
    ZRCommonUtils::checkNginxIsRunningOrStartIt();
    QCOMPARE(counting.starts, 0);
}

QTEST_GUILESS_MAIN(tst_NginxEndToEnd)
#include "tst_nginxendtoend.moc"
