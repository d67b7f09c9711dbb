#include "zrkivfileinfo.h"

#include <QVector>

#include <utility>

ZRKivFileInfo::ZRKivFileInfo(const QString &path)
    : m_path(path)
{
}

ZRKivFileInfo::ZRKivFileInfo(const ZRKivFileInfo &other) = default;
ZRKivFileInfo::ZRKivFileInfo(ZRKivFileInfo &&other) noexcept = default;
ZRKivFileInfo &ZRKivFileInfo::operator=(const ZRKivFileInfo &other) = default;
ZRKivFileInfo &ZRKivFileInfo::operator=(ZRKivFileInfo &&other) noexcept = default;
ZRKivFileInfo::~ZRKivFileInfo() = default;

QStringList ZRKivFileInfo::audioExts()
{
    return {QStringLiteral("mp3"), QStringLiteral("m4a"), QStringLiteral("au"), QStringLiteral("wma"),
            QStringLiteral("wav")};
}

QStringList ZRKivFileInfo::commonExts()
{
    return {QStringLiteral("swf"), QStringLiteral("SWF")};
}

QStringList ZRKivFileInfo::docExts()
{
    return {QStringLiteral("doc"), QStringLiteral("docx")};
}

QStringList ZRKivFileInfo::zrtxExts()
{
    return {QStringLiteral("zrtx")};
}

QStringList ZRKivFileInfo::imgExts()
{
    return {QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("png"), QStringLiteral("bmp"),
            QStringLiteral("svg")};
}

QStringList ZRKivFileInfo::klExts()
{
    return {QStringLiteral("kl")};
}

QStringList ZRKivFileInfo::pdfExts()
{
    return {QStringLiteral("pdf"), QStringLiteral("PDF")};
}

QStringList ZRKivFileInfo::pptExts()
{
    return {QStringLiteral("ppt"), QStringLiteral("pptx")};
}

QStringList ZRKivFileInfo::videoExts()
{
    return {QStringLiteral("avi"), QStringLiteral("mov"), QStringLiteral("asf"), QStringLiteral("wmv"),
            QStringLiteral("mpeg"), QStringLiteral("mpg"), QStringLiteral("mp4"), QStringLiteral("m4v")};
}

QString ZRKivFileInfo::extName() const
{
    const int dot = m_path.lastIndexOf(QLatin1Char('.'));
    return m_path.right(m_path.size() - dot - 1);
}

// Extensions and the container names MediaInfo reports share one table. The scan does not stop
// at a match: names in two rows ("MPEG-4", "Windows Media") take the later row.
ZRKivFileInfo::eType ZRKivFileInfo::fileExtToType(const QString &name) const
{
    const QVector<std::pair<eType, QStringList>> table = {
        {eKl, {QStringLiteral("kl")}},
        {eImage, imgExts() << QStringLiteral("Bitmap")},
        {ePpt, pptExts()},
        {eZrtx, {QStringLiteral("zrtx")}},
        {eAudio, audioExts() << QStringLiteral("MPEG-4") << QStringLiteral("MPEG Audio") << QStringLiteral("Wave")
                             << QStringLiteral("Windows Media")},
        {eVideo, videoExts() << QStringLiteral("MPEG-4") << QStringLiteral("MPEG-PS") << QStringLiteral("Windows Media")},
        {eDoc, docExts()},
        {ePdf, pdfExts()},
    };
    eType result = eOther;
    for (const auto &row : table) {
        if (row.second.contains(name, Qt::CaseInsensitive))
            result = row.first;
    }
    return result;
}

ZRKivFileInfo::eType ZRKivFileInfo::fileType() const
{
    return fileExtToType(extName());
}
