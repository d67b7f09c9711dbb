#ifndef ORVO_WINDOWS_P_H
#define ORVO_WINDOWS_P_H

#include "platformbackend_p.h"

namespace OrvoKiv {
namespace Desktop {

// Whether the mouse buttons are swapped, as SwapMouseButton(TRUE) reveals it; a swap the call
// made is undone. isSwapMouseButton() runs it once per process.
ORVOPUBLICDATA_EXPORT bool probeMouseButtonSwap(const Platform::Backend &platform);

} // namespace Desktop
} // namespace OrvoKiv

#endif
