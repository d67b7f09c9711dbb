#ifndef ORVO_TESTS_SCRIPTEDBACKEND_H
#define ORVO_TESTS_SCRIPTEDBACKEND_H

#include "fakebackend.h"

// Records every start instead of making it, one line each: "KIND program|arg|...|@cwd ~limit",
// and answers the process list from `processes`.
struct ScriptedBackend : FakeBackend
{
    QList<OrvoKiv::Platform::ProcessInfo> processes;
    bool shellAnswer = true;
    mutable QStringList starts;

    QList<OrvoKiv::Platform::ProcessInfo> runningProcesses() const override { return processes; }
    OrvoKiv::Platform::ProcessResult runProcess(const QString &program, const QStringList &arguments,
                                                int timeoutMs, const QString &cwd) const override
    {
        record(QStringLiteral("run"), program, arguments, cwd, timeoutMs);
        return {};
    }
    bool startDetached(const QString &program, const QStringList &arguments,
                       const QString &cwd) const override
    {
        record(QStringLiteral("detached"), program, arguments, cwd, 0);
        return true;
    }
    bool shellOpen(const QString &file, const QString &parameters) const override
    {
        record(QStringLiteral("open"), file, {parameters}, QString(), 0);
        return shellAnswer;
    }
    bool shellRunHidden(const QString &file, const QString &parameters) const override
    {
        record(QStringLiteral("hidden"), file, {parameters}, QString(), 0);
        return shellAnswer;
    }

private:
    void record(const QString &kind, const QString &program, const QStringList &arguments,
                const QString &cwd, int limit) const
    {
        QString line = kind + QLatin1Char(' ') + QStringList(QStringList{program} + arguments).join(QLatin1Char('|'));
        if (!cwd.isEmpty())
            line += QStringLiteral("|@") + cwd;
        if (limit)
            line += QStringLiteral(" ~") + QString::number(limit);
        starts << line;
    }
};

#endif
