#include "platformconventions_p.h"

#include <QDir>
#include <QStandardPaths>

namespace OrvoKiv {
namespace Platform {

Conventions Conventions::windows()
{
    Conventions c;
    c.machineDataDir = QStringLiteral("C:\\ProgramData\\Tesvari\\");
    c.executableSuffix = QStringLiteral(".exe");
    c.registrySeparator = QLatin1Char('\\');
    c.windowsPaths = true;
    return c;
}

Conventions Conventions::posix()
{
    Conventions c;
    QString root = qEnvironmentVariable("ORVO_PROGRAMDATA");
    if (root.isEmpty())
        root = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Tesvari");
    if (!root.endsWith(QLatin1Char('/')))
        root += QLatin1Char('/');
    c.machineDataDir = root;
    c.registrySeparator = QLatin1Char('/');
    return c;
}

} // namespace Platform
} // namespace OrvoKiv
