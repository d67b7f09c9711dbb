#include "win32_registry.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

namespace orvo_win32 {

namespace {

struct RootKey
{
    const wchar_t *longName;
    const wchar_t *shortName;
    HKEY key;
};

const RootKey rootKeys[] = {
    {L"HKEY_LOCAL_MACHINE", L"HKLM", HKEY_LOCAL_MACHINE},
    {L"HKEY_CURRENT_USER", L"HKCU", HKEY_CURRENT_USER},
    {L"HKEY_CLASSES_ROOT", L"HKCR", HKEY_CLASSES_ROOT},
    {L"HKEY_USERS", L"HKU", HKEY_USERS},
    {L"HKEY_CURRENT_CONFIG", L"HKCC", HKEY_CURRENT_CONFIG},
};

// Root names are ASCII, so folding ASCII letters is enough.
bool equalsIgnoringCase(const std::wstring &text, const wchar_t *ascii)
{
    const size_t length = std::wcslen(ascii);
    if (text.size() != length)
        return false;
    for (size_t i = 0; i < length; ++i) {
        wchar_t c = text[i];
        if (c >= L'a' && c <= L'z')
            c = wchar_t(c - L'a' + L'A');
        if (c != ascii[i])
            return false;
    }
    return true;
}

struct ParsedPath
{
    HKEY root = nullptr;
    std::wstring subKey;
};

// A path with an empty component (a doubled, leading or trailing backslash) names no key, as
// RegOpenKeyExW answers for a sub-key that begins with a backslash: a caller that builds
// "HKEY_CLASSES_ROOT\\" + id + "\\DefaultIcon" with an empty id must not reach a key of the root.
bool parsePath(const std::wstring &keyPath, ParsedPath *parsed)
{
    std::vector<std::wstring> parts;
    size_t start = 0;
    while (start <= keyPath.size()) {
        size_t end = keyPath.find(L'\\', start);
        if (end == std::wstring::npos)
            end = keyPath.size();
        if (end == start)
            return false;
        parts.emplace_back(keyPath, start, end - start);
        start = end + 1;
    }
    if (parts.empty())
        return false;

    for (const RootKey &root : rootKeys) {
        if (equalsIgnoringCase(parts.front(), root.longName)
            || equalsIgnoringCase(parts.front(), root.shortName)) {
            parsed->root = root.key;
            break;
        }
    }
    if (!parsed->root)
        return false;

    for (size_t i = 1; i < parts.size(); ++i) {
        if (i > 1)
            parsed->subKey += L'\\';
        parsed->subKey += parts[i];
    }
    return true;
}

REGSAM viewFlag(RegistryView view)
{
    switch (view) {
    case RegistryView::View32:
        return KEY_WOW64_32KEY;
    case RegistryView::View64:
        return KEY_WOW64_64KEY;
    case RegistryView::Default:
        break;
    }
    return 0;
}

class KeyHandle
{
public:
    KeyHandle(const std::wstring &keyPath, RegistryView view)
    {
        ParsedPath parsed;
        if (!parsePath(keyPath, &parsed))
            return;
        HKEY key = nullptr;
        if (::RegOpenKeyExW(parsed.root, parsed.subKey.c_str(), 0, KEY_READ | viewFlag(view), &key)
            == ERROR_SUCCESS) {
            m_key = key;
        }
    }
    ~KeyHandle()
    {
        if (m_key)
            ::RegCloseKey(m_key);
    }
    KeyHandle(const KeyHandle &) = delete;
    KeyHandle &operator=(const KeyHandle &) = delete;

    HKEY get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

// Raw data of a value. The size is asked first; a value that grows between the two calls is
// asked again, a bounded number of times.
bool queryValue(HKEY key, const wchar_t *name, DWORD *type, std::vector<BYTE> *data)
{
    DWORD size = 0;
    if (::RegQueryValueExW(key, name, nullptr, type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    for (int attempt = 0; attempt < 4; ++attempt) {
        data->assign(size, 0);
        DWORD received = size;
        const LONG status =
            ::RegQueryValueExW(key, name, nullptr, type, size ? data->data() : nullptr, &received);
        if (status == ERROR_SUCCESS) {
            data->resize(received);
            return true;
        }
        if (status != ERROR_MORE_DATA)
            return false;
        size = received;
    }
    return false;
}

// Registry strings need not end with a NUL, may hold one before their end and may have an odd
// byte count; the text is everything before the first NUL of the whole characters.
std::wstring textBefore(const BYTE *bytes, size_t byteCount, size_t *consumedChars = nullptr)
{
    const size_t charCount = byteCount / sizeof(wchar_t);
    std::wstring text(charCount, L'\0');
    if (charCount)
        std::memcpy(&text[0], bytes, charCount * sizeof(wchar_t));
    const size_t nul = text.find(L'\0');
    if (nul != std::wstring::npos)
        text.resize(nul);
    if (consumedChars)
        *consumedChars = nul == std::wstring::npos ? charCount : nul + 1;
    return text;
}

// A multi-string ends at its first empty element. Only a single element has a string form;
// the same rule a QStringList follows when it is converted to a QString.
std::wstring multiStringText(const std::vector<BYTE> &data)
{
    std::vector<std::wstring> elements;
    size_t offset = 0; // in characters
    const size_t charCount = data.size() / sizeof(wchar_t);
    while (offset < charCount) {
        size_t consumed = 0;
        std::wstring element = textBefore(data.data() + offset * sizeof(wchar_t),
                                          (charCount - offset) * sizeof(wchar_t), &consumed);
        if (element.empty())
            break;
        elements.push_back(std::move(element));
        offset += consumed;
    }
    return elements.size() == 1 ? elements.front() : std::wstring();
}

} // namespace

std::wstring registryValue(const std::wstring &keyPath, const std::wstring &valueName,
                           RegistryView view)
{
    const KeyHandle key(keyPath, view);
    if (!key.get())
        return std::wstring();

    const std::wstring name = valueName == L"." ? std::wstring() : valueName;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    if (!queryValue(key.get(), name.c_str(), &type, &data))
        return std::wstring();

    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
        return textBefore(data.data(), data.size());
    case REG_MULTI_SZ:
        return multiStringText(data);
    case REG_DWORD:
        if (data.size() == sizeof(std::uint32_t)) {
            std::uint32_t number = 0;
            std::memcpy(&number, data.data(), sizeof number);
            return std::to_wstring(number);
        }
        break;
    case REG_QWORD:
        if (data.size() == sizeof(std::uint64_t)) {
            std::uint64_t number = 0;
            std::memcpy(&number, data.data(), sizeof number);
            return std::to_wstring(number);
        }
        break;
    default:
        break;
    }
    return std::wstring();
}

std::vector<std::wstring> registrySubKeys(const std::wstring &keyPath, RegistryView view)
{
    const KeyHandle key(keyPath, view);
    if (!key.get())
        return {};

    DWORD longestName = 0;
    if (::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, &longestName, nullptr,
                           nullptr, nullptr, nullptr, nullptr, nullptr)
        != ERROR_SUCCESS) {
        return {};
    }

    // Key names are at most 255 characters; the buffer still grows if a name does not fit.
    std::vector<wchar_t> buffer((longestName > 255 ? longestName : 255) + 1);
    std::vector<std::wstring> names;
    DWORD index = 0;
    for (;;) {
        DWORD length = DWORD(buffer.size());
        const LONG status = ::RegEnumKeyExW(key.get(), index, buffer.data(), &length, nullptr,
                                            nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status == ERROR_MORE_DATA && buffer.size() < 32768) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        // A listing cut short by an error would look complete to the caller.
        if (status != ERROR_SUCCESS)
            return {};
        names.emplace_back(buffer.data(), length);
        ++index;
    }
    return names;
}

} // namespace orvo_win32
