// Checks the Qt-free Windows backends against a live registry: under Wine in CI, or on Windows.
//
//   win32_backend_tests [ANSWERS_FILE]
//   win32_backend_tests --probe
//
// The program writes its own keys under HKLM\SOFTWARE\OrvoWineTest in both registry views (with
// different contents), under HKCU, HKCR, HKU and HKCC, reads them back through the backend and
// prints one line per check. With ANSWERS_FILE it also records the lookups that the .reg backend
// of the Linux build must answer identically (see tst_wineparity.cpp for the format).

#include "win32_executable.h"
#include "win32_registry.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

using orvo_win32::RegistryView;

namespace {

int g_passed = 0;
int g_failed = 0;

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

void removeFixture()
{
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
    return list;
}

std::wstring answer(const Lookup &lookup)
{
    if (lookup.subKeys)
        return joined(orvo_win32::registrySubKeys(lookup.keyPath, lookup.view));
    return orvo_win32::registryValue(lookup.keyPath, lookup.valueName, lookup.view);
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

int main(int argc, char **argv)
{
    if (argc > 1 && std::string(argv[1]) == "--probe") {
        std::printf("probe ok\n");
        return 0;
    }

    g_process64 = sizeof(void *) == 8;
    BOOL wow64 = FALSE;
    ::IsWow64Process(::GetCurrentProcess(), &wow64);
    g_twoViews = g_process64 || wow64;
    std::printf("process: %d-bit, registry views: %s\n", g_process64 ? 64 : 32,
                g_twoViews ? "32-bit and 64-bit" : "one");

    checkExecutablePath();

    removeFixture();
    const bool written = writeFixture();
    record(written, L"fixture keys written", written ? L"yes" : L"no", L"yes");
    if (!written) {
        std::printf("%d passed, %d failed\n", g_passed, g_failed);
        return 1;
    }

    const std::vector<Lookup> list = lookups();
    for (const Lookup &lookup : list) {
        const std::wstring got = answer(lookup);
        record(got == lookup.expected, describe(lookup), got, lookup.expected);
    }
    checkRootListing();

    if (argc > 1) {
        const bool ok = writeAnswers(argv[1], list);
        record(ok, L"answers file written", ok ? L"yes" : L"no", L"yes");
    }

    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    std::fflush(stdout);
    return g_failed == 0 ? 0 : 1;
}
