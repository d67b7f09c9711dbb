#include "zrkivfileinfo.h"

#include "contentprobe_p.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

using OrvoKiv::Files::ContentProbe;
using OrvoKiv::Files::MediaFormats;

bool ZRKivFileInfo::isAvailable() const
{
    const eType type = fileType();
    // Opened by the suite's own viewers, which check them themselves.
    if (type == eZrtx || type == eKl)
        return true;
    return isAvailable(type);
}

bool ZRKivFileInfo::isAvailable(eType eExpectType) const
{
    if (m_path.isEmpty()) {
        QMessageLogger().warning() << "ZRKivFileInfo::isAvailable" << m_path << "empty!!!";
        return false;
    }
    if (!QFileInfo::exists(m_path)) {
        QMessageLogger().warning() << "ZRKivFileInfo::isAvailable" << m_path << "not exist!!!";
        return false;
    }
    const QString strExt = extName();
    ContentProbe probe(m_path);
    const MediaFormats formats = probe.formats();
    const QString sFormat = QString::fromStdWString(formats.general);
    const QString strRealFormat = sFormat;
    eType type = fileExtToType(strRealFormat);

    const auto expectsDocument = [eExpectType](bool orKl) {
        return eExpectType == eDoc || eExpectType == eZrtx || eExpectType == ePpt || (orKl && eExpectType == eKl);
    };
    if (strRealFormat.contains(QLatin1String("Windows Media"), Qt::CaseInsensitive)
        || strRealFormat.contains(QLatin1String("MPEG-4"), Qt::CaseInsensitive)) {
        // Sound and video share these containers: the extension tells which is meant.
        type = fileExtToType(strExt);
    } else if (strRealFormat.contains(QLatin1String("zip"), Qt::CaseInsensitive)) {
        if (expectsDocument(true))
            type = fileExtToType(strExt);
    } else if (type == eImage || (strExt.contains(QLatin1String("SVG"), Qt::CaseInsensitive) && sFormat.isEmpty())) {
        if (probe.pictureLoads())
            type = fileExtToType(strExt);
    } else if (eExpectType == ePdf) {
        QFile file(m_path);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray line = file.readLine();
            file.close();
            if (!QString::fromUtf8(line).contains(QLatin1String("%PDF-"), Qt::CaseInsensitive)) {
                QMessageLogger().debug() << "ZRKivFileInfo::isAvailable" << m_path << line << "header is not %PDF-";
                return false;
            }
        }
    } else if (expectsDocument(false)) {
        type = fileExtToType(strExt);
    }

    const bool result = type == eExpectType;
    QMessageLogger().info() << "ZRKivFileInfo::isAvailable"
                            << "strExt:" << strExt << "strRealFormat:" << strRealFormat
                            << "sFormat:" << sFormat << "sFormat2:" << QString::fromStdWString(formats.video)
                            << "sFormat3" << QString::fromStdWString(formats.audio)
                            << "type:" << int(type) << "eExpectType" << int(eExpectType)
                            << "type == eExpectType:" << result;
    return result;
}
