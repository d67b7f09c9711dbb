#include "zrcommonutils.h"

#include "orvolog_p.h"
#include "windows_p.h"

#include <mutex>

using namespace OrvoKiv::Platform;

namespace {

// ABM_SETSTATE's lParam.
constexpr int AppBarAutoHide = 1;
constexpr int AppBarAlwaysOnTop = 2;

bool coversScreen(const ForegroundWindow &front)
{
    const WindowRect &w = front.rect;
    const WindowRect &d = front.desktopRect;
    return front.fullScreenState
        || (w.left <= d.left && w.top <= d.top && w.right >= d.right && w.bottom >= d.bottom);
}

} // namespace

HWND ZRCommonUtils::hGetProcessWnd(unsigned long processId)
{
    const QList<TopLevelWindow> windows = backend().topLevelWindows();
    for (const TopLevelWindow &window : windows) {
        if (window.pid == qint64(processId) && window.visible && !window.hasParent)
            return reinterpret_cast<HWND>(window.handle);
    }
    return nullptr;
}

bool ZRCommonUtils::checkFullscreenExist()
{
    const Backend &platform = backend();
    const ForegroundWindow front = platform.foregroundWindow();
    if (front.handle == front.desktop || front.handle == front.shell)
        return false;
    if (!coversScreen(front))
        return front.zoomed;

    // Screen-covering: only the suite's own main application does not count.
    const ProcessImage image = platform.processImage(front.pid);
    if (image.status != ProcessImage::Found)
        return true;
    orvoDebug() << "ZRCloudUtils::checkFullscreenExist-file: " << image.path;
    return !image.path.endsWith(QStringLiteral("OrvoKiv6") + platform.conventions().executableSuffix);
}

void ZRCommonUtils::autoHideTraywndBar(bool hide)
{
    backend().setTaskbarState(hide ? AppBarAutoHide : AppBarAlwaysOnTop);
}

bool OrvoKiv::Desktop::probeMouseButtonSwap(const Backend &platform)
{
    const bool swappedBefore = platform.swapMouseButtons(true);
    if (!swappedBefore)
        platform.swapMouseButtons(false);
    return swappedBefore;
}

bool ZRCommonUtils::isSwapMouseButton()
{
    static std::once_flag once;
    static bool swapped = false;
    std::call_once(once, [] { swapped = OrvoKiv::Desktop::probeMouseButtonSwap(backend()); });
    return swapped;
}
