#include "machineidentity_p.h"

#include <zrcommonutils.h>

#include <QSettings>
#include <QtTest>

using OrvoKiv::Desktop::NetworkInterfaceEntry;

Q_DECLARE_METATYPE(QList<NetworkInterfaceEntry>)

namespace {

QStringList s_log;
void captureLog(QtMsgType, const QMessageLogContext &, const QString &message)
{
    s_log.append(message);
}

QSettings privateSettings()
{
    return QSettings(ZRCommonUtils::getPirvateConfigFile(), QSettings::IniFormat);
}

} // namespace

class tst_MachineIdentity : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void hardwareAddress_data();
    void hardwareAddress();
    void storedIdentifier_data();
    void storedIdentifier();
    void createdOnFirstDemand();
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
    const NetworkInterfaceEntry loopBack{"00:00:00:00:00:00", F::IsUp | F::IsRunning | F::IsLoopBack};
    const NetworkInterfaceEntry notRunning{"00:1A:2B:3C:4D:01", F::IsUp};
    const NetworkInterfaceEntry down{"00:1A:2B:3C:4D:02", F::IsRunning};
    const NetworkInterfaceEntry active{"00:1A:2B:3C:4D:5E", F::IsUp | F::IsRunning | F::CanBroadcast};

    QTest::newRow("loop-back first is skipped") << QList<NetworkInterfaceEntry>{loopBack, active, active} << 1;
    QTest::newRow("up but not running is skipped")
        << QList<NetworkInterfaceEntry>{notRunning, down, active, loopBack} << 2;
    QTest::newRow("no active interface") << QList<NetworkInterfaceEntry>{loopBack, notRunning, down} << -1;
}

void tst_MachineIdentity::hardwareAddress()
{
    QFETCH(QList<NetworkInterfaceEntry>, interfaces);
    QFETCH(int, chosen);
    s_log.clear();
    const QtMessageHandler previous = qInstallMessageHandler(captureLog);
    const QString address = OrvoKiv::Desktop::firstActiveHardwareAddress(interfaces);
    qInstallMessageHandler(previous);
    QCOMPARE(address, chosen < 0 ? QString() : interfaces.at(chosen).hardwareAddress);
    QStringList expectedLog;
    for (int i = 0; i < (chosen < 0 ? interfaces.size() : chosen + 1); ++i)
        expectedLog.append(QLatin1Char('"') + interfaces.at(i).hardwareAddress + QLatin1Char('"'));
    QCOMPARE(s_log, expectedLog);
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
    privateSettings().setValue(QStringLiteral("startup/puid"), stored);
    QTEST(ZRCommonUtils::getPcGUID(), "guid");
    QTEST(ZRCommonUtils::getPcUid(), "uid");
    QCOMPARE(privateSettings().value(QStringLiteral("startup/puid")).toString(), stored);
}

void tst_MachineIdentity::createdOnFirstDemand()
{
    QFile::remove(ZRCommonUtils::getPirvateConfigFile());
    const QString uid = ZRCommonUtils::getPcUid();
    const QString stored = privateSettings().value(QStringLiteral("startup/puid")).toString();
    QVERIFY2(QRegularExpression(QStringLiteral("^\\{[0-9a-f]{8}(-[0-9a-f]{4}){3}-[0-9a-f]{12}\\}$"))
                 .match(stored).hasMatch(), qPrintable(stored));
    const QString guid = ZRCommonUtils::getPcGUID();
    QCOMPARE(guid, stored.mid(1, 36).remove(QLatin1Char('-')));
    // The same identifier behind both: the uid is the guid's last six digits, from the end.
    QString digits = guid;
    digits.remove(QRegularExpression(QStringLiteral("[^0-9]")));
    std::reverse(digits.begin(), digits.end());
    QCOMPARE(uid, digits.left(6));
}

QTEST_GUILESS_MAIN(tst_MachineIdentity)
#include "tst_machineidentity.moc"
