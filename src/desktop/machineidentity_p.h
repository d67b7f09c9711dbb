#ifndef ORVO_MACHINEIDENTITY_P_H
#define ORVO_MACHINEIDENTITY_P_H

#include "orvopublicdata_export.h"

#include <QList>
#include <QNetworkInterface>
#include <QString>

namespace OrvoKiv {
namespace Desktop {

// What the address choice reads of one interface; tests make these up.
struct NetworkInterfaceEntry
{
    QString hardwareAddress;
    QNetworkInterface::InterfaceFlags flags;
};

// The address of the first interface that is up and running and not the loop-back, or "";
// every address looked at is logged.
ORVOPUBLICDATA_EXPORT QString firstActiveHardwareAddress(const QList<NetworkInterfaceEntry> &interfaces);

} // namespace Desktop
} // namespace OrvoKiv

#endif
