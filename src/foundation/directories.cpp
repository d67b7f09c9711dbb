#include "zrcommonutils.h"

#include "platformbackend_p.h"
#include "platformpath_p.h"
#include "zriniconfiguremanager.h"
#include "zrpublicdata.h"

#include <QDir>
#include <QStandardPaths>
#include <QSysInfo>

namespace {

QString ensureDir(const QString &path)
{
    if (!QDir(path).exists())
        QDir().mkpath(path);
    return path;
}

} // namespace

QString OrvoKiv::absolutePathFor(QString path, const Platform::Conventions &conventions)
{
    if (!conventions.windowsPaths)
        return QDir(path).absolutePath();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const bool absolute = path.startsWith(QLatin1Char('/'))
        || (path.size() >= 2 && path.at(0).isLetter() && path.at(1) == QLatin1Char(':'));
    if (!absolute)
        path.prepend(QDir::currentPath() + QLatin1Char('/'));
    // Windows keeps the double slash of a UNC share; cleanPath() on Linux would fold it.
    if (path.startsWith(QLatin1String("//")))
        return QLatin1Char('/') + QDir::cleanPath(path.mid(1));
    return QDir::cleanPath(path);
}

QString ZRCommonUtils::getAppRootDir()
{
    const OrvoKiv::Platform::Backend &platform = OrvoKiv::Platform::backend();
    const QString path = OrvoKiv::absolutePathFor(platform.executablePath(), platform.conventions());
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.left(slash);
}

QString ZRCommonUtils::getDataRootDir()
{
    return OrvoKiv::Platform::backend().conventions().machineDataDir
        + OrvoKiv::Singleton<ZRPublicData>::getInstance()->getAppName();
}

QString ZRCommonUtils::getLogRootDir()
{
    QString path = ZRIniConfigureManager().getValue(QStringLiteral("log"), QStringLiteral("path"),
                                                    QString());
    if (path.isEmpty())
        path = getDataRootDir() + QStringLiteral("/Log");
    return ensureDir(path);
}

QString ZRCommonUtils::getCrashDumpDir()
{
    return ensureDir(getDataRootDir() + QStringLiteral("/Crashs"));
}

QString ZRCommonUtils::getPirvateConfigFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
        + QStringLiteral("/Config") + QStringLiteral("/config.ini");
}

QString ZRCommonUtils::getNginxUpdateDir()
{
    QString root = OrvoKiv::Platform::backend().conventions().machineDataDir;
    root.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return root + QStringLiteral("OrvoUpdateService/nginx-1.16.0/UpDate");
}

QString ZRCommonUtils::getSystemName()
{
    return QSysInfo::prettyProductName();
}
