#include "win32_shellfolders.h"

#include <windows.h>
#include <shlobj.h>

namespace orvo_win32 {

std::wstring commonProgramsFolder()
{
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT,
                                  buffer))) {
        return std::wstring();
    }
    return std::wstring(buffer);
}

} // namespace orvo_win32
