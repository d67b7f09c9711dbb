#include "procfs_p.h"
#include "processrunner_p.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

using OrvoKiv::Platform::ProcessResult;
using OrvoKiv::Platform::runProcess;

class tst_Processes : public QObject
{
    Q_OBJECT

private slots:
    void run_data();
    void run();
    void timeoutKillsAndReaps();
    void procListing();
};

void tst_Processes::run_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("started");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("output");

    // Each argument reaches the child whole: blanks, a leading "-", a newline, shell syntax.
    QTest::newRow("arguments intact")
        << "printf" << QStringList{"[%s]", "a b", "-o -fprint X", "x\ny", "$(id)", "'q'"} << true << 0
        << QByteArray("[a b][-o -fprint X][x\ny][$(id)]['q']");
    QTest::newRow("exit code") << "sh" << QStringList{"-c", "exit 3"} << true << 3 << QByteArray();
    QTest::newRow("stderr is not output")
        << "sh" << QStringList{"-c", "echo out; echo err >&2"} << true << 0 << QByteArray("out\n");
    QTest::newRow("missing program")
        << "/nonexistent/orvo-no-such-program" << QStringList() << false << -1 << QByteArray();
}

void tst_Processes::run()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(bool, started);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, output);
    const ProcessResult result = runProcess(program, arguments, 30000);
    QCOMPARE(result.started, started);
    QVERIFY(!result.timedOut);
    QCOMPARE(result.exitCode, exitCode);
    QCOMPARE(result.standardOutput, output);
}

void tst_Processes::timeoutKillsAndReaps()
{
    QTemporaryDir dir;
    const QString pidFile = dir.filePath(QStringLiteral("pid"));
    QElapsedTimer clock;
    clock.start();
    const ProcessResult result = runProcess(
        QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("echo $$ > \"$0\"; exec sleep 30"), pidFile}, 300);
    QVERIFY(result.started);
    QVERIFY(result.timedOut);
    QVERIFY(!result.succeeded());
    QVERIFY(clock.elapsed() < 10000);
    // Reaped: no process, not even a zombie, is left under that id.
    QFile file(pidFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray pid = file.readAll().trimmed();
    QVERIFY(!pid.isEmpty());
    QVERIFY(!QFileInfo::exists(QStringLiteral("/proc/") + QString::fromLatin1(pid)));
}

void tst_Processes::procListing()
{
    QTemporaryDir proc;
    const auto add = [&](const QString &pid, const QByteArray &comm, const QByteArray &cmdline) {
        QVERIFY(QDir(proc.path()).mkpath(pid));
        QFile c(proc.filePath(pid + QStringLiteral("/comm")));
        QVERIFY(c.open(QIODevice::WriteOnly));
        c.write(comm);
        QFile l(proc.filePath(pid + QStringLiteral("/cmdline")));
        QVERIFY(l.open(QIODevice::WriteOnly));
        l.write(cmdline);
    };
    add(QStringLiteral("20"), "avery-long-name\n", QByteArray("/opt/x/avery-long-name-indeed\0--flag\0", 38));
    add(QStringLiteral("3"), "kworker/0:1-eve\n", QByteArray()); // cut short, nothing to complete it from
    add(QStringLiteral("100"), "nginx\n", QByteArray("nginx: master process\0", 22));
    add(QStringLiteral("7"), "", QByteArray()); // exited while listed
    QVERIFY(QDir(proc.path()).mkpath(QStringLiteral("self")));

    QStringList got;
    for (const OrvoKiv::Platform::ProcessInfo &p : OrvoKiv::Platform::procProcesses(proc.path()))
        got << QString::number(p.pid) + QLatin1Char('=') + p.name;
    QCOMPARE(got, (QStringList{"3=kworker/0:1-eve", "20=avery-long-name-indeed", "100=nginx"}));

    // The real listing holds this very process under its own name.
    bool self = false;
    for (const OrvoKiv::Platform::ProcessInfo &p : OrvoKiv::Platform::procProcesses(QStringLiteral("/proc")))
        self |= p.pid == QCoreApplication::applicationPid() && p.name == QStringLiteral("tst_processes");
    QVERIFY(self);
}

QTEST_GUILESS_MAIN(tst_Processes)
#include "tst_processes.moc"
