#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <deque>

class tst_IniWriters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loseNothing();
};

// One-shot writers: every process reads, changes and writes the whole file, so without a lock
// across processes some keys are overwritten by a writer that read the file before they landed.
// A window of writers runs at once, a new one starting as the oldest ends.
void tst_IniWriters::loseNothing()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("processes.ini"));
    constexpr int writers = 1600, atOnce = 16;
    std::deque<QProcess> running;
    for (int started = 0; started < writers || !running.empty(); running.pop_front()) {
        for (; started < writers && int(running.size()) < atOnce; ++started) {
            running.emplace_back();
            running.back().start(QStringLiteral(ORVO_INI_WRITER), {file, QStringLiteral("k%1").arg(started), QString::number(started)});
        }
        QVERIFY(running.front().waitForFinished(30000));
        QVERIFY(running.front().exitStatus() == QProcess::NormalExit && running.front().exitCode() == 0);
    }
    QCOMPARE(QSettings(file, QSettings::IniFormat).allKeys().size(), writers);
    QVERIFY(!QFile::exists(file + QStringLiteral(".writelock")));
}

QTEST_GUILESS_MAIN(tst_IniWriters)
#include "tst_iniwriters.moc"
