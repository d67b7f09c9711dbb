#include "orvoappinfo.h"

#include "orvolog_p.h"
#include "zrcommonutils.h"

#include <QFile>
#include <QFileInfo>

namespace {

QJsonObject recognised(const QString &displayName, const QString &path, const QString &regKey)
{
    return QJsonObject{
        {QStringLiteral("enName"), displayName},
        {QStringLiteral("name"), displayName},
        {QStringLiteral("appName"), displayName},
        {QStringLiteral("image"), path},
        {QStringLiteral("params"), path},
        {QStringLiteral("appPath"), path},
        {QStringLiteral("regKey"), regKey},
        {QStringLiteral("regGroup"), QStringLiteral("third-orvo")},
        {QStringLiteral("appGroup"), QStringLiteral("third-orvo")},
        {QStringLiteral("installed"), true},
    };
}

} // namespace

QJsonObject OrvoAppInfo::isOrvoNewApp(QString displayName, QString programPath)
{
    QJsonObject record;
    if (programPath.contains(QLatin1String("Orvo")) || programPath.contains(QLatin1String("Tesvari"))) {
        QString key = QFileInfo(programPath).baseName();
        // A launcher XyzShell.exe belongs to the product Xyz.
        if (programPath.contains(QLatin1String("Shell.exe")))
            key.remove(QStringLiteral("Shell"));
        const QString found = getOrvoSoftInstallPath(QJsonObject(), key, QStringLiteral("Tesvari"));
        if (!found.isEmpty())
            record = recognised(displayName, found, key);
    }
    orvoDebug() << "OrvoAppInfo::isOrvoNewApp" << record;
    return record;
}

QJsonObject OrvoAppInfo::isOldKaloApp(QString displayName, QString programPath)
{
    if (!programPath.contains(QLatin1String("kalo")) || !displayName.contains(QString::fromUtf8("课堂评价")))
        return QJsonObject();
    const QString exe = ZRCommonUtils::getExeInstallPath(QStringLiteral("kalo\\ClassEvaluationPro"))
        + QStringLiteral("ClassEvaluationPro.exe");
    return QFile::exists(exe) ? recognised(displayName, exe, QString()) : QJsonObject();
}
