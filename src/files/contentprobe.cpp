#include "contentprobe_p.h"

#include "mediainfo_p.h"
#include "probeexplainer_p.h"
#include "probehelper_p.h"

#include <QAtomicInt>
#include <QDebug>
#include <QImage>

namespace OrvoKiv {
namespace Files {

namespace {

const QString opFormats = QStringLiteral("formats");
const QString opPicture = QStringLiteral("picture");

QString text(const std::wstring &value)
{
    return QString::fromStdWString(value);
}

} // namespace

MediaFormats readFormats(const QString &path)
{
    const MediaInfoFile file(path);
    return {file.format(MediaInfoFile::General), file.format(MediaInfoFile::Video),
            file.format(MediaInfoFile::Audio)};
}

// QPixmap loads through the same image reader and is null exactly when this image is; QImage
// also works without a GUI object, in the helper and in the command-line host.
bool pictureLoads(const QString &path)
{
    return !QImage(path).isNull();
}

QJsonObject answerRequest(const QJsonObject &request)
{
    const QString op = request.value(QLatin1String("op")).toString();
    const QString path = request.value(QLatin1String("path")).toString();
    if (op == opPicture)
        return {{QStringLiteral("loaded"), pictureLoads(path)}};
    const MediaFormats formats = readFormats(path);
    return {{QStringLiteral("general"), text(formats.general)},
            {QStringLiteral("video"), text(formats.video)},
            {QStringLiteral("audio"), text(formats.audio)}};
}

ContentProbe::ContentProbe(const QString &path)
    : m_path(path)
{
}

QJsonObject ContentProbe::ask(const QString &op)
{
    if (m_failed)
        return QJsonObject();
    const QJsonObject request = {{QStringLiteral("op"), op}, {QStringLiteral("path"), m_path}};
    ProbeHelper *helper = ProbeHelper::forCurrentThread();
    if (!helper) {
        static QAtomicInt told;
        if (told.testAndSetRelaxed(0, 1))
            QMessageLogger().warning() << "ZRKivFileInfo::isAvailable" << "no probe helper installed, parsing in-process";
        return answerRequest(request);
    }
    QString failure;
    const QJsonObject answer = helper->ask(request, &failure);
    if (!failure.isEmpty()) {
        m_failed = true;
        QMessageLogger().warning() << "ZRKivFileInfo::isAvailable" << m_path << failure;
        if (ProbeExplanation *explanation = ProbeExplanation::current())
            explanation->incident = failure;
    }
    return answer;
}

MediaFormats ContentProbe::formats()
{
    const QJsonObject answer = ask(opFormats);
    return {answer.value(QLatin1String("general")).toString().toStdWString(),
            answer.value(QLatin1String("video")).toString().toStdWString(),
            answer.value(QLatin1String("audio")).toString().toStdWString()};
}

bool ContentProbe::pictureLoads()
{
    return ask(opPicture).value(QLatin1String("loaded")).toBool();
}

} // namespace Files
} // namespace OrvoKiv
