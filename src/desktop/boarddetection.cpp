#include "platformbackend_p.h"
#include "zrcommonutils.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QVariant>

namespace {

using GetBoardInfo = int (*)(int *, int *, int);

const char kPenSwitchProperty[] = "IsSupportPenSwitch";

void setPenSwitch(bool supported)
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->setProperty(kPenSwitchProperty, supported);
}

} // namespace

bool ZRCommonUtils::isOrvoScreen()
{
    // The board library stays loaded for the rest of the process, so the loader is never freed.
    auto *library = new QLibrary(QStringLiteral("Tevdev/tev_api"));
    auto getBoardInfo = reinterpret_cast<GetBoardInfo>(library->resolve("TEVAPI_GetBoardInfo"));
    if (!library->isLoaded() || !getBoardInfo) {
        if (!library->load())
            return false;
        getBoardInfo = reinterpret_cast<GetBoardInfo>(library->resolve("TEVAPI_GetBoardInfo"));
    }
    setPenSwitch(true);
    if (!getBoardInfo)
        return false;
    int first = 0;
    int second = 0;
    if (getBoardInfo(&first, &second, 0) != 0)
        return false;
    if (second == -1)
        setPenSwitch(false);
    return true;
}

bool ZRCommonUtils::isRunHardwareScreen()
{
    if (isOrvoScreen())
        return true;
    const OrvoKiv::Platform::TouchMetrics touch = OrvoKiv::Platform::backend().touchMetrics();
    if (!touch.touchDigitizer)
        return false;
    const quint8 touches = quint8(touch.maximumTouches);
    return touches >= 6 && touches <= 254;
}
