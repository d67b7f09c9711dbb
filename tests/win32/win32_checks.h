#ifndef ORVO_WIN32_CHECKS_H
#define ORVO_WIN32_CHECKS_H

// The Wine test program's check functions, one file per area, called from its main().
#include <string>

// Counts and prints one PASS or FAIL line.
void check(bool ok, const std::wstring &what, const std::wstring &got = {},
           const std::wstring &expected = {});

// win32_update_tests.cpp: shell starts of the updater and the installer, the process snapshot.
void checkShellStarts();
void checkProcessSnapshot();

// win32_windows_tests.cpp: windows, the foreground, the process image and the mouse buttons.
void checkProcessesAndWindows();

#endif
