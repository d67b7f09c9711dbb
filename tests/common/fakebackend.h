#ifndef ORVO_TESTS_FAKEBACKEND_H
#define ORVO_TESTS_FAKEBACKEND_H

#include "platformbackend_p.h"

// A backend whose answers a test sets; the registry is delegated to the native one.
struct FakeBackend : OrvoKiv::Platform::Backend
{
    OrvoKiv::Platform::Conventions platformConventions = OrvoKiv::Platform::Conventions::windows();
    QString exePath = QStringLiteral("C:\\Apps\\Suite\\app.exe");
    QString commonPrograms;
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
    QList<OrvoKiv::Platform::ProcessInfo> runningProcesses() const override
    {
        return OrvoKiv::Platform::nativeBackend().runningProcesses();
    }
};

#endif
