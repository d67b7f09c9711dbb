#ifndef ORVO_TESTS_FAKEBACKEND_H
#define ORVO_TESTS_FAKEBACKEND_H

#include "platformbackend_p.h"

#include <QHash>
#include <QMap>

#include <optional>

// A backend whose answers a test sets; the registry is delegated to the native one. The desktop
// is scripted: windows, the window in front, process images, and a mouse-button swap setting
// that the backend's calls really change; taskbar states are recorded.
struct FakeBackend : OrvoKiv::Platform::Backend
{
    OrvoKiv::Platform::Conventions platformConventions = OrvoKiv::Platform::Conventions::windows();
    QString exePath = QStringLiteral("C:\\Apps\\Suite\\app.exe");
    QString commonPrograms;
    QList<OrvoKiv::Platform::TopLevelWindow> windows;
    OrvoKiv::Platform::ForegroundWindow foreground;
    QHash<qint64, OrvoKiv::Platform::ProcessImage> images; // missing: cannot be opened
    mutable QList<int> taskbarStates;
    mutable bool buttonsSwapped = false;
    mutable int swapCalls = 0;
    mutable int shortcutsResolved = 0;

    OrvoKiv::Platform::Conventions conventions() const override { return platformConventions; }
    QString executablePath() const override { return exePath; }
    QString registryValue(const QString &key, const QString &name,
                          OrvoKiv::Platform::RegistryView view) const override
    {
        return OrvoKiv::Platform::nativeBackend().registryValue(key, name, view);
    }
    QStringList registrySubKeys(const QString &key, OrvoKiv::Platform::RegistryView view) const override
    {
        return OrvoKiv::Platform::nativeBackend().registrySubKeys(key, view);
    }
    QString shortcutTarget(const QString &path) const override
    {
        ++shortcutsResolved;
        return OrvoKiv::Platform::nativeBackend().shortcutTarget(path);
    }
    QString commonProgramsFolder() const override { return commonPrograms; }

    // Processes: `processes` is the running list when set. Every start is recorded in `calls`
    // ("run PROGRAM|ARG...|~LIMIT", "detached PROGRAM|ARG...|@FOLDER", "shell hidden FILE|ARGS")
    // and answers `processStarts`. A run answers from `runs` by "PROGRAM FIRST-ARGUMENT", else by
    // program; unanswered, it and every other start really happen only while `startsForReal`.
    mutable QStringList calls;
    bool processStarts = true;
    std::optional<QList<OrvoKiv::Platform::ProcessInfo>> processes;
    QMap<QString, OrvoKiv::Platform::ProcessResult> runs;
    bool startsForReal = true;

    QList<OrvoKiv::Platform::ProcessInfo> runningProcesses() const override
    {
        return processes ? *processes : OrvoKiv::Platform::nativeBackend().runningProcesses();
    }
    OrvoKiv::Platform::ProcessResult runProcess(const QString &program, const QStringList &arguments, int limitMs,
                                                const QString &folder) const override
    {
        calls << (QStringList(QStringLiteral("run ") + program) + arguments << QLatin1Char('~') + QString::number(limitMs)).join(QLatin1Char('|'));
        for (const QString &key : {program + QLatin1Char(' ') + arguments.value(0), program}) {
            if (runs.contains(key))
                return runs.value(key);
        }
        return startsForReal ? Backend::runProcess(program, arguments, limitMs, folder) : OrvoKiv::Platform::ProcessResult();
    }
    bool startDetached(const QString &program, const QStringList &arguments, const QString &folder) const override
    {
        calls << (QStringList(QStringLiteral("detached ") + program) + arguments << QLatin1Char('@') + folder).join(QLatin1Char('|'));
        return processStarts && (!startsForReal || Backend::startDetached(program, arguments, folder));
    }
    bool shellRunHidden(const QString &file, const QString &arguments) const override
    {
        calls << QStringLiteral("shell hidden ") + file + QLatin1Char('|') + arguments;
        return processStarts && (!startsForReal || Backend::shellRunHidden(file, arguments));
    }
    QString libraryFilePath() const override { return OrvoKiv::Platform::nativeBackend().libraryFilePath(); }
    bool limitOwnMemory(qint64 bytes) const override { return OrvoKiv::Platform::nativeBackend().limitOwnMemory(bytes); }

    // Touch metrics and the touch keyboard: scripted answers; the keyboard's calls are recorded
    // in `calls` too ("toggle 113", "release 113", ...).
    OrvoKiv::Platform::TouchMetrics touch;
    bool windows7 = false;
    quintptr inputPane = 0;
    qint32 locationResult = 0;
    QRect location;
    qint32 tipResult = 0;
    quintptr tip = 113;
    bool keyboardWindow = false;
    OrvoKiv::Platform::ShellOpenResult shellOpened;
    QString programFiles = QStringLiteral("C:\\Program Files"); // empty: the shell fails

    OrvoKiv::Platform::TouchMetrics touchMetrics() const override { return touch; }
    bool isWindows7OrEarlier() const override { return windows7; }
    void keyboardInitialiseCom() const override { calls << QStringLiteral("CoInitialize"); }
    quintptr keyboardCreateInputPane() const override { return record("create pane", inputPane); }
    qint32 keyboardPaneLocation(quintptr, QRect *rect) const override
    {
        *rect = locationResult < 0 ? *rect : location;
        return record("location", locationResult);
    }
    qint32 keyboardCreateTipInvocation(quintptr *created) const override
    {
        *created = tipResult == 0 ? tip : 0;
        return record("create tip", tipResult);
    }
    void keyboardToggle(quintptr object) const override { calls << QStringLiteral("toggle %1").arg(object); }
    void keyboardRelease(quintptr object) const override { calls << QStringLiteral("release %1").arg(object); }
    bool keyboardWindowPresent() const override { return keyboardWindow; }
    void keyboardPostClose() const override
    {
        if (keyboardWindow)
            calls << QStringLiteral("post close");
    }
    // The parameters follow a '|' when there are any.
    OrvoKiv::Platform::ShellOpenResult shellOpen(const QString &file, const QString &parameters) const override
    {
        return record(QStringLiteral("shell open ") + file + (parameters.isEmpty() ? QString() : QLatin1Char('|') + parameters),
                      shellOpened);
    }
    bool programFilesFolder(QString *folder) const override { return !(*folder = programFiles).isEmpty(); }
    bool createProcess(const QString &commandLine) const override
    {
        return record("create process " + commandLine, processStarts);
    }
    template<typename T>
    T record(const QString &call, T answer) const
    {
        calls << call;
        return answer;
    }

    QList<OrvoKiv::Platform::TopLevelWindow> topLevelWindows() const override { return windows; }
    OrvoKiv::Platform::ForegroundWindow foregroundWindow() const override { return foreground; }
    OrvoKiv::Platform::ProcessImage processImage(qint64 pid) const override { return images.value(pid); }
    void setTaskbarState(int state) const override { taskbarStates.append(state); }
    bool swapMouseButtons(bool swap) const override
    {
        ++swapCalls;
        const bool before = buttonsSwapped;
        buttonsSwapped = swap;
        return before;
    }
};

#endif
