// Touch metrics and the touch keyboard's COM host, against the live system. Wine has neither a
// touch digitiser nor the keyboard's COM classes: there the input pane is missing and the
// invocation cannot be created, the answers the library's Linux tests script for that path.
#include "win32_checks.h"

#include "win32_shell.h"
#include "win32_touch.h"
#include "win32_touchkeyboard.h"

#include <windows.h>

void checkTouch()
{
    const orvo_win32::TouchMetrics metrics = orvo_win32::touchMetrics();
    const int touches = ::GetSystemMetrics(95 /* SM_MAXIMUMTOUCHES */);
    check(metrics.maximumTouches == touches && !(isWine() && metrics.touchDigitizer),
          L"touchMetrics", std::to_wstring(metrics.maximumTouches), std::to_wstring(touches));

    orvo_win32::comInitialise();
    void *pane = orvo_win32::createInputPane();
    void *tip = reinterpret_cast<void *>(1);
    const long created = orvo_win32::createTipInvocation(&tip);
    if (isWine()) {
        check(!pane && created < 0 && !tip && !orvo_win32::keyboardWindowPresent(),
              L"Wine: no input pane, tip invocation or keyboard window",
              std::to_wstring(created), L"a failure code");
    }
    orvo_win32::releaseComObject(pane);
    orvo_win32::releaseComObject(created >= 0 ? tip : nullptr);
    orvo_win32::postCloseToKeyboardWindow(); // nothing to close: must not fail

    std::wstring folder;
    check(orvo_win32::programFilesFolder(&folder) && folder.rfind(L"C:\\Program Files", 0) == 0,
          L"programFilesFolder", folder, L"C:\\Program Files...");
    unsigned long lastError = 0;
    check(!orvo_win32::shellOpen(L"C:\\nowhere\\TabTip.exe", L"", &lastError) && lastError != 0
              && !orvo_win32::createProcess(L"C:/nowhere/Common Files/tabtip.exe")
              && orvo_win32::createProcess(L"cmd.exe /c exit 0"),
          L"shellOpen and createProcess fail for a missing program only",
          std::to_wstring(lastError), L"an error code");
}
