#ifndef ORVO_TESTS_FAKEBACKEND_H
#define ORVO_TESTS_FAKEBACKEND_H

#include "platformbackend_p.h"

#include <QHash>

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
        return OrvoKiv::Platform::nativeBackend().shortcutTarget(path);
    }
    QString commonProgramsFolder() const override { return commonPrograms; }
    QList<OrvoKiv::Platform::ProcessInfo> runningProcesses() const override
    {
        return OrvoKiv::Platform::nativeBackend().runningProcesses();
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
