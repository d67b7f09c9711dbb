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

const bool mediaInfoMissing = qEnvironmentVariableIsSet("ORVO_MEDIAINFO");

} // namespace

class AvailabilityTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // A copy of a fixture under another name; an empty fixture leaves the name unused.
    QString place(const QString &fixture, const QString &name)
    {
        if (name.isEmpty())
            return QString();
        const QString path = m_dir.filePath(name);
        QFile::remove(path);
        if (!fixture.isEmpty())
            QFile::copy(QStringLiteral(ORVO_TEST_DATA "/files/") + fixture, path);
        return path;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qInstallMessageHandler(capture);
    }

    void cleanupTestCase()
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

    void lists()
    {
        QStringList lists;
        for (const QStringList &list :
             {ZRKivFileInfo::audioExts(), ZRKivFileInfo::commonExts(), ZRKivFileInfo::docExts(),
              ZRKivFileInfo::zrtxExts(), ZRKivFileInfo::imgExts(), ZRKivFileInfo::klExts(), ZRKivFileInfo::pdfExts(),
              ZRKivFileInfo::pptExts(), ZRKivFileInfo::videoExts()})
            lists << list.join(QLatin1Char(' '));
        QCOMPARE(lists.join(QLatin1String(" | ")),
                 QStringLiteral("mp3 m4a au wma wav | swf SWF | doc docx | zrtx | jpg jpeg png bmp svg | kl | "
                                "pdf PDF | ppt pptx | avi mov asf wmv mpeg mpg mp4 m4v"));
    }

    void fileType_data() { addTsvRows(QStringLiteral("files/types.tsv"), {"path", "type"}); }
    void fileType() { QCOMPARE(int(ZRKivFileInfo(tsvField("path")).fileType()), tsvField("type").toInt()); }

    void probe_data()
    {
        addTsvRows(QStringLiteral("files/probe.tsv"), {"name", "fixture", "answer", "type", "without", "log"});
    }

    void probe()
    {
        const QString type = tsvField("type"), log = tsvField("log");
        if (log.contains(QLatin1String("crashed")) && inProcess())
            QSKIP("would take the test down with it");
        const QString path = place(tsvField("fixture"), tsvField("name"));
        g_lines.clear();
        QCOMPARE(ZRKivFileInfo(path).isAvailable(), tsvYes(mediaInfoMissing ? "without" : "answer"));
        const QString summary = g_lines.filter(QStringLiteral("ZRKivFileInfo::isAvailable strExt:")).value(0);
        if (type.isEmpty())
            QVERIFY2(summary.isEmpty(), qPrintable(summary));
        else if (mediaInfoMissing)
            QVERIFY2(summary.contains(QLatin1String("strRealFormat: \"Unable to load MediaInfo.dll\"")), qPrintable(summary));
        else
            QVERIFY2(summary.contains(QStringLiteral(" type: %1 eExpectType").arg(type)), qPrintable(summary));
        // Without MediaInfo only the lines of cases without a summary stay the same.
        if (!log.isEmpty() && !(mediaInfoMissing && !type.isEmpty()))
            QVERIFY2(g_lines.count(QString(log).replace(QLatin1String("PATH"), path)) == 1, qPrintable(g_lines.join('\n')));
    }

    void misbehaving_data() { addTsvRows(QStringLiteral("files/misbehaving.tsv"), {"name", "failure", "atLeastMs"}); }

    // The host outlives the helper, answers within the time limit, and the next probe gets a new one.
    void misbehaving()
    {
        if (!qEnvironmentVariable("ORVO_PROBE_HELPER").contains(QLatin1String("faulty")))
            QSKIP("needs the test build of the helper");
        const QString failure = tsvField("failure");
        const int atLeastMs = tsvField("atLeastMs").toInt();
        const QString song = QStringLiteral(ORVO_TEST_DATA "/files/song.mp3");
        const QString victim = place(QStringLiteral("song.mp3"), tsvField("name"));
        QVERIFY(ZRKivFileInfo(song).isAvailable()); // the helper is up and warm
        g_lines.clear();
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!ZRKivFileInfo(victim).isAvailable());
        QVERIFY2(clock.elapsed() >= atLeastMs && clock.elapsed() < atLeastMs + 5000, QByteArray::number(clock.elapsed()));
        QCOMPARE(g_lines.filter(failure),
                 QStringList(QStringLiteral("ZRKivFileInfo::isAvailable \"%1\" \"%2\"").arg(victim, failure)));
        QVERIFY(ZRKivFileInfo(song).isAvailable());
    }
};

QTEST_GUILESS_MAIN(AvailabilityTest)
#include "tst_availability.moc"
