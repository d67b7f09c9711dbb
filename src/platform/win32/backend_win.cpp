#include "platformbackend_p.h"

#include "desktop_win_p.h"
#include "win32_executable.h"
#include "win32_module.h"
#include "win32_processes.h"
#include "win32_registry.h"
#include "win32_shell.h"
#include "win32_shellfolders.h"
#include "win32_shortcut.h"

#include <QDir>

namespace OrvoKiv {
namespace Platform {

namespace {

orvo_win32::RegistryView toWin32(RegistryView view)
{
    switch (view) {
    case RegistryView::Registry32:
        return orvo_win32::RegistryView::View32;
    case RegistryView::Registry64:
        return orvo_win32::RegistryView::View64;
    case RegistryView::Default:
        break;
    }
    return orvo_win32::RegistryView::Default;
}

class WindowsBackend final : public Backend
{
public:
    Conventions conventions() const override { return Conventions::windows(); }

    QString executablePath() const override
    {
        return QString::fromStdWString(orvo_win32::executablePath());
    }

    QString registryValue(const QString &keyPath, const QString &valueName,
                          RegistryView view) const override
    {
        return QString::fromStdWString(orvo_win32::registryValue(
            keyPath.toStdWString(), valueName.toStdWString(), toWin32(view)));
    }

    QStringList registrySubKeys(const QString &keyPath, RegistryView view) const override
    {
        const std::vector<std::wstring> names =
            orvo_win32::registrySubKeys(keyPath.toStdWString(), toWin32(view));
        QStringList result;
        result.reserve(int(names.size()));
        for (const std::wstring &name : names)
            result.append(QString::fromStdWString(name));
        return result;
    }

    // QFileInfo::symLinkTarget() answers with "/" separators; callers compare with its form.
    QString shortcutTarget(const QString &path) const override
    {
        return QDir::fromNativeSeparators(
            QString::fromStdWString(orvo_win32::shortcutTarget(path.toStdWString())));
    }

    QString commonProgramsFolder() const override
    {
        return QString::fromStdWString(orvo_win32::commonProgramsFolder());
    }

    QList<ProcessInfo> runningProcesses() const override
    {
        QList<ProcessInfo> result;
        for (const orvo_win32::ProcessEntry &entry : orvo_win32::processSnapshot())
            result.append({qint64(entry.pid), QString::fromStdWString(entry.exeName)});
        return result;
    }

    ShellOpenResult shellOpen(const QString &file, const QString &parameters) const override
    {
        unsigned long lastError = 0;
        const bool opened = orvo_win32::shellOpen(file.toStdWString(), parameters.toStdWString(), &lastError);
        return {opened, quint32(lastError)};
    }

    bool shellRunHidden(const QString &file, const QString &parameters) const override
    {
        return orvo_win32::shellRunHidden(file.toStdWString(), parameters.toStdWString());
    }
    QString libraryFilePath() const override
    {
        return QString::fromStdWString(orvo_win32::moduleFilePathOf(reinterpret_cast<const void *>(&nativeBackend)));
    }
    bool limitOwnMemory(qint64 bytes) const override { return orvo_win32::limitOwnMemory((unsigned long long)bytes); }

    QList<TopLevelWindow> topLevelWindows() const override { return Win32Desktop::topLevelWindows(); }
    ForegroundWindow foregroundWindow() const override { return Win32Desktop::foregroundWindow(); }
    ProcessImage processImage(qint64 pid) const override { return Win32Desktop::processImage(pid); }
    void setTaskbarState(int state) const override { Win32Desktop::setTaskbarState(state); }
    bool swapMouseButtons(bool swap) const override { return Win32Desktop::swapMouseButtons(swap); }
};

} // namespace

const Backend &nativeBackend()
{
    static const WindowsBackend backend;
    return backend;
}

} // namespace Platform
} // namespace OrvoKiv
