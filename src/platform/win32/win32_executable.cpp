#include "win32_executable.h"

#include <windows.h>

namespace orvo_win32 {

std::wstring executablePath()
{
    wchar_t buffer[512] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer, 512);
    if (length == 0 || length >= 512)
        return std::wstring();
    return std::wstring(buffer, length);
}

} // namespace orvo_win32
