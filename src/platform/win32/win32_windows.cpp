#include "win32_windows.h"

#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

namespace orvo_win32 {

namespace {

// Windows come and go during a walk; a z-order that loops must still end.
constexpr int kMaxWindows = 1 << 16;

std::uintptr_t toHandle(HWND window)
{
    return reinterpret_cast<std::uintptr_t>(window);
}

Rect rectOf(HWND window)
{
    RECT rect = {};
    if (!window || !::GetWindowRect(window, &rect))
        return Rect();
    return Rect{rect.left, rect.top, rect.right, rect.bottom};
}

} // namespace

std::vector<WindowEntry> topLevelWindows()
{
    std::vector<WindowEntry> result;
    for (HWND window = ::GetTopWindow(nullptr); window && int(result.size()) < kMaxWindows;
         window = ::GetWindow(window, GW_HWNDNEXT)) {
        WindowEntry entry;
        entry.handle = toHandle(window);
        DWORD pid = 0;
        ::GetWindowThreadProcessId(window, &pid);
        entry.pid = pid;
        entry.visible = (::GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
        entry.hasParent = ::GetParent(window) != nullptr;
        result.push_back(entry);
    }
    return result;
}

Foreground foregroundWindow()
{
    Foreground result;
    const HWND window = ::GetForegroundWindow();
    const HWND desktop = ::GetDesktopWindow();
    result.handle = toHandle(window);
    result.desktop = toHandle(desktop);
    result.shell = toHandle(::GetShellWindow());
    result.desktopRect = rectOf(desktop);
    result.rect = rectOf(window);
    if (window) {
        result.zoomed = ::IsZoomed(window) != FALSE;
        DWORD pid = 0;
        ::GetWindowThreadProcessId(window, &pid);
        result.pid = pid;
    }
    return result;
}

ImageStatus processImagePath(unsigned long pid, std::wstring &path)
{
    path.clear();
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process)
        return ImageStatus::CannotOpen;
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameExW(process, nullptr, buffer, MAX_PATH);
    ::CloseHandle(process);
    if (length == 0)
        return ImageStatus::NoPath;
    path.assign(buffer, length);
    return ImageStatus::Found;
}

bool setTaskbarState(unsigned int appBarState)
{
    const HWND taskbar = ::FindWindowW(L"Shell_traywnd", nullptr);
    if (!taskbar)
        return false;
    APPBARDATA data = {};
    data.cbSize = sizeof(data);
    data.hWnd = taskbar;
    data.lParam = LPARAM(appBarState);
    ::SHAppBarMessage(ABM_SETSTATE, &data);
    return true;
}

bool swapMouseButtons(bool swap)
{
    return ::SwapMouseButton(swap ? TRUE : FALSE) != FALSE;
}

} // namespace orvo_win32
