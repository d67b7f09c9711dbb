#include "win32_touchkeyboard.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

namespace orvo_win32 {

namespace {

// The touch keyboard's COM identities. Declared here rather than taken from an SDK header:
// mingw-w64 has no ITipInvocation, and IFrameworkInputPane only in recent versions.
const CLSID kClsidFrameworkInputPane =
    {0xD5120AA3, 0x46BA, 0x44C5, {0x82, 0x2D, 0xCA, 0x80, 0x92, 0xC1, 0xFC, 0x72}};
const IID kIidFrameworkInputPane =
    {0x5752238B, 0x24F0, 0x495A, {0x82, 0xF1, 0x2F, 0xD5, 0x93, 0x05, 0x67, 0x96}};
const CLSID kClsidUIHostNoLaunch =
    {0x4CE576FA, 0x83DC, 0x4F88, {0x95, 0x1C, 0x9D, 0x07, 0x82, 0xB4, 0xE3, 0x76}};
const IID kIidTipInvocation =
    {0x37C994E7, 0x432B, 0x4834, {0xA2, 0xF7, 0xDC, 0xE1, 0xF1, 0x3B, 0x83, 0x4B}};

const wchar_t kKeyboardWindowClass[] = L"IPTip_Main_Window";

// The vtable layouts of the two interfaces; only Location and Toggle are called.
struct FrameworkInputPane : IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Advise(IUnknown *window, IUnknown *handler, DWORD *cookie) = 0;
    virtual HRESULT STDMETHODCALLTYPE AdviseWithHWND(HWND window, IUnknown *handler, DWORD *cookie) = 0;
    virtual HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) = 0;
    virtual HRESULT STDMETHODCALLTYPE Location(RECT *inputPaneScreenLocation) = 0;
};

struct TipInvocation : IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Toggle(HWND window) = 0;
};

// Process-wide, as the keyboard start has always used them.
STARTUPINFOW g_startupInfo = {};
PROCESS_INFORMATION g_processInformation = {};

} // namespace

void comInitialise()
{
    (void)::CoInitialize(nullptr);
}

void *createInputPane()
{
    void *pane = nullptr;
    if (FAILED(::CoCreateInstance(kClsidFrameworkInputPane, nullptr, CLSCTX_INPROC_SERVER,
                                  kIidFrameworkInputPane, &pane))) {
        return nullptr;
    }
    return pane;
}

long inputPaneLocation(void *inputPane, long *left, long *top, long *right, long *bottom)
{
    RECT rect = {};
    const HRESULT result = static_cast<FrameworkInputPane *>(inputPane)->Location(&rect);
    if (SUCCEEDED(result)) {
        *left = rect.left;
        *top = rect.top;
        *right = rect.right;
        *bottom = rect.bottom;
    }
    return result;
}

long createTipInvocation(void **tipInvocation)
{
    *tipInvocation = nullptr;
    return ::CoCreateInstance(kClsidUIHostNoLaunch, nullptr,
                              CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, kIidTipInvocation,
                              tipInvocation);
}

void tipToggle(void *tipInvocation)
{
    static_cast<TipInvocation *>(tipInvocation)->Toggle(::GetDesktopWindow());
}

void releaseComObject(void *object)
{
    if (object)
        static_cast<IUnknown *>(object)->Release();
}

bool keyboardWindowPresent()
{
    return ::FindWindowW(kKeyboardWindowClass, nullptr) != nullptr;
}

void postCloseToKeyboardWindow()
{
    if (const HWND window = ::FindWindowW(kKeyboardWindowClass, nullptr))
        ::PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

bool programFilesFolder(std::wstring *folder)
{
    wchar_t buffer[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathW(nullptr, buffer, CSIDL_PROGRAM_FILES, FALSE))
        return false;
    *folder = buffer;
    return true;
}

bool createProcess(const std::wstring &commandLine)
{
    std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());
    writable.push_back(L'\0');
    g_startupInfo.cb = sizeof(g_startupInfo);
    if (!::CreateProcessW(nullptr, writable.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                          &g_startupInfo, &g_processInformation)) {
        return false;
    }
    ::CloseHandle(g_processInformation.hProcess);
    ::CloseHandle(g_processInformation.hThread);
    return true;
}

} // namespace orvo_win32
