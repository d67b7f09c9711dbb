#include "machineidentity_p.h"

#include <zrcommonutils.h>

#include <QSettings>
#include <QtTest>

using OrvoKiv::Desktop::NetworkInterfaceEntry;

Q_DECLARE_METATYPE(QList<NetworkInterfaceEntry>)

namespace {

QVariant puid()
{
    return QSettings(ZRCommonUtils::getPirvateConfigFile(), QSettings::IniFormat).value(QStringLiteral("startup/puid"));
}

} // namespace

class tst_MachineIdentity : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void hardwareAddress_data();
    void hardwareAddress();
    void createdOnFirstDemand();
    void storedIdentifier_data();
    void storedIdentifier();
};

void tst_MachineIdentity::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("Tesvari"));
    QCoreApplication::setApplicationName(QStringLiteral("IdentityTest"));
    QFile::remove(ZRCommonUtils::getPirvateConfigFile());
}

void tst_MachineIdentity::hardwareAddress_data()
{
    QTest::addColumn<QList<NetworkInterfaceEntry>>("interfaces");
    QTest::addColumn<int>("chosen"); // -1: none; every address up to it is logged, in list order

    using F = QNetworkInterface;
    const NetworkInterfaceEntry loopBack{"00:00:00:00:00:00", F::IsUp | F::IsRunning | F::IsLoopBack},
        notRunning{"00:1A:2B:3C:4D:01", F::IsUp}, down{"00:1A:2B:3C:4D:02", F::IsRunning};
    QTest::newRow("loop-back, not running, down skipped")
        << QList<NetworkInterfaceEntry>{loopBack, notRunning, down, {"00:1A:2B:3C:4D:5E", F::IsUp | F::IsRunning},
                                        {"00:1A:2B:3C:4D:5F", F::IsUp | F::IsRunning | F::CanBroadcast}}
        << 3;
    QTest::newRow("no active interface") << QList<NetworkInterfaceEntry>{loopBack, notRunning, down} << -1;
}

void tst_MachineIdentity::hardwareAddress()
{
    QFETCH(QList<NetworkInterfaceEntry>, interfaces);
    QFETCH(int, chosen);
    for (int i = 0; i < (chosen < 0 ? interfaces.size() : chosen + 1); ++i)
        QTest::ignoreMessage(QtDebugMsg, qPrintable(QLatin1Char('"') + interfaces.at(i).hardwareAddress + QLatin1Char('"')));
    QCOMPARE(OrvoKiv::Desktop::firstActiveHardwareAddress(interfaces),
             chosen < 0 ? QString() : interfaces.at(chosen).hardwareAddress);
}

void tst_MachineIdentity::createdOnFirstDemand()
{
    const QString uid = ZRCommonUtils::getPcUid();
    const QString stored = puid().toString();
    QCOMPARE(QUuid(stored).toString(), stored); // a braced identifier, written by the first call
    QCOMPARE(ZRCommonUtils::getPcGUID(), QUuid(stored).toString(QUuid::Id128));
    QCOMPARE(ZRCommonUtils::getPcUid(), uid);
}

void tst_MachineIdentity::storedIdentifier_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("guid");
    QTest::addColumn<QString>("uid");
    QTest::newRow("digits met from the end")
        << "{6f9619ff-8b86-d011-b42d-00c04fc964ff}" << "6f9619ff8b86d011b42d00c04fc964ff" << "469400";
    QTest::newRow("three digits only")
        << "{abcdef1b-cdef-abcd-efab-cdefab2cde3f}" << "abcdef1bcdefabcdefabcdefab2cde3f" << "321";
}

void tst_MachineIdentity::storedIdentifier()
{
    QFETCH(QString, stored);
    QSettings(ZRCommonUtils::getPirvateConfigFile(), QSettings::IniFormat).setValue(QStringLiteral("startup/puid"), stored);
    QTEST(ZRCommonUtils::getPcGUID(), "guid");
    QTEST(ZRCommonUtils::getPcUid(), "uid");
    QCOMPARE(puid().toString(), stored);
}

QTEST_GUILESS_MAIN(tst_MachineIdentity)
#include "tst_machineidentity.moc"
