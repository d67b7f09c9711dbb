#ifndef ORVO_WIN32_WINDOWS_H
#define ORVO_WIN32_WINDOWS_H

// Qt-free so it builds with mingw-w64 alone and is tested under Wine. Window handles travel as
// integers so callers need no <windows.h>.
#include <cstdint>
#include <string>
#include <vector>

namespace orvo_win32 {

struct WindowEntry
{
    std::uintptr_t handle = 0;
    unsigned long pid = 0;  // GetWindowThreadProcessId
    bool visible = false;   // WS_VISIBLE in GWL_STYLE
    bool hasParent = false; // GetParent() is not null: a child, or an owned pop-up
};

// The desktop's z-order from GetTopWindow(nullptr) down through GW_HWNDNEXT.
std::vector<WindowEntry> topLevelWindows();

struct Rect
{
    long left = 0, top = 0, right = 0, bottom = 0;
};

struct Foreground
{
    std::uintptr_t handle = 0;  // GetForegroundWindow
    std::uintptr_t desktop = 0; // GetDesktopWindow
    std::uintptr_t shell = 0;   // GetShellWindow
    Rect rect;                  // all zero when GetWindowRect fails
    Rect desktopRect;
    bool zoomed = false;
    unsigned long pid = 0;
};

Foreground foregroundWindow();

enum class ImageStatus { Found, CannotOpen, NoPath };

// GetModuleFileNameExW (260 characters) on the process opened with PROCESS_QUERY_INFORMATION
// and PROCESS_VM_READ.
ImageStatus processImagePath(unsigned long pid, std::wstring &path);

// ABM_SETSTATE for the "Shell_traywnd" window; false when there is none.
bool setTaskbarState(unsigned int appBarState);

// SwapMouseButton(swap): whether the buttons were swapped before the call.
bool swapMouseButtons(bool swap);

} // namespace orvo_win32

#endif
