// Real windows of this test program against the window answers: which of its windows the
// z-order walk sees and how, the window in front, the process image, and the mouse buttons.
// (The process snapshot by exact name is checked in win32_update_tests.cpp.)

#include "win32_checks.h"
#include "win32_windows.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The predefined static control's class: any class will do, and this one needs no registering.
HWND createWindow(DWORD style, HWND parent, int x, int y, int width, int height)
{
    return ::CreateWindowExW(0, L"STATIC", L"", style, x, y, width, height, parent, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

// A hidden window and an owned pop-up above the main window, a child inside it: the first
// visible top-level window of this process in the z-order is the main one.
void checkZOrder()
{
    const HWND main = createWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, 20, 20, 300, 200);
    const HWND child = createWindow(WS_CHILD | WS_VISIBLE, main, 0, 0, 50, 50);
    createWindow(WS_POPUP | WS_VISIBLE, main, 40, 40, 100, 100); // owned by main
    const HWND hidden = createWindow(WS_OVERLAPPEDWINDOW, nullptr, 60, 60, 100, 100);
    ::SetWindowPos(hidden, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    const std::vector<orvo_win32::WindowEntry> windows = orvo_win32::topLevelWindows();
    const auto first = std::find_if(windows.begin(), windows.end(), [](const orvo_win32::WindowEntry &e) {
        return e.pid == ::GetCurrentProcessId() && e.visible && !e.hasParent;
    });
    check(first != windows.end() && HWND(first->handle) == main,
          L"z-order: the first visible top-level window of this process is the main one");
    check(std::none_of(windows.begin(), windows.end(), [&](const orvo_win32::WindowEntry &e) {
              return HWND(e.handle) == child;
          }), L"z-order: no child window");
    ::DestroyWindow(hidden);
    ::DestroyWindow(main); // and its pop-up
}

void checkForeground()
{
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    const HWND cover = createWindow(WS_POPUP | WS_VISIBLE, nullptr, 0, 0, width, height);
    ::SetForegroundWindow(cover);
    const orvo_win32::Foreground front = orvo_win32::foregroundWindow();
    check(HWND(front.handle) == cover && front.pid == ::GetCurrentProcessId() && !front.zoomed,
          L"foreground: the screen-covering window of this process, not maximised");
    const auto isScreen = [&](const orvo_win32::Rect &r) {
        return r.left == 0 && r.top == 0 && r.right == width && r.bottom == height;
    };
    check(HWND(front.desktop) == ::GetDesktopWindow() && isScreen(front.desktopRect) && isScreen(front.rect),
          L"foreground: the desktop window, window and desktop rectangles");
    const HWND zoomed = createWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, 10, 10, 200, 200);
    ::ShowWindow(zoomed, SW_MAXIMIZE);
    ::SetForegroundWindow(zoomed);
    check(orvo_win32::foregroundWindow().zoomed, L"foreground: a maximised window is zoomed");
    ::DestroyWindow(zoomed);
    ::DestroyWindow(cover);

    std::wstring path;
    wchar_t own[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, own, MAX_PATH);
    check(orvo_win32::processImagePath(::GetCurrentProcessId(), path) == orvo_win32::ImageStatus::Found
              && _wcsicmp(path.c_str(), own) == 0,
          L"processImagePath of this process", path, own);
    check(orvo_win32::processImagePath(0x7ffffff0, path) == orvo_win32::ImageStatus::CannotOpen && path.empty(),
          L"processImagePath of a process that cannot be opened");
}

} // namespace

void checkProcessesAndWindows()
{
    checkZOrder();
    checkForeground();
    // What isSwapMouseButton() does on its first call, from either setting.
    for (const bool setting : {false, true}) {
        ::SwapMouseButton(setting);
        const bool answer = orvo_win32::swapMouseButtons(true);
        if (!answer)
            orvo_win32::swapMouseButtons(false);
        check(answer == setting && (::GetSystemMetrics(SM_SWAPBUTTON) != 0) == setting,
              L"mouse buttons swapped " + std::to_wstring(setting) + L": answered, setting unchanged");
    }
    ::SwapMouseButton(FALSE);
    // Whether or not this desktop has a taskbar, the answer says so.
    check(orvo_win32::setTaskbarState(2) == (::FindWindowW(L"Shell_traywnd", nullptr) != nullptr),
          L"taskbar state set exactly when a taskbar exists");
}
