#ifndef ORVO_WIN32_TOUCHKEYBOARD_H
#define ORVO_WIN32_TOUCHKEYBOARD_H

// The Windows touch keyboard (TabTip.exe) and its COM host. Qt-free so it builds with mingw-w64
// alone and is tested under Wine. COM objects are handed out as IUnknown-derived pointers typed
// void *; HRESULTs as long.
#include <string>

namespace orvo_win32 {

// CoInitialize(nullptr) on the calling thread; the result is of no interest.
void comInitialise();

// IFrameworkInputPane of class FrameworkInputPane (in-process server); null on failure.
void *createInputPane();
long inputPaneLocation(void *inputPane, long *left, long *top, long *right, long *bottom);

// ITipInvocation of class UIHostNoLaunch (in-process or local server).
long createTipInvocation(void **tipInvocation);
void tipToggle(void *tipInvocation); // toggles against the desktop window

void releaseComObject(void *object);

// The keyboard's host window, class "IPTip_Main_Window".
bool keyboardWindowPresent();
void postCloseToKeyboardWindow();

// SHGetSpecialFolderPathW(CSIDL_PROGRAM_FILES), never creating it.
bool programFilesFolder(std::wstring *folder);

// CreateProcessW with no application name, the command line as given and inherited handles.
bool createProcess(const std::wstring &commandLine);

} // namespace orvo_win32

#endif
