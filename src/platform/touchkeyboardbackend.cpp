// Backend's touch and touch-keyboard questions answered natively, on either platform.
#include "touchkeyboard_p.h"

namespace OrvoKiv {
namespace Platform {

TouchMetrics Backend::touchMetrics() const { return TouchKeyboard::touchMetrics(); }
bool Backend::isWindows7OrEarlier() const { return TouchKeyboard::isWindows7OrEarlier(); }
void Backend::keyboardInitialiseCom() const { TouchKeyboard::initialiseCom(); }
quintptr Backend::keyboardCreateInputPane() const { return TouchKeyboard::createInputPane(); }

qint32 Backend::keyboardPaneLocation(quintptr inputPane, QRect *rect) const
{
    return TouchKeyboard::paneLocation(inputPane, rect);
}

qint32 Backend::keyboardCreateTipInvocation(quintptr *tipInvocation) const
{
    return TouchKeyboard::createTipInvocation(tipInvocation);
}

void Backend::keyboardToggle(quintptr tipInvocation) const { TouchKeyboard::toggle(tipInvocation); }
void Backend::keyboardRelease(quintptr object) const { TouchKeyboard::release(object); }
bool Backend::keyboardWindowPresent() const { return TouchKeyboard::windowPresent(); }
void Backend::keyboardPostClose() const { TouchKeyboard::postClose(); }

bool Backend::programFilesFolder(QString *folder) const
{
    return TouchKeyboard::programFilesFolder(folder);
}

bool Backend::createProcess(const QString &commandLine) const
{
    return TouchKeyboard::createProcess(commandLine);
}

} // namespace Platform
} // namespace OrvoKiv
