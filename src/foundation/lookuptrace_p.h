#ifndef ORVO_LOOKUPTRACE_P_H
#define ORVO_LOOKUPTRACE_P_H

#include "orvopublicdata_export.h"

#include <QStringList>

namespace OrvoKiv {

// Collects, on the current thread, the questions a computation asks of the machine (registry
// lookups, file tests) and the conclusions it draws, so a technician can see why a program was
// or was not found. Costs one thread-local read when no trace is active.
class ORVOPUBLICDATA_EXPORT LookupTrace
{
public:
    LookupTrace();
    ~LookupTrace();
    LookupTrace(const LookupTrace &) = delete;
    LookupTrace &operator=(const LookupTrace &) = delete;

    QStringList takeLines();

    static bool isActive();
    static void record(const QString &line);

private:
    QStringList m_lines;
    LookupTrace *m_outer;
};

} // namespace OrvoKiv

#endif
