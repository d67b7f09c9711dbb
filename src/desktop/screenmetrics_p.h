#ifndef ORVO_SCREENMETRICS_P_H
#define ORVO_SCREENMETRICS_P_H

#include "orvopublicdata_export.h"

namespace OrvoKiv {

// Pixels per millimetre of a w x h screen at logical DPI d (dx, dy per axis), with the mixed
// single/double precision steps hosts have always been given.
ORVOPUBLICDATA_EXPORT float pixelsPerMillimetre(int w, int h, double d, double dx, double dy);

} // namespace OrvoKiv

#endif
