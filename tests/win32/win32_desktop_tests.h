#ifndef ORVO_WIN32_DESKTOP_TESTS_H
#define ORVO_WIN32_DESKTOP_TESTS_H

#include <string>

// The test program's check(ok, what, got, expected).
using Check = void (*)(bool, const std::wstring &, const std::wstring &, const std::wstring &);

void checkTouchMetrics(Check check);
void checkTouchKeyboard(Check check);

#endif
