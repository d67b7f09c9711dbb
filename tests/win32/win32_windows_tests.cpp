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

using orvo_win32::WindowEntry;

std::wstring testExeName()
{
    const std::string ascii = ORVO_TEST_EXE_NAME;
    return std::wstring(ascii.begin(), ascii.end());
}

std::wstring number(unsigned long long value)
{
    return std::to_wstring(value);
}

std::wstring rectText(const orvo_win32::Rect &r)
{
    return number(r.left) + L"," + number(r.top) + L"," + number(r.right) + L"," + number(r.bottom);
}

HWND createWindow(const wchar_t *title, DWORD style, HWND parent, int x, int y, int width, int height)
{
    return ::CreateWindowExW(0, L"OrvoWineTestWindow", title, style, x, y, width, height, parent,
                             nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

void checkZOrder()
{
    const HWND main = createWindow(L"main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, 20, 20, 300, 200);
    const HWND child = createWindow(L"child", WS_CHILD | WS_VISIBLE, main, 0, 0, 50, 50);
    const HWND owned = createWindow(L"owned", WS_POPUP | WS_VISIBLE, main, 40, 40, 100, 100);
    const HWND hidden = createWindow(L"hidden", WS_OVERLAPPEDWINDOW, nullptr, 60, 60, 100, 100);
    ::SetWindowPos(hidden, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    check(main && child && owned && hidden, L"windows created");

    const std::vector<WindowEntry> windows = orvo_win32::topLevelWindows();
    const auto find = [&](HWND window) {
        return std::find_if(windows.begin(), windows.end(), [&](const WindowEntry &e) {
            return e.handle == reinterpret_cast<std::uintptr_t>(window);
        });
    };
    const auto m = find(main), o = find(owned), h = find(hidden);
    const DWORD self = ::GetCurrentProcessId();
    check(m != windows.end() && m->visible && !m->hasParent && m->pid == self,
          L"z-order: the visible top-level window, owned by this process");
    check(o != windows.end() && o->visible && o->hasParent && o < m,
          L"z-order: the owned pop-up above it has a parent");
    check(h != windows.end() && !h->visible && !h->hasParent && h < m,
          L"z-order: the hidden window above it is not visible");
    check(find(child) == windows.end(), L"z-order: no child window");
    const auto first = std::find_if(windows.begin(), windows.end(), [&](const WindowEntry &e) {
        return e.pid == self && e.visible && !e.hasParent;
    });
    check(first == m, L"z-order: the first visible top-level window of this process is the main one");

    ::DestroyWindow(hidden);
    ::DestroyWindow(owned);
    ::DestroyWindow(main);
}

void checkForeground()
{
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    const HWND cover = createWindow(L"cover", WS_POPUP | WS_VISIBLE, nullptr, 0, 0, width, height);
    ::SetForegroundWindow(cover);
    const orvo_win32::Foreground front = orvo_win32::foregroundWindow();
    const orvo_win32::Rect screen{0, 0, width, height};
    check(front.handle == reinterpret_cast<std::uintptr_t>(cover) && front.pid == ::GetCurrentProcessId(),
          L"foreground: the screen-covering window of this process");
    check(front.desktop == reinterpret_cast<std::uintptr_t>(::GetDesktopWindow()), L"foreground: the desktop window");
    check(rectText(front.desktopRect) == rectText(screen) && rectText(front.rect) == rectText(screen),
          L"foreground: window and desktop rectangles", rectText(front.rect) + L" / " + rectText(front.desktopRect),
          rectText(screen));
    check(!front.zoomed, L"foreground: not maximised");

    const HWND zoomed = createWindow(L"zoomed", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, 10, 10, 200, 200);
    ::ShowWindow(zoomed, SW_MAXIMIZE);
    ::SetForegroundWindow(zoomed);
    check(orvo_win32::foregroundWindow().zoomed, L"foreground: a maximised window is zoomed");
    ::DestroyWindow(zoomed);
    ::DestroyWindow(cover);

    std::wstring path;
    const orvo_win32::ImageStatus own = orvo_win32::processImagePath(::GetCurrentProcessId(), path);
    const std::wstring name = L'\\' + testExeName();
    check(own == orvo_win32::ImageStatus::Found && path.size() > name.size()
              && _wcsicmp(path.c_str() + path.size() - name.size(), name.c_str()) == 0,
          L"processImagePath of this process", path, L"...\\" + name);
    check(orvo_win32::processImagePath(0x7ffffff0, path) == orvo_win32::ImageStatus::CannotOpen
              && path.empty(),
          L"processImagePath of a process that cannot be opened");
}

void checkMouseButtons()
{
    // What isSwapMouseButton() does on its first call, from either setting.
    for (const bool setting : {false, true}) {
        ::SwapMouseButton(setting);
        const bool before = ::GetSystemMetrics(SM_SWAPBUTTON) != 0;
        const bool answer = orvo_win32::swapMouseButtons(true);
        if (!answer)
            orvo_win32::swapMouseButtons(false);
        const bool after = ::GetSystemMetrics(SM_SWAPBUTTON) != 0;
        const std::wstring what = setting ? L"swapped" : L"not swapped";
        check(answer == before && after == before, L"mouse buttons " + what + L": answered, setting unchanged",
              number(answer) + L"/" + number(after), number(before));
    }
    ::SwapMouseButton(FALSE);
}

} // namespace

void checkProcessesAndWindows()
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"OrvoWineTestWindow";
    if (!::RegisterClassW(&windowClass)) {
        check(false, L"window class registered");
        return;
    }
    checkZOrder();
    checkForeground();
    checkMouseButtons();
    // Whether or not this desktop has a taskbar, the answer says so.
    check(orvo_win32::setTaskbarState(2) == (::FindWindowW(L"Shell_traywnd", nullptr) != nullptr),
          L"taskbar state set exactly when a taskbar exists");
}
