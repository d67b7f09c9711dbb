// Shell starts and the process snapshot, as the update check and the local web server use them:
// the substitute updater (OrvoSoftwareUpdate.exe, built beside this program) started with
// ShellExecuteW must receive its Base64 argument whole; ShellExecuteExW must wait for the
// program's exit code; the snapshot must name this program exactly as its file is named.

#include "win32_checks.h"
#include "win32_executable.h"
#include "win32_processes.h"
#include "win32_shell.h"

#include <windows.h>
#include <wincrypt.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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

// As Qt's toBase64() writes it: standard alphabet, padded, on one line.
std::wstring base64(const std::string &bytes)
{
    const auto *data = reinterpret_cast<const BYTE *>(bytes.data());
    const DWORD flags = CRYPT_STRING_BASE64 | CRYPT_STRING_NOCRLF;
    DWORD size = 0;
    ::CryptBinaryToStringW(data, DWORD(bytes.size()), flags, nullptr, &size);
    std::wstring text(size, L'\0');
    ::CryptBinaryToStringW(data, DWORD(bytes.size()), flags, &text[0], &size);
    text.resize(size);
    return text;
}

} // namespace

void checkShellStarts()
{
    const std::wstring self = orvo_win32::executablePath();
    // The library names the updater with Qt's forward slashes.
    std::wstring updater = self.substr(0, self.find_last_of(L'\\')) + L"\\OrvoSoftwareUpdate.exe";
    std::replace(updater.begin(), updater.end(), L'\\', L'/');
    const std::string output = (std::filesystem::temp_directory_path()
                                / ("orvo-updater-" + std::to_string(::GetCurrentProcessId()) + ".json")).string();
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

    unsigned long code = 12345;
    const bool started = orvo_win32::shellRunHidden(self, L"--exit-later 7", &code);
    check(started && code == 7,
          L"ShellExecuteExW waits for the exit code", std::to_wstring(code), L"7");
    check(!orvo_win32::shellRunHidden(L"C:\\nowhere\\NoSuchInstaller.exe", L"/SILENT /VERYSILENT"),
          L"ShellExecuteExW of a missing program fails");
}

void checkProcessSnapshot()
{
    const std::wstring name = L"" ORVO_TEST_EXE_NAME;
    const std::vector<orvo_win32::ProcessEntry> snapshot = orvo_win32::processSnapshot();
    check(std::any_of(snapshot.begin(), snapshot.end(), [&](const orvo_win32::ProcessEntry &entry) {
              return entry.exeName == name && entry.pid == ::GetCurrentProcessId();
          }), L"Toolhelp snapshot names this program exactly: " + name);
}
