#include "procfs_p.h"
#include "processrunner_p.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace OrvoKiv::Platform;

class tst_Processes : public QObject
{
    Q_OBJECT

private slots:
    void run_data();
    void run();
    void procListing();
};

void tst_Processes::run_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("timeout");
    QTest::addColumn<bool>("started");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("output");

    // Each argument reaches the child whole: blanks, a leading "-", a newline, shell syntax.
    QTest::newRow("arguments intact")
        << "printf" << QStringList{"[%s]", "a b", "-o -fprint X", "x\ny", "$(id)", "'q'"} << 30000 << true << 0
        << QByteArray("[a b][-o -fprint X][x\ny][$(id)]['q']");
    QTest::newRow("exit code, stderr is not output")
        << "sh" << QStringList{"-c", "echo out; echo err >&2; exit 3"} << 30000 << true << 3 << QByteArray("out\n");
    QTest::newRow("missing program") << "/nonexistent/orvo-no-such-program" << QStringList() << 30000 << false << -1
                                     << QByteArray();
    // The child prints its id; what it printed before the kill is still read.
    QTest::newRow("outlives its limit")
        << "sh" << QStringList{"-c", "echo $$; exec sleep 30"} << 300 << true << -1 << QByteArray();
}

void tst_Processes::run()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(int, timeout);
    QElapsedTimer clock;
    clock.start();
    const ProcessResult result = runProcess(program, arguments, timeout);
    QVERIFY(clock.elapsed() < 10000);
    QTEST(result.started, "started");
    QCOMPARE(result.timedOut, timeout < 30000);
    QTEST(result.exitCode, "exitCode");
    if (result.timedOut) // killed and reaped: not even a zombie is left under the id it printed
        QVERIFY(!QFileInfo::exists(QStringLiteral("/proc/") + QString::fromLatin1(result.standardOutput.trimmed())));
    else
        QTEST(result.standardOutput, "output");
}

void tst_Processes::procListing()
{
    QStringList got;
    for (const ProcessInfo &p : procProcesses(QStringLiteral(ORVO_TEST_DATA "/platform/proc")))
        got << QString::number(p.pid) + QLatin1Char('=') + p.name;
    // Ascending ids; a name cut at 15 completed from argv[0] unless nothing completes it; an
    // empty name (exited while listed) and a non-numeric entry left out.
    QCOMPARE(got, (QStringList{"3=kworker/0:1-eve", "20=avery-long-name-indeed", "100=nginx"}));
}

QTEST_GUILESS_MAIN(tst_Processes)
#include "tst_processes.moc"
