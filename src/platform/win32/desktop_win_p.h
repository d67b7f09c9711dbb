#ifndef ORVO_DESKTOP_WIN_P_H
#define ORVO_DESKTOP_WIN_P_H

#include "platformbackend_p.h"

namespace OrvoKiv {
namespace Platform {
// The desktop questions of the seam over win32_windows.cpp.
namespace Win32Desktop {

QList<TopLevelWindow> topLevelWindows();
ForegroundWindow foregroundWindow();
ProcessImage processImage(qint64 pid);
void setTaskbarState(int appBarState);
bool swapMouseButtons(bool swap);

} // namespace Win32Desktop
} // namespace Platform
} // namespace OrvoKiv

#endif
