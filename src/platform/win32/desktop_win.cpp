#include "desktop_win_p.h"

#include "win32_windows.h"

namespace OrvoKiv {
namespace Platform {
namespace Win32Desktop {

namespace {

WindowRect toRect(const orvo_win32::Rect &rect)
{
    return WindowRect{int(rect.left), int(rect.top), int(rect.right), int(rect.bottom)};
}

} // namespace

QList<TopLevelWindow> topLevelWindows()
{
    QList<TopLevelWindow> result;
    for (const orvo_win32::WindowEntry &entry : orvo_win32::topLevelWindows())
        result.append({quintptr(entry.handle), qint64(entry.pid), entry.visible, entry.hasParent});
    return result;
}

ForegroundWindow foregroundWindow()
{
    const orvo_win32::Foreground front = orvo_win32::foregroundWindow();
    ForegroundWindow result;
    result.handle = quintptr(front.handle);
    result.desktop = quintptr(front.desktop);
    result.shell = quintptr(front.shell);
    result.rect = toRect(front.rect);
    result.desktopRect = toRect(front.desktopRect);
    result.zoomed = front.zoomed;
    result.pid = qint64(front.pid);
    return result;
}

ProcessImage processImage(qint64 pid)
{
    std::wstring path;
    ProcessImage result;
    switch (orvo_win32::processImagePath((unsigned long)pid, path)) {
    case orvo_win32::ImageStatus::Found:
        result.status = ProcessImage::Found;
        break;
    case orvo_win32::ImageStatus::NoPath:
        result.status = ProcessImage::NoPath;
        break;
    case orvo_win32::ImageStatus::CannotOpen:
        result.status = ProcessImage::CannotOpen;
        break;
    }
    result.path = QString::fromStdWString(path);
    return result;
}

void setTaskbarState(int appBarState)
{
    orvo_win32::setTaskbarState((unsigned int)appBarState);
}

bool swapMouseButtons(bool swap)
{
    return orvo_win32::swapMouseButtons(swap);
}

} // namespace Win32Desktop
} // namespace Platform
} // namespace OrvoKiv
