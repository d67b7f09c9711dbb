#include "win32_shortcut.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

namespace orvo_win32 {

namespace {

// Initialises COM for one call's duration. A thread that already runs COM in the other
// apartment model gets RPC_E_CHANGED_MODE; COM is usable there, but that initialisation is not
// ours to undo.
class ComScope
{
public:
    ComScope()
        : m_result(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))
    {
    }
    ~ComScope()
    {
        if (SUCCEEDED(m_result))
            ::CoUninitialize();
    }
    ComScope(const ComScope &) = delete;
    ComScope &operator=(const ComScope &) = delete;

    bool usable() const { return SUCCEEDED(m_result) || m_result == RPC_E_CHANGED_MODE; }

private:
    HRESULT m_result;
};

// Owns one interface reference.
template <typename T>
class ComRef
{
public:
    ComRef() = default;
    ~ComRef()
    {
        if (m_ptr)
            m_ptr->Release();
    }
    ComRef(const ComRef &) = delete;
    ComRef &operator=(const ComRef &) = delete;

    T *get() const { return m_ptr; }
    T *operator->() const { return m_ptr; }
    void **out() { return reinterpret_cast<void **>(&m_ptr); }

private:
    T *m_ptr = nullptr;
};

bool endsWithLnk(const std::wstring &path)
{
    static const wchar_t suffix[] = L".lnk";
    const size_t length = sizeof suffix / sizeof suffix[0] - 1;
    return path.size() >= length && path.compare(path.size() - length, length, suffix) == 0;
}

// Relative names are the caller's, resolved against the current folder before the shell object
// sees them; "/" becomes "\\" on the way.
std::wstring fullNativePath(const std::wstring &path)
{
    const DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return std::wstring();
    std::vector<wchar_t> buffer(needed);
    const DWORD length = ::GetFullPathNameW(path.c_str(), needed, buffer.data(), nullptr);
    if (length == 0 || length >= needed)
        return std::wstring();
    return std::wstring(buffer.data(), length);
}

} // namespace

std::wstring shortcutTarget(const std::wstring &path)
{
    // Only the name makes a shortcut, as for QFileInfo (whose ".lnk" test is case-sensitive); a
    // NUL would cut the name short for the API.
    if (!endsWithLnk(path) || path.find(L'\0') != std::wstring::npos)
        return std::wstring();
    const std::wstring file = fullNativePath(path);
    if (file.empty())
        return std::wstring();
    // Spares COM for names that cannot be shortcuts: missing files and folders named "x.lnk".
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::wstring();

    const ComScope com;
    if (!com.usable())
        return std::wstring();

    ComRef<IShellLinkW> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  link.out()))) {
        return std::wstring();
    }
    ComRef<IPersistFile> persist;
    if (FAILED(link->QueryInterface(IID_IPersistFile, persist.out()))
        || FAILED(persist->Load(file.c_str(), STGM_READ))) {
        return std::wstring();
    }

    // S_FALSE: the shortcut has no file-system path (a Control Panel item, a shell folder).
    wchar_t target[MAX_PATH] = {};
    WIN32_FIND_DATAW findData = {};
    if (link->GetPath(target, MAX_PATH, &findData, SLGP_UNCPRIORITY) != S_OK)
        return std::wstring();
    target[MAX_PATH - 1] = L'\0';
    return std::wstring(target);
}

} // namespace orvo_win32
