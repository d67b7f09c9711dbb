#ifndef ORVO_DESKTOP_UNIX_P_H
#define ORVO_DESKTOP_UNIX_P_H

#include "platformbackend_p.h"

namespace OrvoKiv {
namespace Platform {
// The desktop questions of the seam on Linux: the window manager's EWMH properties on the root
// window and the pointer mapping of the X11 display in $DISPLAY, read only; /proc for a
// process's executable. Without an X11 display the answers are empty.
namespace PosixDesktop {

QList<TopLevelWindow> topLevelWindows();
ForegroundWindow foregroundWindow();
ProcessImage processImage(qint64 pid);
// Never changes the mapping: answers whether physical button 1 acts as button 3.
bool mouseButtonsSwapped();

} // namespace PosixDesktop
} // namespace Platform
} // namespace OrvoKiv

#endif
