#include "zrcommonutils.h"

#include "lookuptrace_p.h"
#include "platformbackend_p.h"

using OrvoKiv::Platform::backend;

namespace {

const QLatin1String uninstall32("HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\");
const QLatin1String uninstall("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\");

QString value(const QString &keyPath, const QString &name)
{
    const QString answer = backend().registryValue(keyPath, name);
    if (OrvoKiv::LookupTrace::isActive())
        OrvoKiv::LookupTrace::record(QStringLiteral("registry [%1] \"%2\" -> \"%3\"").arg(keyPath, name, answer));
    return answer;
}

// The suite's products register under HKLM\Software\<organisation>\<application>.
QString productValue(const QString &application, const QString &organisation, const QString &name)
{
    return value(QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\") + organisation + QLatin1Char('\\')
                     + application,
                 name);
}

// Installers write the 32-bit branch on 64-bit Windows; older ones the plain branch.
QString firstOf(const QString &key32, const QString &name32, const QString &key, const QString &name)
{
    const QString found = value(key32, name32);
    return found.isEmpty() ? value(key, name) : found;
}

// Lets a caller append a file name directly.
QString withSeparator(QString folder)
{
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('\\')) && !folder.endsWith(QLatin1Char('/')))
        folder += backend().conventions().registrySeparator;
    return folder;
}

} // namespace

QString ZRCommonUtils::getSoftwareRegeditPath(QString application, QString organisation)
{
    return withSeparator(productValue(application, organisation, QStringLiteral("InstallPath")));
}

QString ZRCommonUtils::getSoftwareRegeditShellPath(QString application, QString organisation)
{
    return productValue(application, organisation, QStringLiteral("StartShellPath"));
}

QString ZRCommonUtils::getSoftwareRegeditCurrentVersion(QString application, QString organisation)
{
    return productValue(application, organisation, QStringLiteral("CurrentVersion"));
}

QString ZRCommonUtils::getExeInstallPath(QString keyPath)
{
    return withSeparator(firstOf(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\") + keyPath,
                                 QStringLiteral("InstPath"),
                                 QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\") + keyPath,
                                 QStringLiteral("InstallPath")));
}

QString ZRCommonUtils::getDunmoreexeInstallPath(QString uninstallKeyName)
{
    const QString name = QStringLiteral("InstallLocation");
    return firstOf(uninstall32 + uninstallKeyName, name, uninstall + uninstallKeyName, name);
}

QString ZRCommonUtils::getTMBexeInstallPath(QString uninstallKeyName)
{
    const QString name = QStringLiteral("DisplayIcon");
    return firstOf(uninstall32 + uninstallKeyName, name, uninstall + uninstallKeyName, name);
}

QString ZRCommonUtils::getWPPSoftIntallPath(QString keyPath)
{
    return value(keyPath, QStringLiteral("."));
}

bool ZRCommonUtils::checkAppInstallBySuffix(const QString &suffix)
{
    const QString progId = value(QStringLiteral("HKEY_CLASSES_ROOT\\") + suffix, QStringLiteral("."));
    const QString icon = value(QStringLiteral("HKEY_CLASSES_ROOT\\") + progId + QStringLiteral("\\DefaultIcon"),
                               QStringLiteral("."));
    return !icon.isEmpty();
}
