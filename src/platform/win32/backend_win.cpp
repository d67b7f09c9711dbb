#include "platformbackend_p.h"
#include "touchkeyboard_p.h"

#include "win32_executable.h"
#include "win32_processes.h"
#include "win32_registry.h"
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

    // Touch metrics and the touch keyboard
    TouchMetrics touchMetrics() const override { return TouchKeyboard::touchMetrics(); }
    bool isWindows7OrEarlier() const override { return TouchKeyboard::isWindows7OrEarlier(); }
    void keyboardInitialiseCom() const override { TouchKeyboard::initialiseCom(); }
    quintptr keyboardCreateInputPane() const override { return TouchKeyboard::createInputPane(); }
    qint32 keyboardPaneLocation(quintptr pane, QRect *rect) const override { return TouchKeyboard::paneLocation(pane, rect); }
    qint32 keyboardCreateTipInvocation(quintptr *tip) const override { return TouchKeyboard::createTipInvocation(tip); }
    void keyboardToggle(quintptr tip) const override { TouchKeyboard::toggle(tip); }
    void keyboardRelease(quintptr object) const override { TouchKeyboard::release(object); }
    bool keyboardWindowPresent() const override { return TouchKeyboard::windowPresent(); }
    void keyboardPostClose() const override { TouchKeyboard::postClose(); }
    ShellOpenResult shellOpen(const QString &program) const override { return TouchKeyboard::shellOpen(program); }
    bool programFilesFolder(QString *folder) const override { return TouchKeyboard::programFilesFolder(folder); }
    bool createProcess(const QString &commandLine) const override { return TouchKeyboard::createProcess(commandLine); }
};

} // namespace

const Backend &nativeBackend()
{
    static const WindowsBackend backend;
    return backend;
}

} // namespace Platform
} // namespace OrvoKiv
