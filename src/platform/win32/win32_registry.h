#ifndef ORVO_WIN32_REGISTRY_H
#define ORVO_WIN32_REGISTRY_H

// Qt-free so it builds with mingw-w64 alone and is tested under Wine.
#include <string>
#include <vector>

namespace orvo_win32 {

enum class RegistryView {
    Default, // the process's own view
    View32, // KEY_WOW64_32KEY
    View64, // KEY_WOW64_64KEY
};

// String form of `valueName` under `keyPath`, a full path whose first component is a root key
// in its long ("HKEY_LOCAL_MACHINE") or short ("HKLM") form, case-insensitively. "." names the
// key's default value. REG_SZ and REG_EXPAND_SZ come back unexpanded and cut at their first
// NUL; REG_DWORD and REG_QWORD of their exact size as unsigned decimal; a REG_MULTI_SZ holding
// exactly one string as that string. Everything else, and anything missing or unreadable, is
// empty.
std::wstring registryValue(const std::wstring &keyPath, const std::wstring &valueName,
                           RegistryView view = RegistryView::Default);

// Names of the immediate sub-keys of `keyPath`, in enumeration order; empty if the key is
// missing or cannot be listed.
std::vector<std::wstring> registrySubKeys(const std::wstring &keyPath,
                                          RegistryView view = RegistryView::Default);

} // namespace orvo_win32

#endif
