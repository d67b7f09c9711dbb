#include "touchkeyboard_p.h"

#include "win32_touch.h"
#include "win32_touchkeyboard.h"

#include <QOperatingSystemVersion>

namespace OrvoKiv {
namespace Platform {
namespace TouchKeyboard {

TouchMetrics touchMetrics()
{
    const orvo_win32::TouchMetrics metrics = orvo_win32::touchMetrics();
    return {metrics.touchDigitizer, metrics.maximumTouches};
}

bool isWindows7OrEarlier()
{
    // Qt's <= holds only between versions of the same system type.
    return QOperatingSystemVersion::current() <= QOperatingSystemVersion::Windows7;
}

void initialiseCom()
{
    orvo_win32::comInitialise();
}

quintptr createInputPane()
{
    return quintptr(orvo_win32::createInputPane());
}

qint32 paneLocation(quintptr inputPane, QRect *rect)
{
    long left = 0, top = 0, right = 0, bottom = 0;
    const long result = orvo_win32::inputPaneLocation(reinterpret_cast<void *>(inputPane), &left,
                                                      &top, &right, &bottom);
    if (result >= 0) {
        rect->setLeft(int(left));
        rect->setRight(int(right));
        rect->setTop(int(top));
        rect->setBottom(int(bottom));
    }
    return qint32(result);
}

qint32 createTipInvocation(quintptr *tipInvocation)
{
    void *object = nullptr;
    const long result = orvo_win32::createTipInvocation(&object);
    *tipInvocation = quintptr(object);
    return qint32(result);
}

void toggle(quintptr tipInvocation)
{
    orvo_win32::tipToggle(reinterpret_cast<void *>(tipInvocation));
}

void release(quintptr object)
{
    orvo_win32::releaseComObject(reinterpret_cast<void *>(object));
}

bool windowPresent()
{
    return orvo_win32::keyboardWindowPresent();
}

void postClose()
{
    orvo_win32::postCloseToKeyboardWindow();
}

bool programFilesFolder(QString *folder)
{
    std::wstring path;
    if (!orvo_win32::programFilesFolder(&path))
        return false;
    *folder = QString::fromStdWString(path);
    return true;
}

bool createProcess(const QString &commandLine)
{
    return orvo_win32::createProcess(commandLine.toStdWString());
}

} // namespace TouchKeyboard
} // namespace Platform
} // namespace OrvoKiv
