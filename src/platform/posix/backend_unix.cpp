#include "platformbackend_p.h"
#include "desktop_unix_p.h"
#include "procfs_p.h"
#include "moduleinfo_p.h"
#include "registrystore_p.h"

#include <QFile>

namespace OrvoKiv {
namespace Platform {

namespace {

class PosixBackend final : public Backend
{
public:
    Conventions conventions() const override { return Conventions::posix(); }

    QString executablePath() const override
    {
        return QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    }

    QString registryValue(const QString &keyPath, const QString &valueName,
                          RegistryView view) const override
    {
        return RegistryStore::instance().value(keyPath, valueName, view);
    }

    QStringList registryValues(const QString &keyPath, const QStringList &valueNames,
                               RegistryView view) const override
    {
        return RegistryStore::instance().values(keyPath, valueNames, view);
    }

    QStringList registrySubKeys(const QString &keyPath, RegistryView view) const override
    {
        return RegistryStore::instance().subKeys(keyPath, view);
    }

    // Desktop entries, not .lnk files, are Linux's shortcuts; a symbolic link stands in for one.
    QString shortcutTarget(const QString &path) const override
    {
        return QFile::symLinkTarget(path);
    }

    // Linux has no all-users Start menu; $ORVO_COMMON_PROGRAMS lets a replay name one.
    QString commonProgramsFolder() const override
    {
        return qEnvironmentVariable("ORVO_COMMON_PROGRAMS");
    }

    QList<ProcessInfo> runningProcesses() const override
    {
        return procProcesses(QStringLiteral("/proc"));
    }

    QString libraryFilePath() const override { return sharedObjectPath(); }
    bool limitOwnMemory(qint64 bytes) const override { return limitAddressSpace(bytes); }
    QList<TopLevelWindow> topLevelWindows() const override { return PosixDesktop::topLevelWindows(); }
    ForegroundWindow foregroundWindow() const override { return PosixDesktop::foregroundWindow(); }
    ProcessImage processImage(qint64 pid) const override { return PosixDesktop::processImage(pid); }
    void setTaskbarState(int) const override {} // no taskbar protocol to follow
    bool swapMouseButtons(bool) const override { return PosixDesktop::mouseButtonsSwapped(); }
};

} // namespace

const Backend &nativeBackend()
{
    static const PosixBackend backend;
    return backend;
}

} // namespace Platform
} // namespace OrvoKiv
