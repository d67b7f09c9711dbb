#ifndef ORVO_WIN32_SHELLFOLDERS_H
#define ORVO_WIN32_SHELLFOLDERS_H

// Qt-free so it builds with mingw-w64 alone and is tested under Wine.
#include <string>

namespace orvo_win32 {

// The all-users Start-menu Programs folder (CSIDL_COMMON_PROGRAMS, its current location), in
// native form; empty when the shell cannot give it.
std::wstring commonProgramsFolder();

} // namespace orvo_win32

#endif
