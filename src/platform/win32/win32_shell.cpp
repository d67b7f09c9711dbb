#include "win32_shell.h"

#include <windows.h>
#include <shellapi.h>

namespace orvo_win32 {

bool shellOpen(const std::wstring &file, const std::wstring &parameters)
{
    const HINSTANCE result = ::ShellExecuteW(nullptr, L"open", file.c_str(), parameters.c_str(),
                                             nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool shellRunHidden(const std::wstring &file, const std::wstring &parameters,
                    unsigned long *exitCode)
{
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpFile = file.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_HIDE;
    if (!::ShellExecuteExW(&info))
        return false;
    // No process handle when the shell handed the file to a running program (DDE): nothing
    // of ours to wait for.
    if (!info.hProcess)
        return true;
    // The installer decides how long it takes; polling keeps the wait free of message-loop
    // subtleties that WaitForSingleObject on a GUI thread would need.
    DWORD code = 0;
    while (::GetExitCodeProcess(info.hProcess, &code) && code == STILL_ACTIVE)
        ::Sleep(5);
    ::CloseHandle(info.hProcess);
    if (exitCode)
        *exitCode = code;
    return true;
}

} // namespace orvo_win32
