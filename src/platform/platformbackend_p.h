#ifndef ORVO_PLATFORMBACKEND_P_H
#define ORVO_PLATFORMBACKEND_P_H

#include "orvopublicdata_export.h"
#include "platformconventions_p.h"
#include "processrunner_p.h"

#include <QRect>
#include <QString>
#include <QStringList>

namespace OrvoKiv {
namespace Platform {

enum class RegistryView {
    Default, // the process's own view
    Registry32,
    Registry64,
};

// One entry of the system's process list.
struct ProcessInfo
{
    qint64 pid = 0;
    // The executable name the process runs under: szExeFile ("nginx.exe") on Windows, the
    // process's name ("nginx") on Linux. Compared exactly by the callers.
    QString name;
};

// What the system says about touch input.
struct TouchMetrics
{
    bool touchDigitizer = false; // an integrated or external touch digitiser is present
    int maximumTouches = 0;      // simultaneous touch points the system reports
};

// Result of asking the shell to open a program.
struct ShellOpenResult
{
    bool succeeded = false;
    quint32 lastError = 0; // the system's last error code after a failure
};

// One window of the desktop's top-level z-order.
struct TopLevelWindow
{
    quintptr handle = 0;
    qint64 pid = 0;         // the owning process
    bool visible = false;   // WS_VISIBLE in its style; on X11 mapped, or minimised
    bool hasParent = false; // GetParent() names a window (an owner); on X11 WM_TRANSIENT_FOR
};

// Screen coordinates, right and bottom exclusive as in a Win32 RECT.
struct WindowRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The window in front and what the full-screen rule asks about it; handles are 0 when absent.
struct ForegroundWindow
{
    quintptr handle = 0;
    quintptr desktop = 0; // GetDesktopWindow(); the root window on X11
    quintptr shell = 0;   // GetShellWindow(); on X11 a window of type _NET_WM_WINDOW_TYPE_DESKTOP
    WindowRect rect;      // of `handle`; empty when it cannot be read
    WindowRect desktopRect;
    bool zoomed = false;          // IsZoomed(); on X11 maximised both ways
    bool fullScreenState = false; // X11 only: _NET_WM_STATE_FULLSCREEN
    qint64 pid = 0;               // the owning process
};

// The full path of a process's main module.
struct ProcessImage
{
    enum Status {
        Found,
        CannotOpen, // OpenProcess failed (an elevated process, a vanished one)
        NoPath,     // opened, but GetModuleFileNameExW failed
    };
    Status status = CannotOpen;
    QString path;
};

// Everything the library asks of the operating system. One backend per process, chosen at
// build time; tests swap it with ScopedBackendOverride.
class ORVOPUBLICDATA_EXPORT Backend
{
public:
    virtual ~Backend();

    virtual Conventions conventions() const = 0;

    // Full path of the running executable, in the platform's own form.
    virtual QString executablePath() const = 0;

    // String form of a named value under a full key path ("HKEY_LOCAL_MACHINE\\..." or a short
    // root alias). Value name "." is the key's default value. String and expand-string values
    // are returned unexpanded, DWORD and QWORD values as decimal text; anything missing is empty.
    virtual QString registryValue(const QString &keyPath, const QString &valueName,
                                  RegistryView view = RegistryView::Default) const = 0;
    virtual QStringList registrySubKeys(const QString &keyPath,
                                        RegistryView view = RegistryView::Default) const = 0;
    // Several values of one key, in the order of `valueNames`, each as registryValue() gives
    // it. Backends that can resolve the key once override it.
    virtual QStringList registryValues(const QString &keyPath, const QStringList &valueNames,
                                       RegistryView view = RegistryView::Default) const;

    // Target of a shortcut file as QFileInfo::symLinkTarget() gives it: what a ".lnk" file
    // points to on Windows, a symbolic link's target on Linux; empty when it does not resolve.
    virtual QString shortcutTarget(const QString &path) const = 0;

    // The all-users Start-menu Programs folder; empty where the platform has none.
    virtual QString commonProgramsFolder() const = 0;

    // The running processes in the system's own order (the Toolhelp snapshot on Windows,
    // ascending ids on Linux); empty when the list cannot be read.
    virtual QList<ProcessInfo> runningProcesses() const = 0;

    // Every process the library starts goes through these two, so tests can script and count
    // them. The defaults start real processes (processrunner_p.h).
    virtual ProcessResult runProcess(const QString &program, const QStringList &arguments,
                                     int timeoutMs, const QString &workingDirectory = QString()) const;
    virtual bool startDetached(const QString &program, const QStringList &arguments,
                               const QString &workingDirectory = QString()) const;

    // Starts through the Windows shell (the updater, the touch keyboard on old systems, the
    // update service's installer). shellOpen is ShellExecuteW ("open", shown normally; success
    // when the shell reports it, else the system's last error), shellRunHidden is ShellExecuteExW
    // (hidden), waited for until the program ends (true when it started). The defaults, used on
    // Linux, are startDetached() with `parameters` as the one argument, and runProcess() with
    // `parameters` split at blanks and no time limit.
    virtual ShellOpenResult shellOpen(const QString &file, const QString &parameters = QString()) const;
    virtual bool shellRunHidden(const QString &file, const QString &parameters) const;

    // File probe helper: the library's own file (the helper is installed beside it), and the
    // address-space cap the helper puts on itself before it parses anything.
    virtual QString libraryFilePath() const = 0;
    virtual bool limitOwnMemory(qint64 bytes) const = 0;

    // Touch metrics and the touch keyboard. The defaults give the native answers
    // (touchkeyboard_p.h); COM objects travel as opaque handles, 0 for none, and qint32
    // results are HRESULT codes.
    virtual TouchMetrics touchMetrics() const;
    virtual bool isWindows7OrEarlier() const;
    virtual void keyboardInitialiseCom() const;
    virtual quintptr keyboardCreateInputPane() const;
    virtual qint32 keyboardPaneLocation(quintptr inputPane, QRect *rect) const;
    virtual qint32 keyboardCreateTipInvocation(quintptr *tipInvocation) const;
    virtual void keyboardToggle(quintptr tipInvocation) const; // against the desktop window
    virtual void keyboardRelease(quintptr object) const;
    virtual bool keyboardWindowPresent() const;
    virtual void keyboardPostClose() const; // WM_SYSCOMMAND/SC_CLOSE to the window, if any
    virtual bool programFilesFolder(QString *folder) const;
    virtual bool createProcess(const QString &commandLine) const; // handles inherited

    // Desktop windows, the taskbar and the mouse buttons. Without a window system the answers
    // are empty, false or 0, as the Win32 calls give on failure.
    // The top-level windows from the top of the z-order down.
    virtual QList<TopLevelWindow> topLevelWindows() const = 0;
    virtual ForegroundWindow foregroundWindow() const = 0;
    virtual ProcessImage processImage(qint64 pid) const = 0;
    // ABM_SETSTATE with ABS_AUTOHIDE (1) or ABS_ALWAYSONTOP (2) for the taskbar, if there is one.
    virtual void setTaskbarState(int appBarState) const = 0;
    // SwapMouseButton(): asks for the swap and answers whether the buttons were swapped before.
    // A backend that must not change the setting (X11) only answers.
    virtual bool swapMouseButtons(bool swap) const = 0;
};

// The backend in effect: the innermost override, else the native one.
ORVOPUBLICDATA_EXPORT const Backend &backend();

// The backend of the platform the library was built for.
ORVOPUBLICDATA_EXPORT const Backend &nativeBackend();

// Test-only: makes `replacement` the process's backend until destruction. Overrides nest.
class ORVOPUBLICDATA_EXPORT ScopedBackendOverride
{
public:
    explicit ScopedBackendOverride(const Backend &replacement);
    ~ScopedBackendOverride();
    ScopedBackendOverride(const ScopedBackendOverride &) = delete;
    ScopedBackendOverride &operator=(const ScopedBackendOverride &) = delete;

private:
    const Backend *m_previous;
};

} // namespace Platform
} // namespace OrvoKiv

#endif
