// Shell starts and the process snapshot, as the update check and the local web server use them:
// the substitute updater (OrvoSoftwareUpdate.exe, built beside this program) started with
// ShellExecuteW must receive its Base64 argument whole; ShellExecuteExW must wait for the
// program's end; the snapshot must name this program exactly as its file is named.

#include "win32_checks.h"
#include "win32_executable.h"
#include "win32_processes.h"
#include "win32_shell.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string base64(const std::string &bytes)
{
    static const char alphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        unsigned long group = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size())
            group |= static_cast<unsigned char>(bytes[i + 2]);
        text += alphabet[group >> 18 & 63];
        text += alphabet[group >> 12 & 63];
        text += i + 1 < bytes.size() ? alphabet[group >> 6 & 63] : '=';
        text += i + 2 < bytes.size() ? alphabet[group & 63] : '=';
    }
    return text;
}

std::wstring widen(const std::string &ascii)
{
    return std::wstring(ascii.begin(), ascii.end());
}

std::string readFile(const std::wstring &path)
{
    std::string bytes;
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    ::CloseHandle(file);
    return bytes;
}

std::wstring folderOf(const std::wstring &path)
{
    return path.substr(0, path.find_last_of(L'\\'));
}

// A message as the library sends it: indented JSON, UTF-8 (a Chinese folder), "style" as text.
std::string updateMessage(bool autoUpdate)
{
    const char *colours[][2] = {{"defaultColor", "#1F71FF"}, {"hoverColor", "#1F71FF"},
                                {"disableColor", "#333333"}, {"btnDefaultColor", "#1F71FF"},
                                {"btnHoverColor", "#1F71FF"}, {"btnDisableColor", "#1F71FF"}};
    std::string json = "{\n    \"eventid\": \"ID_ORVOENTRANCE_UPDATE_CMD\",\n"
                       "    \"from\": \"ID_PC_ORVOENTRANCE\",\n    \"property\": {\n"
                       "        \"appname\": \"OrvoKiv6\",\n"
                       "        \"apppath\": \"C:/Program Files/\xE6\x95\x99\xE5\xAD\xA6/OrvoKiv6\",\n"
                       "        \"autoupdate\": ";
    json += autoUpdate ? "true" : "false";
    json += ",\n        \"backPicPath\": \"C:/x/Environment/images/update_back_pic.png\",\n"
            "        \"colorType\": \"2\",\n";
    for (const auto &colour : colours)
        json += std::string("        \"") + colour[0] + "\": \"" + colour[1] + "\",\n";
    json += "        \"language\": \"zh_CN\",\n        \"regeditversion\": \"\",\n"
            "        \"style\": \"3\",\n        \"versionInfoFilePath\": \"C:/x/version.ini\"\n"
            "    },\n    \"scenario\": \"ID_SCENARIO_UNKNOW\"\n}\n";
    return json;
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
    // The library names the updater with Qt's forward slashes.
    std::wstring updater = folderOf(self) + L"\\OrvoSoftwareUpdate.exe";
    for (wchar_t &c : updater)
        c = c == L'\\' ? L'/' : c;

    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring output = std::wstring(temp) + L"orvo-updater-" + std::to_wstring(::GetCurrentProcessId()) + L".json";
    ::DeleteFileW(output.c_str());
    ::SetEnvironmentVariableW(L"ORVO_UPDATE_STUB_OUTPUT", output.c_str());

    const std::string message = updateMessage(true);
    const std::wstring argument = widen(base64(message));
    check(orvo_win32::shellOpen(updater, argument), L"ShellExecuteW starts the updater", updater);
    // Not waited for: the updater writes its file some time later.
    std::string received;
    for (int i = 0; i < 400 && (received = readFile(output)).empty(); ++i)
        ::Sleep(50);
    check(received == message, L"the updater received the message whole",
          widen(std::to_string(received.size())) + L" bytes", widen(std::to_string(message.size())) + L" bytes");
    ::DeleteFileW(output.c_str());
    check(!orvo_win32::shellOpen(folderOf(self) + L"\\NoSuchUpdater.exe", argument),
          L"ShellExecuteW of a missing program fails");

    // ShellExecuteExW: the exit code of a program that ends later, and the updater's verdict on
    // good and malformed messages.
    struct Run
    {
        std::wstring file, parameters;
        bool started;
        unsigned long exitCode;
        DWORD atLeastMs;
    };
    std::string wrongType = updateMessage(false);
    wrongType.replace(wrongType.find("\"style\": \"3\""), 12, "\"style\": 3");
    const std::vector<Run> runs = {
        {self, L"--sleep-exit 400 7", true, 7, 350},
        {updater, argument, true, 0, 0},
        {updater, widen(base64(wrongType)), true, 1, 0},
        {updater, L"not-base64!", true, 1, 0},
        {folderOf(self) + L"\\NoSuchInstaller.exe", L"/SILENT /VERYSILENT", false, 0, 0},
    };
    ::SetEnvironmentVariableW(L"ORVO_UPDATE_STUB_OUTPUT", output.c_str());
    for (const Run &run : runs) {
        unsigned long code = 12345;
        const DWORD before = ::GetTickCount();
        const bool started = orvo_win32::shellRunHidden(run.file, run.parameters, &code);
        const DWORD took = ::GetTickCount() - before;
        const std::wstring what = L"ShellExecuteExW waits: " + run.file.substr(run.file.find_last_of(L"\\/") + 1)
            + L' ' + run.parameters.substr(0, 24) + L" -> exit " + std::to_wstring(run.exitCode);
        check(started == run.started && (!started || (code == run.exitCode && took >= run.atLeastMs)), what,
              std::to_wstring(started) + L" exit " + std::to_wstring(code) + L" after " + std::to_wstring(took) + L" ms",
              std::to_wstring(run.started) + L" exit " + std::to_wstring(run.exitCode));
    }
    ::DeleteFileW(output.c_str());
    ::SetEnvironmentVariableW(L"ORVO_UPDATE_STUB_OUTPUT", nullptr);
}

void checkProcessSnapshot()
{
    const std::wstring self = orvo_win32::executablePath();
    const std::wstring name = self.substr(self.find_last_of(L'\\') + 1);
    std::wstring upper = name;
    for (wchar_t &c : upper)
        c = c >= L'a' && c <= L'z' ? wchar_t(c - L'a' + L'A') : c;

    // A second instance, so two entries carry the name.
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION child = {};
    std::wstring commandLine = L'"' + self + L"\" --sleep-exit 5000 0";
    const bool childStarted = ::CreateProcessW(self.c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                                               CREATE_NO_WINDOW, nullptr, nullptr, &startup, &child);
    check(childStarted, L"second instance started");

    std::vector<unsigned long> exact, otherCase;
    for (const orvo_win32::ProcessEntry &entry : orvo_win32::processSnapshot()) {
        if (entry.exeName == name)
            exact.push_back(entry.pid);
        if (entry.exeName == upper)
            otherCase.push_back(entry.pid);
    }
    bool hasSelf = false, hasChild = false;
    for (unsigned long pid : exact) {
        hasSelf |= pid == ::GetCurrentProcessId();
        hasChild |= childStarted && pid == child.dwProcessId;
    }
    check(hasSelf && (hasChild || !childStarted) && exact.size() >= (childStarted ? 2u : 1u),
          L"Toolhelp snapshot names this program exactly: " + name, std::to_wstring(exact.size()) + L" entries");
    check(otherCase.empty() && upper != name, L"and not in another letter case: " + upper);

    if (childStarted) {
        ::TerminateProcess(child.hProcess, 0);
        ::WaitForSingleObject(child.hProcess, 5000);
        ::CloseHandle(child.hThread);
        ::CloseHandle(child.hProcess);
    }
}
