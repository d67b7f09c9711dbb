#ifndef ORVO_WIN32_SHELL_H
#define ORVO_WIN32_SHELL_H

// Qt-free so it builds with mingw-w64 alone and is tested under Wine.
#include <string>

namespace orvo_win32 {

// ShellExecuteW(no owner, "open", file, parameters, no working folder, SW_SHOWNORMAL); true
// when the shell's result is above 32. Does not wait.
bool shellOpen(const std::wstring &file, const std::wstring &parameters);

// ShellExecuteExW with the default verb, hidden, asking for the process handle; waits until the
// process has ended, reading its exit code every 5 ms while it is STILL_ACTIVE. False when it
// did not start; `exitCode`, if given, receives the exit code of a process that did.
bool shellRunHidden(const std::wstring &file, const std::wstring &parameters,
                    unsigned long *exitCode = nullptr);

} // namespace orvo_win32

#endif
