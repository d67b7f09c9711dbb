// isAvailable() over the fixtures, in whichever mode the environment selects (CTest runs it three
// times): the probe helper found beside the library; no helper ($ORVO_PROBE_HELPER names a
// missing file), parsing in-process; and no MediaInfo library ($ORVO_MEDIAINFO names a missing
// file). The answers of the first two must agree.
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
    if (message.contains(QLatin1String("no probe helper installed")))
        ++g_inProcessNotices;
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
    for (const QString &line : qAsConst(g_lines)) {
        if (line.startsWith(QLatin1String("ZRKivFileInfo::isAvailable strExt:")))
            return line;
    }
    return QString();
}

} // namespace

class AvailabilityTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void probe_data();
    void probe();
    void summary();

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
    // The gigabyte picture and the crashing PDF were parsed elsewhere.
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

void AvailabilityTest::probe_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("available");
    QTest::addColumn<int>("type");              // in the summary line; -1: no summary line
    QTest::addColumn<bool>("withoutMediaInfo"); // the answer when MediaInfo cannot be loaded
    QTest::addColumn<QString>("log");           // another line the probe must write
    QTest::addColumn<bool>("crashesParser");
    const auto row = [](const char *fixture, const char *name, bool available, int type, bool withoutMediaInfo,
                        const char *log = "", bool crashes = false) {
        QTest::addRow("%s as %s", fixture, name) << QString::fromUtf8(fixture) << QString::fromUtf8(name) << available
                                                 << type << withoutMediaInfo << QString::fromUtf8(log) << crashes;
    };
    // First, while the helper is fresh: once libmediainfo has parsed some other files it may
    // survive this one.
    row("crash.pdf", "crash.pdf", false, 0, false, "crash.pdf\" \"the probe helper crashed\"", true);
    // The content's format decides sound and video...
    row("song.mp3", "song.mp3", true, 5, false);
    row("sound.wav", "sound.wav", true, 5, false);
    row("clip.avi", "clip.avi", true, 6, false);
    row("clip.mpeg", "clip.mpeg", true, 6, false);
    row("song.mp3", "song-renamed.png", false, 5, false);
    row("headerless.wav", "headerless.wav", false, 0, false);
    row("empty.mp3", "empty.mp3", false, 0, false);
    // ...but for the shared containers the extension does.
    row("tune.m4a", "tune.m4a", true, 5, false);
    row("tune.m4a", "clip.mp4", true, 6, false);
    row("tune.m4a", "clip.avi", true, 6, false);
    row("clip.mov", "clip.mov", true, 6, false);
    row("talk.wmv", "talk.wmv", true, 6, false);
    row("talk.wma", "talk.wma", true, 5, false);
    row("talk.wmv", "talk.wma", true, 5, false);
    // Zip counts only for document expectations; documents go by extension.
    row("lesson.pptx", "lesson.pptx", true, 3, true);
    row("notes.docx", "notes.docx", true, 7, true);
    row("lesson.pptx", "lesson-renamed.mp4", false, 0, false);
    row("readme.txt", "notes.docx", true, 7, true);
    row("song.mp3", "lesson.pptx", true, 3, true);
    // Pictures: a loadable one lets the extension speak, an unloadable one keeps the content's class.
    row("picture.png", "picture.png", true, 2, false);
    row("photo.jpg", "photo.jpg", true, 2, false);
    row("image.bmp", "image.bmp", true, 2, false);
    row("picture.png", "picture-renamed.jpg", true, 2, false);
    row("truncated.png", "truncated.png", true, 2, false);
    row("picture.png", "cover.mp3", true, 5, false);
    row("truncated.png", "cover.mp3", false, 2, false);
    row("huge.png", "huge.png", true, 2, false);
    row("drawing.svg", "drawing.svg", true, 2, false);
    row("broken.svg", "broken.svg", false, 0, false);
    // PDF: the header may veto, and a yes still needs MediaInfo's "PDF".
    row("report.pdf", "report.pdf", true, 8, false);
    row("truncated.pdf", "truncated.pdf", true, 8, false);
    row("noheader.pdf", "noheader.pdf", false, -1, false, "header is not %PDF-");
    row("lowerheader.pdf", "lowerheader.pdf", false, 0, false);
    // No content to look at.
    row("", "gone.kl", true, -1, true);
    row("", "gone.zrtx", true, -1, true);
    row("", "gone.mp3", false, -1, false, "not exist!!!");
    row("", "", false, -1, false, "ZRKivFileInfo::isAvailable \"\" empty!!!");
    row("readme.txt", "readme.txt", true, 0, true);
}

void AvailabilityTest::probe()
{
    QFETCH(QString, fixture);
    QFETCH(QString, name);
    QFETCH(bool, available);
    QFETCH(int, type);
    QFETCH(bool, withoutMediaInfo);
    QFETCH(QString, log);
    QFETCH(bool, crashesParser);
    if (crashesParser && inProcess())
        QSKIP("would take the test down with it");
    const QString path = place(fixture, name);
    g_lines.clear();
    const bool answer = ZRKivFileInfo(path).isAvailable();
    const QString summary = summaryLine();
    if (mediaInfoMissing()) {
        QCOMPARE(answer, withoutMediaInfo);
        if (type >= 0)
            QVERIFY2(summary.contains(QLatin1String("strRealFormat: \"Unable to load MediaInfo.dll\"")), qPrintable(summary));
        if (crashesParser)
            return; // nothing to crash without the library
    } else {
        QCOMPARE(answer, available);
        if (type >= 0)
            QVERIFY2(summary.contains(QStringLiteral(" type: %1 eExpectType").arg(type)), qPrintable(summary));
    }
    if (type < 0)
        QVERIFY2(summary.isEmpty(), qPrintable(summary));
    if (!log.isEmpty())
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

QTEST_GUILESS_MAIN(AvailabilityTest)
#include "tst_availability.moc"
