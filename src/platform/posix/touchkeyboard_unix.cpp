// Linux has neither the touch keyboard's COM classes nor its window: the answers are those a
// Windows system without them gives. Touch points come from the touch screens Qt knows.
#include "touchkeyboard_p.h"

#include <QTouchDevice>

namespace OrvoKiv {
namespace Platform {
namespace TouchKeyboard {

namespace {
const qint32 kClassNotRegistered = qint32(0x80040154); // REGDB_E_CLASSNOTREG
const qint32 kFail = qint32(0x80004005);               // E_FAIL
} // namespace

TouchMetrics touchMetrics()
{
    TouchMetrics metrics;
    const QList<const QTouchDevice *> devices = QTouchDevice::devices();
    for (const QTouchDevice *device : devices) {
        if (device->type() != QTouchDevice::TouchScreen)
            continue;
        metrics.touchDigitizer = true;
        metrics.maximumTouches = qMax(metrics.maximumTouches, device->maximumTouchPoints());
    }
    return metrics;
}

bool isWindows7OrEarlier()
{
    return false;
}

void initialiseCom() {}

quintptr createInputPane()
{
    return 0;
}

qint32 paneLocation(quintptr, QRect *)
{
    return kFail;
}

qint32 createTipInvocation(quintptr *tipInvocation)
{
    *tipInvocation = 0;
    return kClassNotRegistered;
}

void toggle(quintptr) {}

void release(quintptr) {}

bool windowPresent()
{
    return false;
}

void postClose() {}

bool programFilesFolder(QString *)
{
    return false;
}

bool createProcess(const QString &)
{
    return false;
}

} // namespace TouchKeyboard
} // namespace Platform
} // namespace OrvoKiv
