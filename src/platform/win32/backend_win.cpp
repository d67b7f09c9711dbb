#include "platformbackend_p.h"

#include "win32_executable.h"

namespace OrvoKiv {
namespace Platform {

namespace {

class WindowsBackend final : public Backend
{
public:
    Conventions conventions() const override { return Conventions::windows(); }

    QString executablePath() const override
    {
        return QString::fromStdWString(orvo_win32::executablePath());
    }

    QString registryValue(const QString &, const QString &, RegistryView) const override
    {
        return QString();
    }

    QStringList registrySubKeys(const QString &, RegistryView) const override
    {
        return QStringList();
    }
};

} // namespace

const Backend &nativeBackend()
{
    static const WindowsBackend backend;
    return backend;
}

} // namespace Platform
} // namespace OrvoKiv
