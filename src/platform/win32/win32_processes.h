#ifndef ORVO_WIN32_PROCESSES_H
#define ORVO_WIN32_PROCESSES_H

// Qt-free so it builds with mingw-w64 alone and is tested under Wine.
#include <string>
#include <vector>

namespace orvo_win32 {

struct ProcessEntry
{
    unsigned long pid = 0;
    std::wstring exeName; // szExeFile: the image's file name, "notepad.exe"
};

// The system's processes in Toolhelp snapshot order; empty when no snapshot could be taken or
// not even its first entry read.
std::vector<ProcessEntry> processSnapshot();

} // namespace orvo_win32

#endif
