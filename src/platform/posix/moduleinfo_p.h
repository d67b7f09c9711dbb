#ifndef ORVO_MODULEINFO_P_H
#define ORVO_MODULEINFO_P_H

#include <QString>

namespace OrvoKiv {
namespace Platform {

// The shared object this code is part of, as the dynamic loader mapped it.
QString sharedObjectPath();

// RLIMIT_AS for the calling process; false when the kernel refuses it.
bool limitAddressSpace(qint64 bytes);

} // namespace Platform
} // namespace OrvoKiv

#endif
