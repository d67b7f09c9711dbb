#include "win32_touch.h"

#include <windows.h>

// Older SDK headers lack the touch metrics (Windows 7 and later).
#ifndef SM_DIGITIZER
#define SM_DIGITIZER 94
#endif
#ifndef SM_MAXIMUMTOUCHES
#define SM_MAXIMUMTOUCHES 95
#endif
#ifndef NID_INTEGRATED_TOUCH
#define NID_INTEGRATED_TOUCH 0x01
#endif
#ifndef NID_EXTERNAL_TOUCH
#define NID_EXTERNAL_TOUCH 0x02
#endif

namespace orvo_win32 {

TouchMetrics touchMetrics()
{
    TouchMetrics metrics;
    const int digitizer = ::GetSystemMetrics(SM_DIGITIZER);
    metrics.touchDigitizer = (digitizer & (NID_INTEGRATED_TOUCH | NID_EXTERNAL_TOUCH)) != 0;
    metrics.maximumTouches = ::GetSystemMetrics(SM_MAXIMUMTOUCHES);
    return metrics;
}

} // namespace orvo_win32
