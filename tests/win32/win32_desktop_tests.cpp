// Touch metrics and the touch keyboard's COM host, against the live system. Wine has neither a
// touch digitiser nor the keyboard's COM classes: there the input pane is missing and the
// invocation cannot be created, the answers the library's Linux tests script for that path.
#include "win32_desktop_tests.h"

#include "win32_touch.h"
#include "win32_shell.h"
#include "win32_touchkeyboard.h"

#include <windows.h>

#include <string>

namespace {
bool isWine()
{
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}
} // namespace

void checkTouchMetrics(Check check)
{
    const orvo_win32::TouchMetrics metrics = orvo_win32::touchMetrics();
    const int touches = ::GetSystemMetrics(95 /* SM_MAXIMUMTOUCHES */);
    check(metrics.maximumTouches == touches, L"touchMetrics: maximum touches",
          std::to_wstring(metrics.maximumTouches), std::to_wstring(touches));
    if (isWine())
        check(!metrics.touchDigitizer && metrics.maximumTouches == 0, L"touchMetrics: Wine has no touch", {}, {});
}

void checkTouchKeyboard(Check check)
{
    orvo_win32::comInitialise();
    void *pane = orvo_win32::createInputPane();
    void *tip = reinterpret_cast<void *>(1);
    const long created = orvo_win32::createTipInvocation(&tip);
    if (isWine()) {
        check(pane == nullptr, L"createInputPane: no FrameworkInputPane class under Wine", {}, {});
        check(created < 0 && tip == nullptr, L"createTipInvocation fails with no object",
              std::to_wstring(created), L"a failure code");
        check(!orvo_win32::keyboardWindowPresent(), L"no IPTip_Main_Window under Wine", {}, {});
    } else if (pane) {
        long left = 0, top = 0, right = 0, bottom = 0;
        check(orvo_win32::inputPaneLocation(pane, &left, &top, &right, &bottom) >= 0,
              L"inputPaneLocation answers", {}, {});
    }
    orvo_win32::releaseComObject(pane);
    orvo_win32::releaseComObject(created >= 0 ? tip : nullptr);
    orvo_win32::postCloseToKeyboardWindow(); // nothing to close: must not fail

    std::wstring folder;
    check(orvo_win32::programFilesFolder(&folder) && folder.rfind(L"C:\\Program Files", 0) == 0,
          L"programFilesFolder", folder, L"C:\\Program Files...");

    unsigned long lastError = 0;
    check(!orvo_win32::shellOpen(L"C:\\nowhere\\TabTip.exe", L"", &lastError) && lastError != 0,
          L"shellOpen of a missing program fails with an error code", std::to_wstring(lastError), {});
    check(!orvo_win32::createProcess(L"C:/nowhere/Common Files/tabtip.exe"),
          L"createProcess of a missing program fails", {}, {});
    check(orvo_win32::createProcess(L"cmd.exe /c exit 0"), L"createProcess starts cmd.exe", {}, {});
}
