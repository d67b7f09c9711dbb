// The extension lists and the type table, through fileType() (a path "x.NAME" looks NAME up).
#include <zrkivfileinfo.h>

#include <QtTest>

class FileTypesTest : public QObject
{
    Q_OBJECT
private slots:
    void lists_data();
    void lists();
    void fileType_data();
    void fileType();
};

void FileTypesTest::lists_data()
{
    QTest::addColumn<QStringList>("got");
    QTest::addColumn<QString>("expected");
    QTest::newRow("audio") << ZRKivFileInfo::audioExts() << "mp3 m4a au wma wav";
    QTest::newRow("common") << ZRKivFileInfo::commonExts() << "swf SWF";
    QTest::newRow("doc") << ZRKivFileInfo::docExts() << "doc docx";
    QTest::newRow("zrtx") << ZRKivFileInfo::zrtxExts() << "zrtx";
    QTest::newRow("img") << ZRKivFileInfo::imgExts() << "jpg jpeg png bmp svg";
    QTest::newRow("kl") << ZRKivFileInfo::klExts() << "kl";
    QTest::newRow("pdf") << ZRKivFileInfo::pdfExts() << "pdf PDF";
    QTest::newRow("ppt") << ZRKivFileInfo::pptExts() << "ppt pptx";
    QTest::newRow("video") << ZRKivFileInfo::videoExts() << "avi mov asf wmv mpeg mpg mp4 m4v";
}

void FileTypesTest::lists()
{
    QFETCH(QStringList, got);
    QFETCH(QString, expected);
    QCOMPARE(got, expected.split(QLatin1Char(' ')));
}

void FileTypesTest::fileType_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("type");
    const auto row = [](const char *path, ZRKivFileInfo::eType type) {
        QTest::newRow(path) << QString::fromUtf8(path) << int(type);
    };
    row("C:/lessons/Lesson.PPTX", ZRKivFileInfo::ePpt);
    row("song.MP3", ZRKivFileInfo::eAudio);
    row("clip.m4v", ZRKivFileInfo::eVideo);
    row("page.svg", ZRKivFileInfo::eImage);
    row("a.kl", ZRKivFileInfo::eKl);
    row("a.zrtx", ZRKivFileInfo::eZrtx);
    row("a.doc", ZRKivFileInfo::eDoc);
    row("a.Pdf", ZRKivFileInfo::ePdf);
    row("a.au", ZRKivFileInfo::eAudio);
    row("a.asf", ZRKivFileInfo::eVideo);
    // Container names: the later row wins where two rows hold the name.
    row("x.MPEG-4", ZRKivFileInfo::eVideo);
    row("x.Windows Media", ZRKivFileInfo::eVideo);
    row("x.MPEG Audio", ZRKivFileInfo::eAudio);
    row("x.Wave", ZRKivFileInfo::eAudio);
    row("x.Bitmap", ZRKivFileInfo::eImage);
    row("x.MPEG-PS", ZRKivFileInfo::eVideo);
    row("x.mpeg-ps", ZRKivFileInfo::eVideo);
    // Whole entries only, and only the table's rows.
    row("x.MPEG", ZRKivFileInfo::eVideo);
    row("x.MPEG-4 Visual", ZRKivFileInfo::eOther);
    row("x.mp", ZRKivFileInfo::eOther);
    row("movie.swf", ZRKivFileInfo::eOther);
    row("archive.tar.gz", ZRKivFileInfo::eOther);
    row("trailing.", ZRKivFileInfo::eOther);
    row("C:/my.dir/file", ZRKivFileInfo::eOther);
    row("C:/my.mp3/file", ZRKivFileInfo::eOther);
    row("mp3", ZRKivFileInfo::eAudio); // no dot: the whole path is the extension
    row("", ZRKivFileInfo::eOther);
}

void FileTypesTest::fileType()
{
    QFETCH(QString, path);
    QFETCH(int, type);
    QCOMPARE(int(ZRKivFileInfo(path).fileType()), type);
}

QTEST_GUILESS_MAIN(FileTypesTest)
#include "tst_filetypes.moc"
