#ifndef ORVO_WIN32_SHORTCUT_H
#define ORVO_WIN32_SHORTCUT_H

// Qt-free so it builds with mingw-w64 alone and is tested under Wine.
#include <string>

namespace orvo_win32 {

// The target path stored in a shell shortcut, in native form, as IShellLinkW::GetPath reports
// it (SLGP_UNCPRIORITY; the stored path, whether or not the target still exists). `path` may use
// "/" or "\" and be relative to the current folder. Empty unless `path` ends with ".lnk"
// (case-sensitive) and names a file that loads as a shortcut with a file-system target of at
// most MAX_PATH characters. Callable from any thread: COM is initialised for the duration of the
// call when the thread has not done so, and left as it was otherwise.
std::wstring shortcutTarget(const std::wstring &path);

} // namespace orvo_win32

#endif
