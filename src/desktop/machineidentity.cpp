#include "zrcommonutils.h"

#include "machineidentity_p.h"
#include "orvolog_p.h"
#include "zriniconfiguremanager.h"

#include <QRegularExpression>
#include <QUuid>

namespace {

// The stored identifier, created and stored on first demand. The manager writes it when it is
// released, at the end of this call; nothing is cached, so a file that cannot be written gives
// a new identifier every time.
QString machineIdentifier()
{
    ZRIniConfigureManager settings(ZRCommonUtils::getPirvateConfigFile());
    const QString group = QStringLiteral("startup"), key = QStringLiteral("puid");
    QString identifier = settings.getValue(group, key, QString());
    if (identifier.isEmpty()) {
        identifier = QUuid::createUuid().toString();
        settings.setValue(group, key, identifier);
    }
    return identifier;
}

} // namespace

QString OrvoKiv::Desktop::firstActiveHardwareAddress(const QList<NetworkInterfaceEntry> &interfaces)
{
    const QNetworkInterface::InterfaceFlags wanted =
        QNetworkInterface::IsUp | QNetworkInterface::IsRunning;
    for (const NetworkInterfaceEntry &entry : interfaces) {
        orvoDebug() << entry.hardwareAddress;
        if ((entry.flags & wanted) == wanted && !entry.flags.testFlag(QNetworkInterface::IsLoopBack))
            return entry.hardwareAddress;
    }
    return QString();
}

QString ZRCommonUtils::getHostMacAddress()
{
    QList<OrvoKiv::Desktop::NetworkInterfaceEntry> entries;
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &network : interfaces)
        entries.append({network.hardwareAddress(), network.flags()});
    return OrvoKiv::Desktop::firstActiveHardwareAddress(entries);
}

QString ZRCommonUtils::getPcGUID()
{
    return machineIdentifier().remove(QRegularExpression(QStringLiteral("[{\\-}]")));
}

QString ZRCommonUtils::getPcUid()
{
    const QString identifier = machineIdentifier();
    QString digits;
    for (int i = identifier.size() - 1; i >= 0 && digits.size() < 6; --i) {
        const QChar c = identifier.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits.append(c);
    }
    return digits;
}
