#include "win32_processes.h"

#include <windows.h>
#include <tlhelp32.h>

namespace orvo_win32 {

std::vector<ProcessEntry> processSnapshot()
{
    std::vector<ProcessEntry> result;
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return result;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL ok = ::Process32FirstW(snapshot, &entry); ok; ok = ::Process32NextW(snapshot, &entry))
        result.push_back({entry.th32ProcessID, std::wstring(entry.szExeFile)});
    ::CloseHandle(snapshot);
    return result;
}

} // namespace orvo_win32
