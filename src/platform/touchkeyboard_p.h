#ifndef ORVO_TOUCHKEYBOARD_P_H
#define ORVO_TOUCHKEYBOARD_P_H

#include "platformbackend_p.h"

// The native answers Backend's touch and touch-keyboard defaults give (touchkeyboardbackend.cpp),
// one implementation per platform (touchkeyboard_win.cpp, touchkeyboard_unix.cpp).
namespace OrvoKiv {
namespace Platform {
namespace TouchKeyboard {

TouchMetrics touchMetrics();
bool isWindows7OrEarlier();
void initialiseCom();
quintptr createInputPane();
qint32 paneLocation(quintptr inputPane, QRect *rect);
qint32 createTipInvocation(quintptr *tipInvocation);
void toggle(quintptr tipInvocation);
void release(quintptr object);
bool windowPresent();
void postClose();
bool programFilesFolder(QString *folder);
bool createProcess(const QString &commandLine);

} // namespace TouchKeyboard
} // namespace Platform
} // namespace OrvoKiv

#endif
