// Shell starts and the process snapshot, as the update check and the local web server use them:
// the substitute updater (OrvoSoftwareUpdate.exe, built beside this program) started with
// ShellExecuteW must receive its Base64 argument whole; ShellExecuteExW must wait for the
// program's exit code; the snapshot must name this program exactly as its file is named.

#include "win32_checks.h"
#include "win32_executable.h"
#include "win32_processes.h"
#include "win32_shell.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwctype>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// A message as the library sends it (the updater checks every member and its type), UTF-8.
const std::string kMessage =
    "{\"eventid\": \"ID_ORVOENTRANCE_UPDATE_CMD\", \"from\": \"ID_PC_ORVOENTRANCE\", \"property\": {"
    "\"appname\": \"OrvoKiv6\", \"apppath\": \"C:/Program Files/\xE6\x95\x99\xE5\xAD\xA6/OrvoKiv6\", "
    "\"autoupdate\": true, \"backPicPath\": \"C:/x/update_back_pic.png\", \"colorType\": \"2\", "
    "\"defaultColor\": \"#1F71FF\", \"hoverColor\": \"#1F71FF\", \"disableColor\": \"#333333\", "
    "\"btnDefaultColor\": \"#1F71FF\", \"btnHoverColor\": \"#1F71FF\", \"btnDisableColor\": \"#1F71FF\", "
    "\"language\": \"zh_CN\", \"regeditversion\": \"\", \"style\": \"3\", \"versionInfoFilePath\": \"C:/x/version.ini\"}, "
    "\"scenario\": \"ID_SCENARIO_UNKNOW\"}\n";

std::wstring base64(const std::string &bytes)
{
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::wstring text;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t n = std::min<size_t>(3, bytes.size() - i);
        unsigned long group = 0;
        for (size_t k = 0; k < 3; ++k)
            group = group << 8 | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (size_t k = 0; k < 4; ++k)
            text += k <= n ? wchar_t(alphabet[group >> (18 - 6 * k) & 63]) : L'=';
    }
    return text;
}

} // namespace

int sleepAndExit(const char *ms, const char *code)
{
    ::Sleep(DWORD(std::strtoul(ms, nullptr, 10)));
    return int(std::strtol(code, nullptr, 10));
}

void checkShellStarts()
{
    const std::wstring self = orvo_win32::executablePath();
    const std::wstring folder = self.substr(0, self.find_last_of(L'\\'));
    // The library names the updater with Qt's forward slashes.
    std::wstring updater = folder + L"\\OrvoSoftwareUpdate.exe";
    std::replace(updater.begin(), updater.end(), L'\\', L'/');
    char temp[MAX_PATH + 1] = {};
    ::GetTempPathA(MAX_PATH + 1, temp);
    const std::string output = temp + ("orvo-updater-" + std::to_string(::GetCurrentProcessId()) + ".json");
    std::remove(output.c_str());
    ::SetEnvironmentVariableA("ORVO_UPDATE_STUB_OUTPUT", output.c_str());

    check(orvo_win32::shellOpen(updater, base64(kMessage)), L"ShellExecuteW starts the updater", updater);
    // Not waited for: the updater writes its file some time later.
    std::string received;
    for (int i = 0; i < 400 && received != kMessage; ++i, ::Sleep(50)) {
        std::ifstream file(output, std::ios::binary);
        received.assign(std::istreambuf_iterator<char>(file), {});
    }
    check(received == kMessage, L"the updater received the message whole", std::to_wstring(received.size()) + L" bytes",
          std::to_wstring(kMessage.size()) + L" bytes");
    std::remove(output.c_str());
    ::SetEnvironmentVariableA("ORVO_UPDATE_STUB_OUTPUT", nullptr);
    check(!orvo_win32::shellOpen(folder + L"\\NoSuchUpdater.exe", L"x"), L"ShellExecuteW of a missing program fails");

    unsigned long code = 12345;
    const bool started = orvo_win32::shellRunHidden(self, L"--sleep-exit 400 7", &code);
    check(started && code == 7,
          L"ShellExecuteExW waits for the exit code", std::to_wstring(code), L"7");
    check(!orvo_win32::shellRunHidden(folder + L"\\NoSuchInstaller.exe", L"/SILENT /VERYSILENT"),
          L"ShellExecuteExW of a missing program fails");
}

void checkProcessSnapshot()
{
    const std::wstring self = orvo_win32::executablePath();
    const std::wstring name = self.substr(self.find_last_of(L'\\') + 1);
    std::wstring upper = name;
    std::transform(name.begin(), name.end(), upper.begin(), ::towupper);
    bool exact = false, otherCase = false;
    for (const orvo_win32::ProcessEntry &entry : orvo_win32::processSnapshot()) {
        exact |= entry.exeName == name && entry.pid == ::GetCurrentProcessId();
        otherCase |= entry.exeName == upper;
    }
    check(exact, L"Toolhelp snapshot names this program exactly: " + name);
    check(!otherCase && upper != name, L"and not in another letter case: " + upper);
}
