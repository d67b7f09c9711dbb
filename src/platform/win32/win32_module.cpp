#include "win32_module.h"

#include <windows.h>

namespace orvo_win32 {

std::wstring moduleFilePathOf(const void *address)
{
    HMODULE module = nullptr;
    if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              static_cast<LPCWSTR>(address), &module))
        return std::wstring();
    std::wstring path(32768, L'\0');
    const DWORD length = ::GetModuleFileNameW(module, &path[0], DWORD(path.size()));
    if (length == 0 || length >= path.size())
        return std::wstring();
    path.resize(length);
    return path;
}

bool limitOwnMemory(unsigned long long bytes)
{
    HANDLE job = ::CreateJobObjectW(nullptr, nullptr);
    if (!job)
        return false;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_PROCESS_MEMORY;
    limits.ProcessMemoryLimit = SIZE_T(bytes);
    const bool limited = ::SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits)
        && ::AssignProcessToJobObject(job, ::GetCurrentProcess());
    // The handle stays open on success: the job must outlive the process it limits.
    if (!limited)
        ::CloseHandle(job);
    return limited;
}

} // namespace orvo_win32
