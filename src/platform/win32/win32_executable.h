#ifndef ORVO_WIN32_EXECUTABLE_H
#define ORVO_WIN32_EXECUTABLE_H

// Qt-free so it builds with mingw-w64 alone and is tested under Wine.
#include <string>

namespace orvo_win32 {

// Full path of the process's executable module; empty on failure. Paths longer than 512
// characters are not supported.
std::wstring executablePath();

} // namespace orvo_win32

#endif
