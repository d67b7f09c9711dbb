#ifndef ORVO_WIN32_TESTS_H
#define ORVO_WIN32_TESTS_H

#include <string>

// Counts and prints one PASS or FAIL line (win32_backend_tests.cpp).
void check(bool ok, const std::wstring &what, const std::wstring &got = {},
           const std::wstring &expected = {});

// win32_windows_tests.cpp: the process snapshot, windows, the foreground and the mouse buttons.
void checkProcessesAndWindows();

#endif
