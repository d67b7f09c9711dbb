#ifndef ORVO_WIN32_MODULE_H
#define ORVO_WIN32_MODULE_H

// Qt-free so it builds with mingw-w64 alone and is tested under Wine.
#include <string>

namespace orvo_win32 {

// Full path of the module (DLL or EXE) that holds `address`; empty on failure.
std::wstring moduleFilePathOf(const void *address);

// Puts the calling process into a job object that caps its committed memory at `bytes`.
// Needs nested jobs (Windows 8 and later) when the process already runs in a job; false when
// the system refuses.
bool limitOwnMemory(unsigned long long bytes);

} // namespace orvo_win32

#endif
