#ifndef ORVO_PROBEEXPLAINER_P_H
#define ORVO_PROBEEXPLAINER_P_H

#include "orvopublicdata_export.h"

#include <QString>

namespace OrvoKiv {
namespace Files {

// Lets the command-line host show why the availability probe answered as it did. Not part of
// the interface that host applications use.
struct ORVOPUBLICDATA_EXPORT ProbeExplanation
{
    bool available = false;
    int expected = 0;  // the type the extension names
    int type = -1;     // the type compared with it; -1 when the probe stopped before comparing
    bool formatsRead = false;
    QString general, video, audio;
    QString incident;  // what happened to the probe helper, if anything
    QString reason;    // the step that decided, in words

    // Runs ZRKivFileInfo(path).isAvailable() and records its way.
    static ProbeExplanation explain(const QString &path);

    // The explanation being recorded on this thread, if any.
    static ProbeExplanation *current();
};

} // namespace Files
} // namespace OrvoKiv

#endif
