#include "zrcommonutils.h"

#include "platformbackend_p.h"

using OrvoKiv::Platform::backend;

unsigned long ZRCommonUtils::GetProcessIDByName(QString name)
{
    const QList<OrvoKiv::Platform::ProcessInfo> processes = backend().runningProcesses();
    for (const OrvoKiv::Platform::ProcessInfo &process : processes) {
        if (process.name == name)
            return (unsigned long)process.pid;
    }
    return 0;
}

QString ZRCommonUtils::getRunningProcesses()
{
    const OrvoKiv::Platform::Backend &platform = backend();
    const bool windows = platform.conventions().windowsPaths;
    // Whatever was read before a timeout is still the answer.
    const OrvoKiv::Platform::ProcessResult result = platform.runProcess(
        windows ? QStringLiteral("tasklist") : QStringLiteral("ps"),
        windows ? QStringList() : QStringList{QStringLiteral("-e")}, 30000);
    return QString::fromLocal8Bit(result.standardOutput);
}
