// The host outlives a helper that crashes, hangs or runs out of memory ($ORVO_PROBE_HELPER is the
// test build of the helper, which misbehaves on files named for it), answers within the time
// limit, and the next probe gets a fresh helper.
#include <zrkivfileinfo.h>

#include <QtTest>

namespace {

QStringList g_warnings;

void capture(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg)
        g_warnings << message;
}

} // namespace

class ProbeHelperTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void misbehaving_data();
    void misbehaving();

private:
    QTemporaryDir m_dir;
};

void ProbeHelperTest::initTestCase()
{
    QVERIFY(QFileInfo(qEnvironmentVariable("ORVO_PROBE_HELPER")).isExecutable());
    qInstallMessageHandler(capture);
}

void ProbeHelperTest::misbehaving_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("atLeastMs");
    QTest::newRow("crash") << "crash-me.mp3" << "the probe helper crashed" << 0;
    QTest::newRow("hang") << "hang-me.mp3" << "the probe helper gave no answer within 10 s" << 10000;
    QTest::newRow("memory") << "balloon-me.png" << "the probe helper ran out of its 512 MB of memory" << 0;
}

void ProbeHelperTest::misbehaving()
{
    QFETCH(QString, name);
    QFETCH(QString, what);
    QFETCH(int, atLeastMs);
    const QString song = QStringLiteral(ORVO_TEST_DATA "/files/song.mp3");
    const QString victim = m_dir.filePath(name);
    QVERIFY(QFile::copy(song, victim));

    QVERIFY(ZRKivFileInfo(song).isAvailable()); // the helper is up and warm
    g_warnings.clear();
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!ZRKivFileInfo(victim).isAvailable());
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(elapsed >= atLeastMs && elapsed < atLeastMs + 5000, QByteArray::number(elapsed));
    QCOMPARE(g_warnings, QStringList(QStringLiteral("ZRKivFileInfo::isAvailable \"%1\" \"%2\"").arg(victim, what)));
    QVERIFY(ZRKivFileInfo(song).isAvailable());
}

QTEST_GUILESS_MAIN(ProbeHelperTest)
#include "tst_probehelper.moc"
