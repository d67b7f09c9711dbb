#include "platformbackend_p.h"

#include <atomic>

namespace OrvoKiv {
namespace Platform {

namespace {
std::atomic<const Backend *> s_override{nullptr};
}

Backend::~Backend() = default;

QStringList Backend::registryValues(const QString &keyPath, const QStringList &valueNames,
                                    RegistryView view) const
{
    QStringList result;
    result.reserve(valueNames.size());
    for (const QString &name : valueNames)
        result.append(registryValue(keyPath, name, view));
    return result;
}

ProcessResult Backend::runProcess(const QString &program, const QStringList &arguments,
                                  int timeoutMs, const QString &workingDirectory) const
{
    return Platform::runProcess(program, arguments, timeoutMs, workingDirectory);
}

bool Backend::startDetached(const QString &program, const QStringList &arguments,
                            const QString &workingDirectory) const
{
    return startDetachedProcess(program, arguments, workingDirectory);
}

bool Backend::shellOpen(const QString &file, const QString &parameters) const
{
    return startDetached(file, {parameters});
}

bool Backend::shellRunHidden(const QString &file, const QString &parameters) const
{
    return runProcess(file, parameters.split(QLatin1Char(' '), Qt::SkipEmptyParts), -1).started;
}

const Backend &backend()
{
    const Backend *b = s_override.load(std::memory_order_acquire);
    return b ? *b : nativeBackend();
}

ScopedBackendOverride::ScopedBackendOverride(const Backend &replacement)
    : m_previous(s_override.exchange(&replacement, std::memory_order_acq_rel))
{
}

ScopedBackendOverride::~ScopedBackendOverride()
{
    s_override.store(m_previous, std::memory_order_release);
}

} // namespace Platform
} // namespace OrvoKiv
