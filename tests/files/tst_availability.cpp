// ZRKivFileInfo in whichever mode the environment selects (CTest runs this program four times):
// the probe helper found beside the library; no helper ($ORVO_PROBE_HELPER names a missing file),
// parsing in-process; no MediaInfo library ($ORVO_MEDIAINFO names a missing file); and the test
// build of the helper, which crashes, hangs or balloons on files named for it. The answers of the
// first two must agree.
#include "tsvrows.h"

#include <zrkivfileinfo.h>

#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace {

QStringList g_lines;
int g_inProcessNotices = 0;

void capture(QtMsgType, const QMessageLogContext &, const QString &message)
{
    g_lines << message;
    g_inProcessNotices += message.contains(QLatin1String("no probe helper installed"));
}

bool inProcess()
{
    const QString helper = qEnvironmentVariable("ORVO_PROBE_HELPER");
    return !helper.isEmpty() && !QFileInfo::exists(helper);
}

bool mediaInfoMissing()
{
    return qEnvironmentVariableIsSet("ORVO_MEDIAINFO");
}

QString summaryLine()
{
    return g_lines.filter(QRegularExpression(QStringLiteral("^ZRKivFileInfo::isAvailable strExt:"))).value(0);
}

} // namespace

class AvailabilityTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void lists();
    void fileType_data() { addTsvRows(QStringLiteral("files/types.tsv"), {"path", "type"}); }
    void fileType();
    void probe_data()
    {
        addTsvRows(QStringLiteral("files/probe.tsv"), {"name", "fixture", "answer", "type", "without", "log"});
    }
    void probe();
    void summary();
    void misbehaving_data();
    void misbehaving();

private:
    QString place(const QString &fixture, const QString &name);
    QTemporaryDir m_dir;
};

void AvailabilityTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    qInstallMessageHandler(capture);
}

void AvailabilityTest::cleanupTestCase()
{
    qInstallMessageHandler(nullptr);
    QCOMPARE(g_inProcessNotices, inProcess() ? 1 : 0);
#ifdef Q_OS_UNIX
    // The gigabyte picture, the crashing PDF and the balloon were parsed elsewhere.
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    if (!inProcess())
        QVERIFY2(usage.ru_maxrss < 200 * 1024, QByteArray::number(qint64(usage.ru_maxrss)));
#endif
}

// A copy of a fixture under another name; an empty fixture leaves the name unused.
QString AvailabilityTest::place(const QString &fixture, const QString &name)
{
    if (name.isEmpty())
        return QString();
    const QString path = m_dir.filePath(name);
    QFile::remove(path);
    if (!fixture.isEmpty())
        QFile::copy(QStringLiteral(ORVO_TEST_DATA "/files/") + fixture, path);
    return path;
}

void AvailabilityTest::lists()
{
    QStringList lists;
    for (const QStringList &list : {ZRKivFileInfo::audioExts(), ZRKivFileInfo::commonExts(), ZRKivFileInfo::docExts(),
                                    ZRKivFileInfo::zrtxExts(), ZRKivFileInfo::imgExts(), ZRKivFileInfo::klExts(),
                                    ZRKivFileInfo::pdfExts(), ZRKivFileInfo::pptExts(), ZRKivFileInfo::videoExts()})
        lists << list.join(QLatin1Char(' '));
    QCOMPARE(lists.join(QLatin1String(" | ")),
             QStringLiteral("mp3 m4a au wma wav | swf SWF | doc docx | zrtx | jpg jpeg png bmp svg | kl | pdf PDF | "
                            "ppt pptx | avi mov asf wmv mpeg mpg mp4 m4v"));
}

void AvailabilityTest::fileType()
{
    QFETCH(QString, path);
    QFETCH(QString, type);
    QCOMPARE(int(ZRKivFileInfo(path).fileType()), type.toInt());
}

void AvailabilityTest::probe()
{
    QFETCH(QString, name);
    QFETCH(QString, fixture);
    QFETCH(QString, answer);
    QFETCH(QString, type);
    QFETCH(QString, without);
    QFETCH(QString, log);
    const bool crashesParser = log.contains(QLatin1String("crashed"));
    if (crashesParser && inProcess())
        QSKIP("would take the test down with it");
    const QString path = place(fixture, name);
    g_lines.clear();
    const bool available = ZRKivFileInfo(path).isAvailable();
    const QString summary = summaryLine();
    QCOMPARE(available, (mediaInfoMissing() ? without : answer) == QLatin1String("yes"));
    if (type.isEmpty())
        QVERIFY2(summary.isEmpty(), qPrintable(summary));
    else if (mediaInfoMissing())
        QVERIFY2(summary.contains(QLatin1String("strRealFormat: \"Unable to load MediaInfo.dll\"")), qPrintable(summary));
    else
        QVERIFY2(summary.contains(QStringLiteral(" type: %1 eExpectType").arg(type)), qPrintable(summary));
    if (!log.isEmpty() && !(crashesParser && mediaInfoMissing()))
        QVERIFY2(g_lines.filter(log).size() == 1, qPrintable(g_lines.join(QLatin1Char('\n'))));
}

void AvailabilityTest::summary()
{
    if (mediaInfoMissing())
        QSKIP("the formats are the loader's error text");
    g_lines.clear();
    QVERIFY(ZRKivFileInfo(place(QStringLiteral("clip.avi"), QStringLiteral("clip.avi"))).isAvailable());
    QCOMPARE(summaryLine(), QStringLiteral("ZRKivFileInfo::isAvailable strExt: \"avi\" strRealFormat: \"AVI\" "
                                           "sFormat: \"AVI\" sFormat2: \"MPEG-4 Visual\" sFormat3 \"\" type: 6 "
                                           "eExpectType 6 type == eExpectType: true"));
}

void AvailabilityTest::misbehaving_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("atLeastMs");
    QTest::newRow("crash") << "crash-me.mp3" << "the probe helper crashed" << 0;
    QTest::newRow("hang") << "hang-me.mp3" << "the probe helper gave no answer within 10 s" << 10000;
    QTest::newRow("memory") << "balloon-me.png" << "the probe helper ran out of its 512 MB of memory" << 0;
}

// The host outlives the helper, answers within the time limit, and the next probe gets a fresh one.
void AvailabilityTest::misbehaving()
{
    if (!qEnvironmentVariable("ORVO_PROBE_HELPER").contains(QLatin1String("faulty")))
        QSKIP("needs the test build of the helper");
    QFETCH(QString, name);
    QFETCH(QString, what);
    QFETCH(int, atLeastMs);
    const QString song = QStringLiteral(ORVO_TEST_DATA "/files/song.mp3");
    const QString victim = place(QStringLiteral("song.mp3"), name);
    QVERIFY(ZRKivFileInfo(song).isAvailable()); // the helper is up and warm
    g_lines.clear();
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!ZRKivFileInfo(victim).isAvailable());
    QVERIFY2(clock.elapsed() >= atLeastMs && clock.elapsed() < atLeastMs + 5000, QByteArray::number(clock.elapsed()));
    QCOMPARE(g_lines.filter(what), QStringList(QStringLiteral("ZRKivFileInfo::isAvailable \"%1\" \"%2\"").arg(victim, what)));
    QVERIFY(ZRKivFileInfo(song).isAvailable());
}

QTEST_GUILESS_MAIN(AvailabilityTest)
#include "tst_availability.moc"
