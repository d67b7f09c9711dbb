#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

class tst_IniWriters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loseNothing();
};

// One-shot writers: every process reads, changes and writes the whole file, so without a lock
// across processes some keys are overwritten by a writer that read the file before they landed.
void tst_IniWriters::loseNothing()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    constexpr int writers = 1600, atOnce = 16;
    const QString file = dir.filePath(QStringLiteral("processes.ini"));
    std::vector<std::unique_ptr<QProcess>> running;
    int started = 0, failed = 0;
    while (started < writers || !running.empty()) {
        while (started < writers && int(running.size()) < atOnce) {
            running.emplace_back(std::make_unique<QProcess>());
            running.back()->start(QStringLiteral(ORVO_INI_WRITER), {file, QStringLiteral("k%1").arg(started), QString::number(started)});
            ++started;
        }
        QVERIFY(running.front()->waitForFinished(30000));
        failed += running.front()->exitCode() != 0 || running.front()->exitStatus() != QProcess::NormalExit;
        running.erase(running.begin());
    }
    QCOMPARE(failed, 0);
    QSettings settings(file, QSettings::IniFormat);
    QCOMPARE(settings.allKeys().size(), writers);
    QVERIFY(!QFile::exists(file + QStringLiteral(".writelock")));
}

QTEST_GUILESS_MAIN(tst_IniWriters)
#include "tst_iniwriters.moc"
