#include "platformbackend_p.h"

#include <QFile>

namespace OrvoKiv {
namespace Platform {

namespace {

class PosixBackend final : public Backend
{
public:
    Conventions conventions() const override { return Conventions::posix(); }

    QString executablePath() const override
    {
        return QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
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
    static const PosixBackend backend;
    return backend;
}

} // namespace Platform
} // namespace OrvoKiv
