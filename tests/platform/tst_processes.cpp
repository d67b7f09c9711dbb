#include "procfs_p.h"
#include "processrunner_p.h"
#include "tsvrows.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace OrvoKiv::Platform;

// A field with each "\n" made a newline, which a TSV field cannot hold.
static QString unescaped(const char *column) { return tsvField(column).replace(QLatin1String("\\n"), QLatin1String("\n")); }

class tst_Processes : public QObject
{
    Q_OBJECT

private slots:
    void run_data()
    {
        addTsvRows(QStringLiteral("platform/runprocess.tsv"),
                   {"case", "program", "arguments", "timeout", "started", "exitCode", "output"});
    }

    void run()
    {
        const int timeout = tsvField("timeout").toInt();
        QElapsedTimer clock;
        clock.start();
        const ProcessResult result = runProcess(tsvField("program"),
            unescaped("arguments").split(QLatin1Char('|'), Qt::SkipEmptyParts), timeout);
        QVERIFY(clock.elapsed() < 10000);
        QCOMPARE(result.started, tsvYes("started"));
        QCOMPARE(result.timedOut, timeout < 30000);
        QCOMPARE(result.exitCode, tsvField("exitCode").toInt());
        if (result.timedOut) // killed and reaped: not even a zombie is left under the id it printed
            QVERIFY(!QFileInfo::exists(QStringLiteral("/proc/") + QString::fromLatin1(result.standardOutput.trimmed())));
        else
            QCOMPARE(result.standardOutput, unescaped("output").toUtf8());
    }

    void procListing()
    {
        QStringList got;
        for (const ProcessInfo &p : procProcesses(QStringLiteral(ORVO_TEST_DATA "/platform/proc")))
            got << QString::number(p.pid) + QLatin1Char('=') + p.name;
        // Ascending ids; a name cut at 15 completed from argv[0] when that continues it (not when
        // argv[0] is missing or another name); an empty name (exited while listed) and a
        // non-numeric entry left out.
        QCOMPARE(got, (QStringList{"3=kworker/0:1-eve", "20=avery-long-name-indeed", "50=renamed-threads", "100=nginx"}));
    }
};

QTEST_GUILESS_MAIN(tst_Processes)
#include "tst_processes.moc"
