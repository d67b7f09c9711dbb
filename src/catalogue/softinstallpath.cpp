#include "orvoappinfo.h"

#include "apprecord_p.h"
#include "zrcommonutils.h"

using namespace OrvoKiv::AppRecord;

namespace {

// Some products record only a key of their own with a fixed executable name.
QString fixedExe(const QString &softwareKey, const QString &exe)
{
    return ZRCommonUtils::getExeInstallPath(softwareKey) + exe;
}

QString organisationPath(const QString &regKey, const QString &regGroup, const QString &appName)
{
    const QString kalo = QString::fromUtf8("OrvoKalo班班");
    if (regKey == QLatin1String("KaloBanban")) {
        const QString exe = kalo + QStringLiteral(".exe");
        const QString path = fixedExe(kalo, exe);
        return path == exe ? QString() : path;
    }
    if (regKey == QLatin1String("OrvoAIToolkit"))
        return fixedExe(QStringLiteral("Tesvari\\OrvoAIToolkit"), QStringLiteral("OrvoOneInClass.exe"));
    if (regKey == QLatin1String("WhiteBoard"))
        return fixedExe(QStringLiteral("Tesvari\\WhiteBoard"), QStringLiteral("WhiteBoard.exe"));
    const QString shellPath = ZRCommonUtils::getSoftwareRegeditShellPath(regKey, regGroup);
    return shellPath.isEmpty() ? ZRCommonUtils::getSoftwareRegeditPath(regKey, regGroup) + appName : shellPath;
}

} // namespace

QString OrvoAppInfo::getOrvoSoftInstallPath(QJsonObject record, QString regKey, QString regGroup)
{
    const QString appName = text(record, "appName");
    const QString enName = text(record, "enName");
    const QString tesvari = QStringLiteral("Tesvari");
    // Rules that say "tested" drop a path that is only the bare appName: the lookup found nothing.
    bool tested = false;
    QString path;

    if (regKey == QLatin1String("OrvorClass")) {
        if (enName == QObject::tr("Orvo双师课堂")) {
            path = ZRCommonUtils::getSoftwareRegeditPath(regKey, tesvari) + appName;
            tested = true;
        } else if (enName == QObject::tr("Corlan")) {
            path = ZRCommonUtils::getSoftwareRegeditShellPath(regKey, tesvari);
        }
    } else if (regKey == QLatin1String("OrvodClass")) {
        path = ZRCommonUtils::getSoftwareRegeditShellPath(QStringLiteral("OrvodClass"), tesvari);
        if (path.isEmpty())
            path = ZRCommonUtils::getSoftwareRegeditShellPath(QStringLiteral("OrvodClass101"), tesvari);
    } else if (regGroup == tesvari || regGroup == QLatin1String("kalo")) {
        path = organisationPath(regKey, regGroup, appName);
        tested = true;
    } else if (regGroup == QLatin1String("dunmore")) {
        path = ZRCommonUtils::getDunmoreexeInstallPath(regKey) + appName;
        tested = true;
    }
    if (tested && path == appName)
        path.clear();

    if (regKey == QLatin1String("ClassEvaluationPro") && path.isEmpty())
        path = fixedExe(QStringLiteral("kalo\\ClassEvaluationPro"), QStringLiteral("ClassEvaluationPro.exe"));
    return path;
}
