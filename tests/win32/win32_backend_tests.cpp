// Checks the Qt-free Windows backends against a live system: under Wine in CI, or on Windows.
//
//   win32_backend_tests LOOKUPS_FILE [ANSWERS_FILE]
//   win32_backend_tests --probe
//   win32_backend_tests --windows
//   win32_backend_tests --exit-later CODE
//
// --windows runs only the window checks, which create real windows and need a display; the
// other checks run without one, where no error dialog of the shell can wait for a click.
// --exit-later is the child whose exit code the shell-start checks wait for.
//
// LOOKUPS_FILE (lookups.tsv) lists registry lookups and their answers in each view for the keys
// of fixture.reg, which must have been imported first. Each lookup is asked in the default, the
// 32-bit and the 64-bit view. ANSWERS_FILE receives the backend's answers, which the Linux .reg
// backend must give too (tst_wineparity). Shortcuts are saved in a temporary folder and resolved.

#include "win32_checks.h"
#include "win32_executable.h"
#include "win32_module.h"
#include "win32_registry.h"
#include "win32_shell.h"
#include "win32_shellfolders.h"
#include "win32_shortcut.h"
#include "win32_touch.h"
#include "win32_touchkeyboard.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

using namespace std::string_literals;
using orvo_win32::RegistryView;

namespace {

int g_passed = 0;
int g_failed = 0;
const bool kProcess64 = sizeof(void *) == 8;

std::string utf8(const std::wstring &text)
{
    std::string bytes(text.size() * 3, '\0');
    bytes.resize(size_t(::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()),
                                              &bytes[0], int(bytes.size()), nullptr, nullptr)));
    return bytes;
}

bool isWine()
{
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

} // namespace

void check(bool ok, const std::wstring &what, const std::wstring &got, const std::wstring &expected)
{
    ++(ok ? g_passed : g_failed);
    if (ok)
        std::printf("PASS %s\n", utf8(what).c_str());
    else
        std::printf("FAIL %s: got \"%s\", expected \"%s\"\n", utf8(what).c_str(),
                    utf8(got).c_str(), utf8(expected).c_str());
}

namespace {

// ---- registry ------------------------------------------------------------------------------

// A line of lookups.tsv: kind ("value", "value-live": not in the answers file, or "subkeys"), key,
// value name, answer in the 32-bit view, in the 64-bit view (sub-key names joined with '\\'; "*":
// not asked).
using Lookup = std::vector<std::wstring>;

std::vector<Lookup> readLookups(const char *file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<Lookup> list;
    for (std::string line; std::getline(in, line);) {
        std::wstring text(line.size(), L'\0');
        text.resize(size_t(::MultiByteToWideChar(CP_UTF8, 0, line.data(), int(line.size()),
                                                 &text[0], int(text.size()))));
        Lookup fields(1);
        for (const wchar_t c : text) {
            if (c == L'\t')
                fields.emplace_back();
            else if (c != L'\r')
                fields.back() += c;
        }
        if (fields.size() == 5)
            list.push_back(fields);
        else if (!fields[0].empty() && fields[0][0] != L'#')
            check(false, L"malformed lookup: " + fields[0]);
    }
    return list;
}

// Other software's uninstall entries are left out of the live check (names expected in neither
// view), not out of the answers file.
std::wstring answer(const Lookup &l, RegistryView view, bool fixtureOnly)
{
    if (l[0] != L"subkeys")
        return orvo_win32::registryValue(l[1], l[2], view);
    const std::wstring known = L'\\' + l[3] + L'\\' + l[4] + L'\\';
    std::wstring names;
    for (const std::wstring &name : orvo_win32::registrySubKeys(l[1], view)) {
        if (!fixtureOnly || l[1].find(L"Uninstall") == std::wstring::npos
            || known.find(L'\\' + name + L'\\') != std::wstring::npos)
            names += (names.empty() ? L"" : L"\\") + name;
    }
    return names;
}

void checkRegistry(const char *lookupsFile, const char *answersFile)
{
    const std::vector<Lookup> list = readLookups(lookupsFile);
    check(!list.empty(), L"lookups read");
    std::wstring text = L"# kind\tview\tkey path\tvalue name\tanswer\n";
    const wchar_t *const viewNames[] = {L"default", L"32", L"64"};
    for (const RegistryView view : {RegistryView::Default, RegistryView::View32, RegistryView::View64}) {
        const bool in32 = view == RegistryView::View32 || (view == RegistryView::Default && !kProcess64);
        for (const Lookup &l : list) {
            const std::wstring &expected = in32 ? l[3] : l[4];
            if (expected == L"*")
                continue;
            const std::wstring got = answer(l, view, true);
            const std::wstring line = l[0] + L'\t' + viewNames[int(view)] + L'\t' + l[1] + L'\t' + l[2] + L'\t';
            check(got == expected, line, got, expected);
            if (l[0] != L"value-live")
                text += line + answer(l, view, false) + L'\n';
        }
    }
    if (answersFile) {
        const std::string bytes = utf8(text);
        std::ofstream out(answersFile, std::ios::binary);
        check(bool(out.write(bytes.data(), std::streamsize(bytes.size())).flush()), L"answers file written");
    }
}

// ---- shell ---------------------------------------------------------------------------------

// Wine keeps a shortcut's path in the ANSI code page only (Windows adds a UTF-16 copy), so a path
// that code page cannot hold comes back with "?". run-wine-tests.sh sets a Chinese code page.
bool wineLosesPath(const std::wstring &path)
{
    BOOL lossy = FALSE;
    if (isWine() && ::GetACP() != CP_UTF8)
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.c_str(), -1, nullptr, 0, nullptr, &lossy);
    return lossy;
}

bool saveShortcut(const std::wstring &file, const std::wstring &target)
{
    Microsoft::WRL::ComPtr<IShellLinkW> link;
    Microsoft::WRL::ComPtr<IPersistFile> persist;
    return SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)))
        && SUCCEEDED(link->SetPath(target.c_str())) && SUCCEEDED(link.As(&persist))
        && SUCCEEDED(persist->Save(file.c_str(), TRUE));
}

void checkShortcuts()
{
    const std::wstring dir = std::filesystem::temp_directory_path().wstring() + L"orvo-lnk-"
        + std::to_wstring(::GetCurrentProcessId()) + L'\\';
    const std::wstring exe = orvo_win32::executablePath();
    const std::wstring chineseDir = dir + L"\u7a0b\u5e8f \u6587\u4ef6\\";
    const std::wstring chineseExe = chineseDir + L"\u6559\u5b66 \u8f6f\u4ef6.exe";
    const std::wstring chineseLink = chineseDir + L"\u6559\u5b66 \u8f6f\u4ef6.lnk";
    std::wstring slashed = dir + L"self.lnk";
    std::replace(slashed.begin(), slashed.end(), L'\\', L'/');

    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const bool written = ::CreateDirectoryW(dir.c_str(), nullptr)
        && ::CreateDirectoryW(chineseDir.c_str(), nullptr)
        && ::CopyFileW(exe.c_str(), chineseExe.c_str(), FALSE)
        && saveShortcut(dir + L"self.lnk", exe) && saveShortcut(chineseLink, chineseExe)
        && saveShortcut(dir + L"gone.lnk", dir + L"gone.exe")
        && ::CopyFileW((dir + L"self.lnk").c_str(), (dir + L"upper.LNK").c_str(), FALSE)
        && ::CopyFileW((dir + L"self.lnk").c_str(), (dir + L"self.lnk.txt").c_str(), FALSE);
    ::CoUninitialize();
    check(written, L"shortcuts saved in " + dir);

    // Only a name ending in ".lnk", case-sensitively, and without a NUL is a shortcut.
    const std::wstring cases[][2] = {
        {slashed, exe}, {dir + L"gone.lnk", dir + L"gone.exe"}, {dir + L"upper.LNK", L""},
        {dir + L"self.lnk.txt", L""}, {dir + L"self.lnk\0.lnk"s, L""},
    };
    for (const auto &c : cases) {
        const std::wstring got = orvo_win32::shortcutTarget(c[0]);
        check(got == c[1], L"shortcutTarget " + c[0], got, c[1]);
    }

    // The Chinese shortcut from a thread without COM and from one in each apartment model;
    // initialising again must find the thread's COM state as it was (S_OK: nothing left behind;
    // S_FALSE: its own).
    const bool chinese = !wineLosesPath(chineseExe);
    if (!chinese)
        std::printf("SKIP shortcutTarget of a Chinese name: code page %u\n", ::GetACP());
    const std::wstring link = chinese ? chineseLink : dir + L"self.lnk";
    for (const int model : {-1, int(COINIT_APARTMENTTHREADED), int(COINIT_MULTITHREADED)}) {
        std::wstring got;
        std::thread([&] {
            const HRESULT own = model >= 0 ? ::CoInitializeEx(nullptr, DWORD(model)) : E_FAIL;
            got = orvo_win32::shortcutTarget(link);
            const HRESULT probe = ::CoInitializeEx(nullptr, DWORD(model >= 0 ? model : COINIT_MULTITHREADED));
            got += L", probe " + std::to_wstring(probe);
            if (SUCCEEDED(probe))
                ::CoUninitialize();
            if (SUCCEEDED(own))
                ::CoUninitialize();
        }).join();
        const std::wstring expected = (chinese ? chineseExe : exe) + L", probe "
            + std::to_wstring(model >= 0 ? S_FALSE : S_OK);
        check(got == expected, L"shortcutTarget, thread COM model " + std::to_wstring(model), got, expected);
    }
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}

void checkPaths()
{
    const std::wstring path = orvo_win32::executablePath();
    const std::wstring name = L"\\" ORVO_TEST_EXE_NAME;
    check(path.size() > name.size() + 2 && path[1] == L':' && path[2] == L'\\'
              && _wcsicmp(path.c_str() + path.size() - name.size(), name.c_str()) == 0,
          L"executablePath", path, L"X:\\..." + name);
    const std::wstring module = orvo_win32::moduleFilePathOf(reinterpret_cast<const void *>(&checkPaths));
    check(_wcsicmp(module.c_str(), path.c_str()) == 0, L"moduleFilePathOf a function of the program", module, path);

    const std::wstring folder = orvo_win32::commonProgramsFolder();
    const std::wstring expected = _wgetenv(L"ProgramData") + L"\\Microsoft\\Windows\\Start Menu\\Programs"s;
    check(!folder.empty() && _wcsicmp(folder.c_str(), expected.c_str()) == 0
              && std::filesystem::is_directory(folder),
          L"commonProgramsFolder is the existing all-users Start menu", folder, expected);
}

// ---- touch ---------------------------------------------------------------------------------

// Touch metrics and the touch keyboard's COM host, against the live system. Wine has neither a
// touch digitiser nor the keyboard's COM classes: there the input pane is missing and the
// invocation cannot be created, the answers the library's Linux tests script for that path.
void checkTouch()
{
    const orvo_win32::TouchMetrics metrics = orvo_win32::touchMetrics();
    const int touches = ::GetSystemMetrics(95 /* SM_MAXIMUMTOUCHES */);
    check(metrics.maximumTouches == touches && !(isWine() && metrics.touchDigitizer),
          L"touchMetrics", std::to_wstring(metrics.maximumTouches), std::to_wstring(touches));

    orvo_win32::comInitialise();
    void *pane = orvo_win32::createInputPane();
    void *tip = reinterpret_cast<void *>(1);
    const long created = orvo_win32::createTipInvocation(&tip);
    if (isWine()) {
        check(!pane && created < 0 && !tip && !orvo_win32::keyboardWindowPresent(),
              L"Wine: no input pane, tip invocation or keyboard window",
              std::to_wstring(created), L"a failure code");
    }
    orvo_win32::releaseComObject(pane);
    orvo_win32::releaseComObject(created >= 0 ? tip : nullptr);

    std::wstring folder;
    check(orvo_win32::programFilesFolder(&folder) && folder.rfind(L"C:\\Program Files", 0) == 0,
          L"programFilesFolder", folder, L"C:\\Program Files...");
    unsigned long lastError = 0;
    check(!orvo_win32::shellOpen(L"C:\\nowhere\\TabTip.exe", L"", &lastError) && lastError != 0
              && !orvo_win32::createProcess(L"C:/nowhere/Common Files/tabtip.exe")
              && orvo_win32::createProcess(L"cmd.exe /c exit 0"),
          L"shellOpen and createProcess fail for a missing program only",
          std::to_wstring(lastError), L"an error code");
}

} // namespace

int main(int argc, char **argv)
{
    // Unbuffered, so a run stopped by its time limit shows the check it hung in.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc > 1 && argv[1] == "--probe"s) {
        std::printf("probe ok\n");
        return 0;
    }
    if (argc > 2 && argv[1] == "--exit-later"s) {
        ::Sleep(400);
        return std::atoi(argv[2]);
    }
    const bool windowsOnly = argc > 1 && argv[1] == "--windows"s;
    BOOL wow64 = FALSE;
    ::IsWow64Process(::GetCurrentProcess(), &wow64);
    std::printf("process: %d-bit, ANSI code page %u\n", kProcess64 ? 64 : 32, ::GetACP());
    if (windowsOnly) {
        checkProcessesAndWindows();
    } else {
        checkPaths();
        checkShortcuts();
        checkShellStarts();
        checkProcessSnapshot();
        checkTouch();
        if (argc < 2)
            check(false, L"no lookups file given");
        else if (kProcess64 || wow64) // the answers assume separate 32-bit and 64-bit views
            checkRegistry(argv[1], argc > 2 ? argv[2] : nullptr);
    }
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}
