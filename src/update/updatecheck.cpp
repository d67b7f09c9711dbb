#include "updatecheck_p.h"

#include "orvolog_p.h"
#include "platformbackend_p.h"
#include "zrcommonutils.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>

namespace OrvoKiv {
namespace Update {

QString updaterArgument(bool autoUpdate, const QString &language)
{
    // The updater describes this process, so Qt's own name counts, not the shared UI state.
    const QString appName = QCoreApplication::applicationName();
    const QString appDir = QCoreApplication::applicationDirPath();
    const QString installed =
        ZRCommonUtils::getSoftwareRegeditCurrentVersion(appName, QStringLiteral("Tesvari"));

    const QJsonObject property{
        {QStringLiteral("versionInfoFilePath"), QString(appDir + QStringLiteral("/version.ini"))},
        {QStringLiteral("appname"), appName},
        {QStringLiteral("apppath"), appDir},
        {QStringLiteral("regeditversion"), installed},
        {QStringLiteral("language"), language},
        {QStringLiteral("autoupdate"), autoUpdate},
        {QStringLiteral("style"), QStringLiteral("3")},
        {QStringLiteral("colorType"), QStringLiteral("2")},
        {QStringLiteral("defaultColor"), QStringLiteral("#1F71FF")},
        {QStringLiteral("hoverColor"), QStringLiteral("#1F71FF")},
        {QStringLiteral("disableColor"), QStringLiteral("#333333")},
        {QStringLiteral("btnDefaultColor"), QStringLiteral("#1F71FF")},
        {QStringLiteral("btnHoverColor"), QStringLiteral("#1F71FF")},
        {QStringLiteral("btnDisableColor"), QStringLiteral("#1F71FF")},
        {QStringLiteral("backPicPath"), QString(appDir + QStringLiteral("/Environment/images/update_back_pic.png"))},
    };
    const QJsonObject message{
        {QStringLiteral("scenario"), QStringLiteral("ID_SCENARIO_UNKNOW")},
        {QStringLiteral("from"), QStringLiteral("ID_PC_ORVOENTRANCE")},
        {QStringLiteral("eventid"), QStringLiteral("ID_ORVOENTRANCE_UPDATE_CMD")},
        {QStringLiteral("property"), property},
    };
    return ZRCommonUtils::getBase64String(QString::fromUtf8(QJsonDocument(message).toJson()));
}

QString updaterPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/OrvoSoftwareUpdate")
        + Platform::backend().conventions().executableSuffix;
}

} // namespace Update
} // namespace OrvoKiv

bool ZRCommonUtils::checkUpdate(bool autoUpdate, const QString &language)
{
    orvoDebug() << "ZRCommonUtils::checkUpdate";
    return OrvoKiv::Platform::backend().shellOpen(OrvoKiv::Update::updaterPath(),
                                                  OrvoKiv::Update::updaterArgument(autoUpdate, language));
}
