#ifndef ORVO_PROCESSRUNNER_P_H
#define ORVO_PROCESSRUNNER_P_H

#include "orvopublicdata_export.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace OrvoKiv {
namespace Platform {

// What a child started with runProcess() gave back.
struct ProcessResult
{
    bool started = false;  // false: the program could not be started at all
    bool timedOut = false; // outlived its limit: killed and reaped
    int exitCode = -1;     // meaningful only for a normal exit
    QByteArray standardOutput;

    bool succeeded() const { return started && !timedOut && exitCode == 0; }
};

// Starts `program` with `arguments` as separate arguments (no shell, no splitting at blanks),
// waits up to `timeoutMs` (negative: no limit) and collects its standard output. A child that
// outlives the limit is killed and waited for, so none is left behind.
ORVOPUBLICDATA_EXPORT ProcessResult runProcess(const QString &program, const QStringList &arguments,
                                               int timeoutMs,
                                               const QString &workingDirectory = QString());

// Starts `program` and does not wait for it; true when it started.
ORVOPUBLICDATA_EXPORT bool startDetachedProcess(const QString &program, const QStringList &arguments,
                                                const QString &workingDirectory = QString());

} // namespace Platform
} // namespace OrvoKiv

#endif
