#include "processrunner_p.h"

#include <QProcess>

namespace OrvoKiv {
namespace Platform {

ProcessResult runProcess(const QString &program, const QStringList &arguments, int timeoutMs,
                         const QString &workingDirectory)
{
    ProcessResult result;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    // A child's diagnostics are not its answer; they would otherwise fill a pipe nobody reads.
    process.setStandardErrorFile(QProcess::nullDevice());
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(QIODevice::ReadOnly);
    if (!process.waitForStarted(timeoutMs < 0 ? -1 : qMax(timeoutMs, 1)))
        return result;
    result.started = true;
    if (!process.waitForFinished(timeoutMs < 0 ? -1 : timeoutMs)) {
        result.timedOut = true;
        process.kill();
        process.waitForFinished(-1); // reap
    } else if (process.exitStatus() == QProcess::NormalExit) {
        result.exitCode = process.exitCode();
    }
    result.standardOutput = process.readAllStandardOutput();
    return result;
}

bool startDetachedProcess(const QString &program, const QStringList &arguments,
                          const QString &workingDirectory)
{
    return QProcess::startDetached(program, arguments, workingDirectory);
}

} // namespace Platform
} // namespace OrvoKiv
