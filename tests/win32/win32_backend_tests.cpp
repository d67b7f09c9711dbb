// Checks the Qt-free Windows backends against a live system: under Wine in CI, or on Windows.
//
//   win32_backend_tests [ANSWERS_FILE]
//   win32_backend_tests --cleanup
//   win32_backend_tests --probe
//
// The program writes its own keys under HKLM\SOFTWARE\OrvoWineTest in both registry views (with
// different contents), under HKCU, HKCR, HKU and HKCC, and uninstall entries under HKLM (both
// views) and HKCU; it reads them back through the backend and prints one line per check. It also
// resolves shortcuts that it saves in a temporary folder and asks for the all-users Start-menu
// folder. With ANSWERS_FILE it records the lookups that the .reg backend of the Linux build must
// answer identically (see tst_wineparity.cpp for the format) and leaves the keys in place for
// export; --cleanup then removes them. Without it the keys are removed at the end.

#include "win32_executable.h"
#include "win32_registry.h"
#include "win32_shellfolders.h"
#include "win32_shortcut.h"

#include <windows.h>
#include <knownfolders.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <thread>
#include <vector>

using orvo_win32::RegistryView;

namespace {

int g_passed = 0;
int g_failed = 0;
int g_skipped = 0;

// Whether the OS has separate 32-bit and 64-bit views, and which one the process sees.
bool g_twoViews = false;
bool g_process64 = false;

std::string utf8(const std::wstring &text)
{
    if (text.empty())
        return std::string();
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string bytes(size_t(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), &bytes[0], size, nullptr,
                          nullptr);
    return bytes;
}

// One field of the answers file: backslash, tab, line feed and carriage return escaped.
std::wstring escaped(const std::wstring &text)
{
    std::wstring out;
    for (const wchar_t c : text) {
        switch (c) {
        case L'\\': out += L"\\\\"; break;
        case L'\t': out += L"\\t"; break;
        case L'\n': out += L"\\n"; break;
        case L'\r': out += L"\\r"; break;
        default: out += c;
        }
    }
    return out;
}

void record(bool ok, const std::wstring &what, const std::wstring &got, const std::wstring &expected)
{
    if (ok) {
        ++g_passed;
        std::printf("PASS %s\n", utf8(what).c_str());
    } else {
        ++g_failed;
        std::printf("FAIL %s: got \"%s\", expected \"%s\"\n", utf8(what).c_str(),
                    utf8(escaped(got)).c_str(), utf8(escaped(expected)).c_str());
    }
}

void skip(const std::wstring &what, const std::wstring &why)
{
    ++g_skipped;
    std::printf("SKIP %s: %s\n", utf8(what).c_str(), utf8(why).c_str());
}

const wchar_t *viewName(RegistryView view)
{
    switch (view) {
    case RegistryView::View32: return L"32";
    case RegistryView::View64: return L"64";
    case RegistryView::Default: break;
    }
    return L"default";
}

std::wstring joined(const std::vector<std::wstring> &names)
{
    std::wstring out;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i)
            out += L'\n';
        out += names[i];
    }
    return out;
}

bool endsWithIgnoringCase(const std::wstring &text, const std::wstring &suffix)
{
    return text.size() >= suffix.size()
        && ::CompareStringOrdinal(text.c_str() + text.size() - suffix.size(), int(suffix.size()),
                                  suffix.c_str(), int(suffix.size()), TRUE)
        == CSTR_EQUAL;
}

bool equalsIgnoringCase(const std::wstring &a, const std::wstring &b)
{
    return a.size() == b.size() && endsWithIgnoringCase(a, b);
}

// ---- writing the fixture keys ------------------------------------------------------------

const REGSAM kWrite32 = KEY_WOW64_32KEY;
const REGSAM kWrite64 = KEY_WOW64_64KEY;
const wchar_t kBase[] = L"SOFTWARE\\OrvoWineTest";

bool setRaw(HKEY root, const std::wstring &path, REGSAM view, const wchar_t *name, DWORD type,
            const void *data, DWORD size)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key,
                          nullptr)
        != ERROR_SUCCESS) {
        return false;
    }
    LONG status = ERROR_SUCCESS;
    if (name)
        status = ::RegSetValueExW(key, name, 0, type, static_cast<const BYTE *>(data), size);
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

// `text` may hold NULs of its own (multi-strings, embedded NULs); the stored size is the
// characters given plus `terminators` NULs.
bool setText(HKEY root, const std::wstring &path, REGSAM view, const wchar_t *name,
             const std::wstring &text, DWORD type = REG_SZ, int terminators = 1)
{
    std::wstring data = text;
    data.append(size_t(terminators), L'\0');
    return setRaw(root, path, view, name, type, data.data(), DWORD(data.size() * sizeof(wchar_t)));
}

bool createKey(HKEY root, const std::wstring &path, REGSAM view)
{
    return setRaw(root, path, view, nullptr, REG_NONE, nullptr, 0);
}

void removeTree(HKEY root, const wchar_t *parent, const wchar_t *child, REGSAM view)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, parent, 0, KEY_ALL_ACCESS | view, &key) == ERROR_SUCCESS) {
        ::RegDeleteTreeW(key, child);
        ::RegCloseKey(key);
    }
}

// Uninstall entries as installers write them: HKLM in both views (one name in both with
// different contents) and HKCU, which both views share.
const wchar_t kUninstall[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const wchar_t kGuidKey[] = L"{0F2E4D6C-8B0A-4C1E-9D3F-5A7B9C1E3D50}";
const wchar_t kAppName64[] = L"Orvo Wine 64 \u5e94\u7528";

struct UninstallValue
{
    HKEY root;
    const wchar_t *subKey;
    REGSAM view; // 0 for HKCU
    const wchar_t *name;
    const wchar_t *text; // a REG_DWORD's decimal text when `dword`
    bool dword;
};

const HKEY kLm = HKEY_LOCAL_MACHINE;
const HKEY kCu = HKEY_CURRENT_USER;

const UninstallValue kUninstallValues[] = {
    {kLm, L"OrvoWineTestApp64", kWrite64, L"DisplayName", kAppName64, false},
    {kLm, L"OrvoWineTestApp64", kWrite64, L"DisplayIcon",
     L"\"C:\\Program Files\\Orvo Wine\\app64.exe\",0", false},
    {kLm, L"OrvoWineTestApp64", kWrite64, L"SystemComponent", L"0", true},
    {kLm, L"OrvoWineTestSystem", kWrite64, L"DisplayName", L"Orvo Wine System", false},
    {kLm, L"OrvoWineTestSystem", kWrite64, L"DisplayIcon",
     L"C:\\Windows\\system32\\orvo.exe", false},
    {kLm, L"OrvoWineTestSystem", kWrite64, L"SystemComponent", L"1", true},
    {kLm, L"OrvoWineTestUpdate", kWrite64, L"DisplayName", L"Orvo Wine Update", false},
    {kLm, L"OrvoWineTestUpdate", kWrite64, L"ParentKeyName", L"OrvoWineTestApp64", false},
    {kLm, L"OrvoWineTestUpdate", kWrite64, L"ParentDisplayName", kAppName64, false},
    {kLm, L"OrvoWineTestShared", kWrite64, L"DisplayName", L"Orvo Wine Shared 64", false},
    {kLm, L"OrvoWineTestShared", kWrite64, L"DisplayIcon",
     L"C:\\Program Files\\Shared\\shared.exe,0", false},
    {kLm, L"OrvoWineTestShared", kWrite64, L"SystemComponent", L"0", true},

    {kLm, L"OrvoWineTestApp32", kWrite32, L"DisplayName", L"Orvo Wine 32", false},
    {kLm, L"OrvoWineTestApp32", kWrite32, L"DisplayIcon",
     L"C:\\Program Files (x86)\\Orvo Wine\\app32.exe", false},
    {kLm, L"OrvoWineTestShared", kWrite32, L"DisplayName", L"Orvo Wine Shared 32", false},
    {kLm, L"OrvoWineTestShared", kWrite32, L"DisplayIcon",
     L"\"C:\\Program Files (x86)\\Shared\\shared.exe\"", false},
    {kLm, L"OrvoWineTestShared", kWrite32, L"SystemComponent", L"1", true},
    {kLm, L"OrvoWineTestShared", kWrite32, L"ParentKeyName", L"OrvoWineTestApp32", false},
    {kLm, kGuidKey, kWrite32, L"DisplayName", L"Orvo Wine \u6559\u5b66 GUID", false},
    {kLm, kGuidKey, kWrite32, L"DisplayIcon",
     L"C:\\Program Files (x86)\\Guid App\\guid.exe,-101", false},
    // Some installers write the flag as text.
    {kLm, kGuidKey, kWrite32, L"SystemComponent", L"1", false},

    {kCu, L"OrvoWineTestUser", 0, L"DisplayName", L"Orvo Wine User", false},
    {kCu, L"OrvoWineTestUser", 0, L"DisplayIcon",
     L"C:\\Users\\Public\\orvo user.exe", false},
};

// Every sub-key of kUninstallValues, so that a listing can be narrowed to the fixture's names.
bool isUninstallFixture(const std::wstring &name)
{
    for (const UninstallValue &value : kUninstallValues) {
        if (name == value.subKey)
            return true;
    }
    return false;
}

bool writeUninstallFixture()
{
    bool ok = true;
    for (const UninstallValue &value : kUninstallValues) {
        const std::wstring key = std::wstring(kUninstall) + L'\\' + value.subKey;
        if (value.dword) {
            const DWORD number = DWORD(std::wcstoul(value.text, nullptr, 10));
            ok &= setRaw(value.root, key, value.view, value.name, REG_DWORD, &number,
                         sizeof number);
        } else {
            ok &= setText(value.root, key, value.view, value.name, value.text);
        }
    }
    return ok;
}

void removeFixture()
{
    for (const UninstallValue &value : kUninstallValues)
        removeTree(value.root, kUninstall, value.subKey, value.view);
    removeTree(HKEY_LOCAL_MACHINE, L"SOFTWARE", L"OrvoWineTest", kWrite64);
    removeTree(HKEY_LOCAL_MACHINE, L"SOFTWARE", L"OrvoWineTest", kWrite32);
    removeTree(HKEY_CURRENT_USER, L"Software", L"OrvoWineTest", 0);
    removeTree(HKEY_USERS, L".DEFAULT\\Software", L"OrvoWineTest", 0);
    removeTree(HKEY_CURRENT_CONFIG, L"Software", L"OrvoWineTest", 0);
    removeTree(HKEY_CLASSES_ROOT, nullptr, L".orvowinetest", 0);
    removeTree(HKEY_CLASSES_ROOT, nullptr, L".orvowinetestnoicon", 0);
    removeTree(HKEY_CLASSES_ROOT, nullptr, L"OrvoWineTest.Document", 0);
    removeTree(HKEY_CLASSES_ROOT, nullptr, L"OrvoWineTest.NoIcon", 0);
}

const wchar_t kChinese[] = L"C:\\\u7a0b\u5e8f\\\u6559\u5b66 \u8f6f\u4ef6";

bool writeFixture()
{
    const std::wstring base = kBase;
    bool ok = true;
    const HKEY lm = HKEY_LOCAL_MACHINE;

    // The 64-bit view; on an OS with one view, the 32-bit writes below land on the same key.
    ok &= setText(lm, base, kWrite64, L"", L"default 64");
    ok &= setText(lm, base, kWrite64, L"InstallPath", L"C:\\Program Files\\Orvo\\");
    ok &= setText(lm, base, kWrite64, L"Which", L"64");
    ok &= setText(lm, base, kWrite64, L"Chinese", kChinese);
    ok &= setText(lm, base, kWrite64, L"Expand", L"%SystemRoot%\\system32\\orvo.exe", REG_EXPAND_SZ);
    ok &= setText(lm, base, kWrite64, L"DisplayIcon", L"\"C:\\Program Files\\Orvo\\orvo.exe\",0");
    const DWORD dwordMax = 0xFFFFFFFFu;
    const DWORD dwordZero = 0;
    const std::uint64_t qword = 0x123456789ABCDEF0ull;
    const std::uint64_t qwordMax = ~std::uint64_t(0);
    ok &= setRaw(lm, base, kWrite64, L"DwordMax", REG_DWORD, &dwordMax, sizeof dwordMax);
    ok &= setRaw(lm, base, kWrite64, L"DwordZero", REG_DWORD, &dwordZero, sizeof dwordZero);
    ok &= setRaw(lm, base, kWrite64, L"Qword", REG_QWORD, &qword, sizeof qword);
    ok &= setRaw(lm, base, kWrite64, L"QwordMax", REG_QWORD, &qwordMax, sizeof qwordMax);
    ok &= setRaw(lm, base, kWrite64, L"ShortDword", REG_DWORD, &dwordMax, 2);
    ok &= setRaw(lm, base, kWrite64, L"LongDword", REG_DWORD, &qword, sizeof qword);
    ok &= setText(lm, base, kWrite64, L"MultiOne", L"single", REG_MULTI_SZ, 2);
    ok &= setText(lm, base, kWrite64, L"MultiTwo", std::wstring(L"one\0two", 7), REG_MULTI_SZ, 2);
    ok &= setText(lm, base, kWrite64, L"MultiEmpty", L"", REG_MULTI_SZ, 1);
    // Little-endian UTF-16 "AB": text only if the type is ignored.
    const BYTE binary[] = {0x41, 0x00, 0x42, 0x00};
    ok &= setRaw(lm, base, kWrite64, L"Binary", REG_BINARY, binary, sizeof binary);
    ok &= setText(lm, base, kWrite64, L"EmbeddedNul", std::wstring(L"before\0after", 12));
    ok &= setText(lm, base, kWrite64, L"NoNul", L"abc", REG_SZ, 0);
    const wchar_t oddSize[] = L"abc?";
    ok &= setRaw(lm, base, kWrite64, L"OddSize", REG_SZ, oddSize, 7);
    ok &= setRaw(lm, base, kWrite64, L"ZeroSize", REG_SZ, L"", 0);
    // Created out of order: enumeration is sorted. (Wine sorts lower-cased and Windows upper-cased,
    // so names avoid the characters between 'Z' and 'a'.)
    ok &= createKey(lm, base + L"\\Zeta", kWrite64);
    ok &= setText(lm, base + L"\\alpha", kWrite64, L"Nested", L"nested 64");
    ok &= createKey(lm, base + L"\\alpha\\deep", kWrite64);
    ok &= createKey(lm, base + L"\\Mid", kWrite64);

    ok &= setText(lm, base, kWrite32, L"", L"default 32");
    ok &= setText(lm, base, kWrite32, L"InstallPath", L"C:\\Program Files (x86)\\Orvo");
    ok &= setText(lm, base, kWrite32, L"Which", L"32");
    ok &= setText(lm, base, kWrite32, L"InstPath", L"D:\\Orvo32\\");
    const DWORD seven = 7;
    ok &= setRaw(lm, base, kWrite32, L"DwordMax", REG_DWORD, &seven, sizeof seven);
    ok &= setText(lm, base + L"\\Shared", kWrite32, L"", L"shared 32");
    ok &= createKey(lm, base + L"\\Only32", kWrite32);

    ok &= setText(HKEY_CURRENT_USER, L"Software\\OrvoWineTest", 0, L"", L"user default");
    ok &= setText(HKEY_CURRENT_USER, L"Software\\OrvoWineTest", 0, L"User", L"user value");
    ok &= createKey(HKEY_CURRENT_USER, L"Software\\OrvoWineTest\\Prefs", 0);

    ok &= setText(HKEY_CLASSES_ROOT, L".orvowinetest", 0, L"", L"OrvoWineTest.Document");
    ok &= setText(HKEY_CLASSES_ROOT, L"OrvoWineTest.Document\\DefaultIcon", 0, L"",
                  L"C:\\Orvo\\doc.exe,1");
    ok &= setText(HKEY_CLASSES_ROOT, L".orvowinetestnoicon", 0, L"", L"OrvoWineTest.NoIcon");
    ok &= setText(HKEY_CLASSES_ROOT, L"OrvoWineTest.NoIcon", 0, L"", L"no icon");

    ok &= setText(HKEY_USERS, L".DEFAULT\\Software\\OrvoWineTest", 0, L"Seen", L"users");
    ok &= setText(HKEY_CURRENT_CONFIG, L"Software\\OrvoWineTest", 0, L"Seen", L"config");
    ok &= writeUninstallFixture();
    return ok;
}

// ---- lookups -----------------------------------------------------------------------------

struct Lookup
{
    bool subKeys; // else a value
    RegistryView view;
    std::wstring keyPath;
    std::wstring valueName;
    std::wstring expected; // sub-key names joined with '\n'
    bool parity; // recorded in the answers file
    // A listing of a key that holds other entries than the fixture's: checked on the fixture's
    // names only, recorded in full.
    bool fixtureOnly = false;
};

const RegistryView kViews[] = {RegistryView::Default, RegistryView::View32, RegistryView::View64};

// What a view shows of a value written as `in32` in the 32-bit and `in64` in the 64-bit view
// (empty: not written). With a single view the later 32-bit write wins.
std::wstring seen(RegistryView view, const std::wstring &in32, const std::wstring &in64)
{
    if (!g_twoViews)
        return in32.empty() ? in64 : in32;
    if (view == RegistryView::Default)
        view = g_process64 ? RegistryView::View64 : RegistryView::View32;
    return view == RegistryView::View32 ? in32 : in64;
}

// What the fixture wrote as `name` of the uninstall entry `subKey` in `view` (0: HKCU).
std::wstring uninstallText(const wchar_t *subKey, REGSAM view, const wchar_t *name)
{
    for (const UninstallValue &value : kUninstallValues) {
        if (value.view == view && std::wstring(value.subKey) == subKey
            && std::wstring(value.name) == name) {
            return value.text;
        }
    }
    return std::wstring();
}

std::vector<Lookup> lookups()
{
    std::vector<Lookup> list;
    auto value = [&list](RegistryView view, const std::wstring &key, const std::wstring &name,
                         const std::wstring &expected, bool parity = true) {
        list.push_back({false, view, key, name, expected, parity});
    };
    auto subKeys = [&list](RegistryView view, const std::wstring &key,
                           const std::wstring &expected, bool parity = true) {
        list.push_back({true, view, key, std::wstring(), expected, parity});
    };

    const std::wstring lm = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\OrvoWineTest";
    const RegistryView def = RegistryView::Default;
    const RegistryView v32 = RegistryView::View32;
    const RegistryView v64 = RegistryView::View64;

    for (const RegistryView v : kViews) {
        value(v, lm, L".", seen(v, L"default 32", L"default 64"));
        value(v, lm, L"InstallPath", seen(v, L"C:\\Program Files (x86)\\Orvo", L"C:\\Program Files\\Orvo\\"));
        value(v, lm, L"Which", seen(v, L"32", L"64"));
        value(v, lm, L"InstPath", seen(v, L"D:\\Orvo32\\", L""));
        value(v, lm, L"Chinese", seen(v, L"", kChinese));
        value(v, lm, L"Expand", seen(v, L"", L"%SystemRoot%\\system32\\orvo.exe"));
        value(v, lm, L"DisplayIcon", seen(v, L"", L"\"C:\\Program Files\\Orvo\\orvo.exe\",0"));
        value(v, lm, L"DwordMax", seen(v, L"7", L"4294967295"));
        value(v, lm, L"DwordZero", seen(v, L"", L"0"));
        value(v, lm, L"Qword", seen(v, L"", L"1311768467463790320"));
        value(v, lm, L"QwordMax", seen(v, L"", L"18446744073709551615"));
        value(v, lm, L"MultiOne", seen(v, L"", L"single"));
        value(v, lm, L"MultiTwo", L"");
        value(v, lm, L"MultiEmpty", L"");
        value(v, lm, L"Binary", L"");
        value(v, lm, L"EmbeddedNul", seen(v, L"", L"before"));
        value(v, lm, L"ZeroSize", L"");
        value(v, lm, L"Missing", L"");
        value(v, lm + L"\\alpha", L"Nested", seen(v, L"", L"nested 64"));
        value(v, lm + L"\\Shared", L".", seen(v, L"shared 32", L""));
        value(v, lm + L"\\Nope", L"Which", L"");
        // The 32-bit branch by its own name is the same key in every view.
        value(v, L"HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\OrvoWineTest", L"Which",
              g_twoViews ? L"32" : L"");
        value(v, L"HKEY_CURRENT_USER\\Software\\OrvoWineTest", L"User", L"user value");
    }

    value(v64, lm, L"NoNul", seen(v64, L"", L"abc"));
    // Regedit exports these as something else than what the backend reads from them.
    value(v64, lm, L"OddSize", seen(v64, L"", L"abc"), false);
    value(v64, lm, L"ShortDword", L"", false);
    value(v64, lm, L"LongDword", L"", false);

    // Spellings of the same key and value.
    value(def, L"HKLM\\SOFTWARE\\OrvoWineTest", L"Which", seen(def, L"32", L"64"));
    value(v32, L"hklm\\software\\orvowinetest", L"wHICH", seen(v32, L"32", L"64"));
    value(v64, L"Hkey_Local_Machine\\Software\\OrvoWineTest\\", L"Which", seen(v64, L"32", L"64"));
    value(v64, L"HKEY_LOCAL_MACHINE\\\\SOFTWARE\\\\OrvoWineTest", L"Which", seen(v64, L"32", L"64"));

    value(def, L"HKEY_CURRENT_USER\\Software\\OrvoWineTest", L".", L"user default");
    value(def, L"HKCU\\Software\\OrvoWineTest", L"User", L"user value");

    value(def, L"HKEY_CLASSES_ROOT\\.orvowinetest", L".", L"OrvoWineTest.Document");
    value(def, L"HKEY_CLASSES_ROOT\\OrvoWineTest.Document\\DefaultIcon", L".", L"C:\\Orvo\\doc.exe,1");
    value(def, L"HKCR\\OrvoWineTest.Document\\DefaultIcon", L".", L"C:\\Orvo\\doc.exe,1");
    value(def, L"HKEY_CLASSES_ROOT\\.orvowinetestnoicon", L".", L"OrvoWineTest.NoIcon");
    value(def, L"HKEY_CLASSES_ROOT\\OrvoWineTest.NoIcon\\DefaultIcon", L".", L"");
    value(def, L"HKEY_CLASSES_ROOT\\\\DefaultIcon", L".", L"");

    value(def, L"HKEY_USERS\\.DEFAULT\\Software\\OrvoWineTest", L"Seen", L"users", false);
    value(def, L"HKU\\.DEFAULT\\Software\\OrvoWineTest", L"Seen", L"users", false);
    value(def, L"HKEY_CURRENT_CONFIG\\Software\\OrvoWineTest", L"Seen", L"config", false);
    value(def, L"hkcc\\Software\\OrvoWineTest", L"Seen", L"config", false);

    // Not a root key.
    value(def, L"", L"Which", L"");
    value(def, L"SOFTWARE\\OrvoWineTest", L"Which", L"");
    value(def, L"HKLMX\\SOFTWARE\\OrvoWineTest", L"Which", L"");
    value(def, L"HKEY_LOCAL_MACHINEX\\SOFTWARE\\OrvoWineTest", L"Which", L"");
    value(def, L"HKEY_LOCAL\\SOFTWARE\\OrvoWineTest", L"Which", L"");

    // With a single view both sets of sub-keys land on one key, listed in sorted order.
    const std::wstring both = L"alpha\nMid\nOnly32\nShared\nZeta";
    for (const RegistryView v : kViews) {
        subKeys(v, lm, g_twoViews ? seen(v, L"Only32\nShared", L"alpha\nMid\nZeta") : both);
        subKeys(v, lm + L"\\alpha", seen(v, L"", L"deep"));
        subKeys(v, lm + L"\\alpha\\deep", L"");
        subKeys(v, lm + L"\\Nope", L"");
        subKeys(v, L"HKEY_CURRENT_USER\\Software\\OrvoWineTest", L"Prefs");
    }
    subKeys(def, L"HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\OrvoWineTest",
            g_twoViews ? L"Only32\nShared" : L"");
    subKeys(def, L"HKCU\\Software\\OrvoWineTest", L"Prefs");
    subKeys(def, L"HKCR\\OrvoWineTest.Document", L"DefaultIcon");
    subKeys(def, L"", L"");
    subKeys(def, L"HKLMX", L"");

    // Uninstall entries, read as the installed-program scan reads them.
    const std::wstring uninstallLm = std::wstring(L"HKEY_LOCAL_MACHINE\\") + kUninstall;
    const std::wstring uninstallCu = std::wstring(L"HKEY_CURRENT_USER\\") + kUninstall;
    const wchar_t *const uninstallNames[] = {L"DisplayName", L"DisplayIcon", L"SystemComponent",
                                             L"ParentKeyName", L"ParentDisplayName"};
    const wchar_t *const lmKeys[] = {L"OrvoWineTestApp64", L"OrvoWineTestSystem",
                                     L"OrvoWineTestUpdate", L"OrvoWineTestShared",
                                     L"OrvoWineTestApp32", kGuidKey, L"OrvoWineTestNone"};
    for (const RegistryView v : kViews) {
        for (const wchar_t *key : lmKeys) {
            for (const wchar_t *name : uninstallNames) {
                const std::wstring in32 = uninstallText(key, kWrite32, name);
                const std::wstring in64 = uninstallText(key, kWrite64, name);
                value(v, uninstallLm + L'\\' + key, name, seen(v, in32, in64));
            }
        }
        for (const wchar_t *name : uninstallNames) {
            value(v, uninstallCu + L"\\OrvoWineTestUser", name,
                  uninstallText(L"OrvoWineTestUser", 0, name));
        }
    }

    // The 32-bit view lists the WOW6432Node branch only; the scan's HKCU readers see one key.
    const std::wstring only32 = std::wstring(L"OrvoWineTestApp32\nOrvoWineTestShared\n") + kGuidKey;
    const std::wstring only64 =
        L"OrvoWineTestApp64\nOrvoWineTestShared\nOrvoWineTestSystem\nOrvoWineTestUpdate";
    const std::wstring allLm = std::wstring(L"OrvoWineTestApp32\nOrvoWineTestApp64\n")
        + L"OrvoWineTestShared\nOrvoWineTestSystem\nOrvoWineTestUpdate\n" + kGuidKey;
    auto fixtureSubKeys = [&list](RegistryView view, const std::wstring &key,
                                  const std::wstring &expected) {
        list.push_back({true, view, key, std::wstring(), expected, true, true});
    };
    for (const RegistryView v : kViews) {
        fixtureSubKeys(v, uninstallLm, g_twoViews ? seen(v, only32, only64) : allLm);
        fixtureSubKeys(v, uninstallCu, L"OrvoWineTestUser");
    }
    fixtureSubKeys(v64,
                   L"HKLM\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
                   g_twoViews ? only32 : L"");
    fixtureSubKeys(v32, L"hklm\\software\\microsoft\\windows\\currentversion\\uninstall\\",
                   g_twoViews ? only32 : allLm);
    return list;
}

std::wstring answer(const Lookup &lookup)
{
    if (lookup.subKeys)
        return joined(orvo_win32::registrySubKeys(lookup.keyPath, lookup.view));
    return orvo_win32::registryValue(lookup.keyPath, lookup.valueName, lookup.view);
}

// What the live check compares: a listing of a shared key narrowed to the fixture's names.
std::wstring checkedAnswer(const Lookup &lookup)
{
    if (!lookup.fixtureOnly)
        return answer(lookup);
    std::vector<std::wstring> names;
    for (const std::wstring &name : orvo_win32::registrySubKeys(lookup.keyPath, lookup.view)) {
        if (isUninstallFixture(name))
            names.push_back(name);
    }
    return joined(names);
}

std::wstring describe(const Lookup &lookup)
{
    return std::wstring(lookup.subKeys ? L"subkeys " : L"value ") + viewName(lookup.view) + L' '
        + lookup.keyPath + (lookup.subKeys ? L"" : L" : " + lookup.valueName);
}

void checkExecutablePath()
{
    const std::wstring path = orvo_win32::executablePath();
    const std::string ascii = ORVO_TEST_EXE_NAME;
    const std::wstring name(ascii.begin(), ascii.end());
    record(endsWithIgnoringCase(path, L"\\" + name), L"executablePath ends with \\" + name, path,
           L"...\\" + name);
    const bool drive = path.size() > 3 && path[1] == L':' && path[2] == L'\\';
    const bool unc = path.compare(0, 2, L"\\\\") == 0;
    record(drive || unc, L"executablePath is absolute", path, L"X:\\... or \\\\...");
}

// Root keys list their well-known children; exact contents depend on the installation.
void checkRootListing()
{
    for (const wchar_t *root : {L"HKLM", L"HKEY_LOCAL_MACHINE\\", L"hkey_local_machine"}) {
        const std::vector<std::wstring> names = orvo_win32::registrySubKeys(root);
        bool software = false;
        for (const std::wstring &n : names)
            software |= equalsIgnoringCase(n, L"SOFTWARE");
        record(software, std::wstring(L"subkeys of ") + root + L" include SOFTWARE",
               joined(names), L"...SOFTWARE...");
    }
}

// ---- shortcuts -----------------------------------------------------------------------------

// Initialises COM for a scope, as a caller of the backend might have done.
class ComInit
{
public:
    explicit ComInit(DWORD model) : m_result(::CoInitializeEx(nullptr, model)) {}
    ~ComInit()
    {
        if (SUCCEEDED(m_result))
            ::CoUninitialize();
    }
    ComInit(const ComInit &) = delete;
    ComInit &operator=(const ComInit &) = delete;

private:
    HRESULT m_result;
};

// Saves a shortcut the way Explorer's "Create shortcut" does; `target` is a path, or empty with
// `idList` naming a shell item instead. Called with COM initialised.
bool saveShortcut(const std::wstring &file, const std::wstring &target,
                  PCIDLIST_ABSOLUTE idList = nullptr)
{
    IShellLinkW *link = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void **>(&link)))) {
        return false;
    }
    // SetPath gives S_FALSE for a target that does not exist, and keeps it.
    bool ok = SUCCEEDED(idList ? link->SetIDList(idList) : link->SetPath(target.c_str()));
    IPersistFile *persist = nullptr;
    ok = ok
        && SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&persist)));
    ok = ok && SUCCEEDED(persist->Save(file.c_str(), TRUE));
    if (persist)
        persist->Release();
    link->Release();
    return ok;
}

bool writeFile(const std::wstring &file, const std::string &bytes)
{
    const HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = ::WriteFile(handle, bytes.data(), DWORD(bytes.size()), &written, nullptr)
        && written == bytes.size();
    return ::CloseHandle(handle) && ok;
}

std::wstring withForwardSlashes(std::wstring path)
{
    for (wchar_t &c : path) {
        if (c == L'\\')
            c = L'/';
    }
    return path;
}

// Wine keeps a shortcut's path in the ANSI code page only (Windows adds a UTF-16 copy), so a
// path that code page cannot hold comes back with "?" there. run-wine-tests.sh runs the program
// with a Chinese code page; elsewhere the cases that need one are skipped under Wine.
bool wineLosesPath(const std::wstring &path)
{
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    if (!ntdll || !::GetProcAddress(ntdll, "wine_get_version") || ::GetACP() == CP_UTF8)
        return false;
    BOOL lossy = FALSE;
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.data(), int(path.size()), nullptr, 0,
                          nullptr, &lossy);
    return lossy;
}

struct ShortcutCase
{
    std::wstring what;
    std::wstring path;
    std::wstring expected;
};

struct ShortcutFixture
{
    std::wstring dir; // with a trailing backslash
    std::wstring exe; // the running program
    std::wstring chineseExe;
    std::wstring chineseLink;
    std::vector<ShortcutCase> cases;
};

void removeShortcutFixture(const ShortcutFixture &f)
{
    if (f.dir.empty())
        return;
    // Double-NUL-terminated list of one path, without the trailing separator.
    std::wstring from = f.dir.substr(0, f.dir.size() - 1);
    from.append(2, L'\0');
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NO_UI;
    ::SHFileOperationW(&operation);
}

// Shortcuts to the running program, to a copy of it under a name with spaces and Chinese
// characters, to a file that does not exist, to a folder and to a shell item without a path; and
// files that are not shortcuts although named like one, or named unlike one although they are.
bool writeShortcutFixture(ShortcutFixture *f)
{
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH)
        return false;
    f->dir = std::wstring(temp, length) + L"orvo-lnk-" + std::to_wstring(::GetCurrentProcessId())
        + L'\\';
    f->exe = orvo_win32::executablePath();
    const std::wstring chineseDir = f->dir + L"\u7a0b\u5e8f \u6587\u4ef6";
    f->chineseExe = chineseDir + L"\\\u6559\u5b66 \u8f6f\u4ef6.exe";
    f->chineseLink = chineseDir + L"\\\u6559\u5b66 \u8f6f\u4ef6.lnk";
    const std::wstring missing = f->dir + L"gone\\nothing here.exe";
    const std::wstring plainDir = f->dir + L"plain folder";

    const ComInit com(COINIT_APARTMENTTHREADED);
    removeShortcutFixture(*f); // left by an earlier process with the same id
    bool ok = ::CreateDirectoryW(f->dir.c_str(), nullptr)
        && ::CreateDirectoryW(chineseDir.c_str(), nullptr)
        && ::CreateDirectoryW(plainDir.c_str(), nullptr)
        && ::CreateDirectoryW((f->dir + L"folder.lnk").c_str(), nullptr)
        && ::CopyFileW(f->exe.c_str(), f->chineseExe.c_str(), FALSE);
    ok = ok && saveShortcut(f->dir + L"self.lnk", f->exe);
    ok = ok && saveShortcut(f->chineseLink, f->chineseExe);
    ok = ok && saveShortcut(f->dir + L"missing target.lnk", missing);
    ok = ok && saveShortcut(f->dir + L"to folder.lnk", plainDir);
    PIDLIST_ABSOLUTE controls = nullptr;
    ok = ok && SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_CONTROLS, &controls))
        && saveShortcut(f->dir + L"control panel.lnk", std::wstring(), controls);
    ::CoTaskMemFree(controls);
    ok = ok && ::CopyFileW((f->dir + L"self.lnk").c_str(), (f->dir + L"upper.LNK").c_str(), FALSE)
        && ::CopyFileW((f->dir + L"self.lnk").c_str(), (f->dir + L"self.lnk.txt").c_str(), FALSE)
        && writeFile(f->dir + L"garbage.lnk", "[InternetShortcut]\r\nURL=file:///C:/x.exe\r\n")
        && writeFile(f->dir + L"empty.lnk", std::string());
    if (!ok)
        return false;

    f->cases = {
        {L"program", f->dir + L"self.lnk", f->exe},
        {L"program, \"/\" separators", withForwardSlashes(f->dir + L"self.lnk"), f->exe},
        {L"program, doubled separator", f->dir + L"\\self.lnk", f->exe},
        {L"spaces and Chinese characters", f->chineseLink, f->chineseExe},
        {L"target that does not exist", f->dir + L"missing target.lnk", missing},
        {L"folder", f->dir + L"to folder.lnk", plainDir},
        {L"shell item without a path", f->dir + L"control panel.lnk", L""},
        {L"upper-case ending", f->dir + L"upper.LNK", L""},
        {L"shortcut not named .lnk", f->dir + L"self.lnk.txt", L""},
        {L"not a shortcut", f->dir + L"garbage.lnk", L""},
        {L"empty file", f->dir + L"empty.lnk", L""},
        {L"folder named .lnk", f->dir + L"folder.lnk", L""},
        {L"missing file", f->dir + L"absent.lnk", L""},
        {L"missing folder", f->dir + L"absent\\self.lnk", L""},
        {L"empty path", L"", L""},
        {L"embedded NUL", f->dir + std::wstring(L"self.lnk\0.lnk", 13), L""},
    };
    return true;
}

void checkShortcutCases(const ShortcutFixture &f)
{
    for (const ShortcutCase &c : f.cases) {
        if (wineLosesPath(c.expected)) {
            skip(L"shortcutTarget: " + c.what,
                 L"Wine stores it in ANSI code page " + std::to_wstring(::GetACP()));
            continue;
        }
        const std::wstring got = orvo_win32::shortcutTarget(c.path);
        record(got == c.expected, L"shortcutTarget: " + c.what, got, c.expected);
    }

    // Relative to the current folder, as QFileInfo passes a relative name on.
    wchar_t previous[MAX_PATH] = {};
    const DWORD length = ::GetCurrentDirectoryW(MAX_PATH, previous);
    if (length > 0 && length < MAX_PATH && ::SetCurrentDirectoryW(f.dir.c_str())) {
        const std::wstring got = orvo_win32::shortcutTarget(L"self.lnk");
        ::SetCurrentDirectoryW(previous);
        record(got == f.exe, L"shortcutTarget: relative path", got, f.exe);
    } else {
        record(false, L"shortcutTarget: relative path (cannot change folder)", L"", f.exe);
    }
}

std::wstring hresultText(HRESULT result)
{
    wchar_t text[16] = {};
    std::swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(result));
    return text;
}

// From a thread in each COM state: the answer is right, and the thread's COM state is as before
// (probed by initialising again: S_OK where nothing was left, S_FALSE where it still holds).
void checkShortcutThreads(const ShortcutFixture &f)
{
    struct State
    {
        const wchar_t *name;
        bool initialise;
        DWORD model;
    };
    const State states[] = {
        {L"thread without COM", false, COINIT_MULTITHREADED},
        {L"single-threaded apartment", true, COINIT_APARTMENTTHREADED},
        {L"multi-threaded apartment", true, COINIT_MULTITHREADED},
    };
    const bool chinese = !wineLosesPath(f.chineseExe);
    const std::wstring link = chinese ? f.chineseLink : f.dir + L"self.lnk";
    const std::wstring target = chinese ? f.chineseExe : f.exe;
    for (const State &state : states) {
        std::wstring got;
        HRESULT probe = E_FAIL;
        std::thread thread([&] {
            const HRESULT own = state.initialise ? ::CoInitializeEx(nullptr, state.model) : E_FAIL;
            got = orvo_win32::shortcutTarget(link);
            probe = ::CoInitializeEx(nullptr, state.model);
            if (SUCCEEDED(probe))
                ::CoUninitialize();
            if (SUCCEEDED(own))
                ::CoUninitialize();
        });
        thread.join();
        record(got == target, std::wstring(L"shortcutTarget from a ") + state.name, got, target);
        const HRESULT expected = state.initialise ? S_FALSE : S_OK;
        record(probe == expected, std::wstring(L"COM state kept by a ") + state.name,
               hresultText(probe), hresultText(expected));
    }

    // Several threads at once, each resolving every case many times.
    const int threadCount = 4;
    std::vector<int> wrong(threadCount, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back([&f, &wrong, t] {
            for (int round = 0; round < 10; ++round) {
                for (const ShortcutCase &c : f.cases) {
                    if (!wineLosesPath(c.expected))
                        wrong[size_t(t)] += orvo_win32::shortcutTarget(c.path) != c.expected;
                }
            }
        });
    }
    int totalWrong = 0;
    for (int t = 0; t < threadCount; ++t) {
        threads[size_t(t)].join();
        totalWrong += wrong[size_t(t)];
    }
    record(totalWrong == 0, L"shortcutTarget from concurrent threads", std::to_wstring(totalWrong),
           L"0 wrong answers");
}

void checkShortcuts()
{
    ShortcutFixture fixture;
    const bool written = writeShortcutFixture(&fixture);
    record(written, L"shortcut fixture written in " + fixture.dir, written ? L"yes" : L"no",
           L"yes");
    if (written) {
        checkShortcutCases(fixture);
        checkShortcutThreads(fixture);
    }
    removeShortcutFixture(fixture);
}

// ---- shell folders -------------------------------------------------------------------------

void checkCommonProgramsFolder()
{
    const std::wstring folder = orvo_win32::commonProgramsFolder();
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    record(!folder.empty() && attributes != INVALID_FILE_ATTRIBUTES
               && (attributes & FILE_ATTRIBUTE_DIRECTORY),
           L"commonProgramsFolder names an existing folder", folder, L"an existing folder");

    // The same folder through the newer known-folder interface.
    PWSTR known = nullptr;
    std::wstring expected;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_CommonPrograms, 0, nullptr, &known)))
        expected = known;
    ::CoTaskMemFree(known);
    record(!expected.empty() && equalsIgnoringCase(folder, expected),
           L"commonProgramsFolder is FOLDERID_CommonPrograms", folder, expected);
}

// Removes every key the program writes and checks that no view still shows one.
void checkFixtureRemoved()
{
    removeFixture();
    const std::wstring uninstallLm = std::wstring(L"HKEY_LOCAL_MACHINE\\") + kUninstall;
    const std::wstring uninstallCu = std::wstring(L"HKEY_CURRENT_USER\\") + kUninstall;
    for (const RegistryView v : kViews) {
        std::vector<std::wstring> left;
        for (const std::wstring &key : {uninstallLm, uninstallCu}) {
            for (const std::wstring &name : orvo_win32::registrySubKeys(key, v)) {
                if (isUninstallFixture(name))
                    left.push_back(name);
            }
        }
        for (const std::wstring &name : orvo_win32::registrySubKeys(L"HKLM\\SOFTWARE", v)) {
            if (equalsIgnoringCase(name, L"OrvoWineTest"))
                left.push_back(name);
        }
        record(left.empty(), std::wstring(L"fixture keys removed, view ") + viewName(v),
               joined(left), L"");
    }
}

bool writeAnswers(const char *file, const std::vector<Lookup> &list)
{
    std::FILE *out = std::fopen(file, "wb");
    if (!out)
        return false;
    std::string text = "# kind\tview\tkey path\tvalue name\tanswer\n";
    for (const Lookup &lookup : list) {
        if (!lookup.parity)
            continue;
        text += lookup.subKeys ? "subkeys\t" : "value\t";
        text += utf8(viewName(lookup.view)) + '\t';
        text += utf8(escaped(lookup.keyPath)) + '\t';
        text += utf8(escaped(lookup.valueName)) + '\t';
        text += utf8(escaped(answer(lookup))) + '\n';
    }
    const bool ok = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    return std::fclose(out) == 0 && ok;
}

} // namespace

int finish()
{
    if (g_skipped)
        std::printf("%d skipped\n", g_skipped);
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    std::fflush(stdout);
    return g_failed == 0 ? 0 : 1;
}

int main(int argc, char **argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--probe") {
        std::printf("probe ok\n");
        return 0;
    }

    g_process64 = sizeof(void *) == 8;
    BOOL wow64 = FALSE;
    ::IsWow64Process(::GetCurrentProcess(), &wow64);
    g_twoViews = g_process64 || wow64;
    std::printf("process: %d-bit, registry views: %s, ANSI code page %u\n", g_process64 ? 64 : 32,
                g_twoViews ? "32-bit and 64-bit" : "one", ::GetACP());

    // Run once the keys have been exported.
    if (mode == "--cleanup") {
        checkFixtureRemoved();
        return finish();
    }

    checkExecutablePath();
    checkCommonProgramsFolder();
    checkShortcuts();

    removeFixture();
    const bool written = writeFixture();
    record(written, L"fixture keys written", written ? L"yes" : L"no", L"yes");
    if (!written) {
        removeFixture();
        return finish();
    }

    const std::vector<Lookup> list = lookups();
    for (const Lookup &lookup : list) {
        const std::wstring got = checkedAnswer(lookup);
        record(got == lookup.expected, describe(lookup), got, lookup.expected);
    }
    checkRootListing();

    // With an answers file the keys stay for export; the caller runs --cleanup afterwards.
    if (!mode.empty()) {
        const bool ok = writeAnswers(argv[1], list);
        record(ok, L"answers file written", ok ? L"yes" : L"no", L"yes");
    } else {
        checkFixtureRemoved();
    }
    return finish();
}
