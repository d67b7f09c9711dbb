#include "platformbackend_p.h"

#include <atomic>

namespace OrvoKiv {
namespace Platform {

namespace {
std::atomic<const Backend *> s_override{nullptr};
}

Backend::~Backend() = default;

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
