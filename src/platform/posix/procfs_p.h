#ifndef ORVO_PROCFS_P_H
#define ORVO_PROCFS_P_H

#include "platformbackend_p.h"

namespace OrvoKiv {
namespace Platform {

// The processes listed under a proc file system root ("/proc"), in ascending id order, each
// with the name it runs under. Exported for the tests, which point it at a crafted tree.
ORVOPUBLICDATA_EXPORT QList<ProcessInfo> procProcesses(const QString &procRoot);

} // namespace Platform
} // namespace OrvoKiv

#endif
