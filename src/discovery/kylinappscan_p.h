#ifndef ORVO_KYLINAPPSCAN_P_H
#define ORVO_KYLINAPPSCAN_P_H

#include "orvopublicdata_export.h"

#include <QString>

namespace OrvoKiv {

// The folder the Kylin scan copies icons into, ending in "/": the host's "globalUserAppImage"
// property, else the application's own "appImage" folder in its data root (created when an icon
// is copied).
ORVOPUBLICDATA_EXPORT QString kylinAppImageFolder();

} // namespace OrvoKiv

#endif
