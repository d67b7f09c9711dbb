#include "zrkivfileinfo.h"

#include "contentprobe_p.h"
#include "probeexplainer_p.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

using OrvoKiv::Files::ContentProbe;
using OrvoKiv::Files::MediaFormats;
using OrvoKiv::Files::ProbeExplanation;

namespace {

// Records the deciding step for orvodata classify; costs nothing otherwise.
void because(const QString &reason)
{
    if (ProbeExplanation *explanation = ProbeExplanation::current())
        explanation->reason = reason;
}

} // namespace

bool ZRKivFileInfo::isAvailable() const
{
    const eType type = fileType();
    // Opened by the suite's own viewers, which check them themselves.
    if (type == eZrtx || type == eKl) {
        because(QStringLiteral("kl and zrtx files pass without being looked at"));
        return true;
    }
    return isAvailable(type);
}

bool ZRKivFileInfo::isAvailable(eType eExpectType) const
{
    if (m_path.isEmpty()) {
        QMessageLogger().warning() << "ZRKivFileInfo::isAvailable" << m_path << "empty!!!";
        because(QStringLiteral("the path is empty"));
        return false;
    }
    if (!QFileInfo::exists(m_path)) {
        QMessageLogger().warning() << "ZRKivFileInfo::isAvailable" << m_path << "not exist!!!";
        because(QStringLiteral("nothing exists at this path"));
        return false;
    }
    const QString strExt = extName();
    ContentProbe probe(m_path);
    const MediaFormats formats = probe.formats();
    const QString sFormat = QString::fromStdWString(formats.general);
    const QString sFormat2 = QString::fromStdWString(formats.video);
    const QString sFormat3 = QString::fromStdWString(formats.audio);
    if (ProbeExplanation *explanation = ProbeExplanation::current()) {
        explanation->formatsRead = true;
        explanation->general = sFormat;
        explanation->video = sFormat2;
        explanation->audio = sFormat3;
    }
    const QString strRealFormat = sFormat;
    eType type = fileExtToType(strRealFormat);

    const auto expectsDocument = [eExpectType](bool orKl) {
        return eExpectType == eDoc || eExpectType == eZrtx || eExpectType == ePpt || (orKl && eExpectType == eKl);
    };
    if (strRealFormat.contains(QLatin1String("Windows Media"), Qt::CaseInsensitive)
        || strRealFormat.contains(QLatin1String("MPEG-4"), Qt::CaseInsensitive)) {
        // Sound and video share these containers: the extension tells which is meant.
        type = fileExtToType(strExt);
        because(QStringLiteral("a container of sound or video: the extension decides"));
    } else if (strRealFormat.contains(QLatin1String("zip"), Qt::CaseInsensitive)) {
        if (expectsDocument(true)) {
            type = fileExtToType(strExt);
            because(QStringLiteral("a zip archive named as a document: the extension decides"));
        } else {
            because(QStringLiteral("a zip archive passes only for documents"));
        }
    } else if (type == eImage || (strExt.contains(QLatin1String("SVG"), Qt::CaseInsensitive) && sFormat.isEmpty())) {
        if (probe.pictureLoads()) {
            type = fileExtToType(strExt);
            because(QStringLiteral("the content loads as a picture: the extension decides"));
        } else {
            because(QStringLiteral("the content does not load as a picture: its format decides"));
        }
    } else if (eExpectType == ePdf) {
        QFile file(m_path);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray line = file.readLine();
            file.close();
            if (!QString::fromUtf8(line).contains(QLatin1String("%PDF-"), Qt::CaseInsensitive)) {
                QMessageLogger().debug() << "ZRKivFileInfo::isAvailable" << m_path << line << "header is not %PDF-";
                because(QStringLiteral("the first line has no %PDF- header"));
                return false;
            }
        }
        because(QStringLiteral("a PDF must also be named PDF by MediaInfo"));
    } else if (expectsDocument(false)) {
        type = fileExtToType(strExt);
        because(QStringLiteral("documents are judged by their extension"));
    } else {
        because(QStringLiteral("the content's format decides"));
    }

    const bool result = type == eExpectType;
    if (ProbeExplanation *explanation = ProbeExplanation::current())
        explanation->type = type;
    QMessageLogger().info() << "ZRKivFileInfo::isAvailable"
                            << "strExt:" << strExt << "strRealFormat:" << strRealFormat
                            << "sFormat:" << sFormat << "sFormat2:" << sFormat2
                            << "sFormat3" << sFormat3
                            << "type:" << int(type) << "eExpectType" << int(eExpectType)
                            << "type == eExpectType:" << result;
    return result;
}
