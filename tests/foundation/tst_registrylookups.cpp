#include "fakebackend.h"
#include "zrcommonutils.h"

#include <QTest>

#include <functional>

using OrvoKiv::Platform::Conventions;
using OrvoKiv::Platform::ScopedBackendOverride;
using Lookup = std::function<QString()>;
Q_DECLARE_METATYPE(Lookup)

class tst_RegistryLookups : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void lookups_data();
    void lookups();
    void separatorFollowsPlatform();
    void suffixHandlers_data();
    void suffixHandlers();
    void emptyMachine();
};

void tst_RegistryLookups::initTestCase()
{
    qputenv("ORVO_REGISTRY", ORVO_TEST_DATA "/lookups/machine.reg");
}

void tst_RegistryLookups::lookups_data()
{
    QTest::addColumn<Lookup>("lookup");
    QTest::addColumn<QString>("expected");

    using U = ZRCommonUtils;
    const QString kalo = QString::fromUtf8("OrvoKalo班班");
    QTest::newRow("install path gains a backslash")
        << Lookup([] { return U::getSoftwareRegeditPath(QStringLiteral("OrvoKiv6"), QStringLiteral("Tesvari")); })
        << "C:\\Program Files (x86)\\Tesvari\\OrvoKiv6\\";
    QTest::newRow("install path ending in backslash unchanged")
        << Lookup([] { return U::getSoftwareRegeditPath(QStringLiteral("KaloBanban"), QStringLiteral("kalo")); })
        << "D:\\Kalo\\";
    QTest::newRow("install path ending in slash unchanged")
        << Lookup([] { return U::getSoftwareRegeditPath(QStringLiteral("KaloSlash"), QStringLiteral("kalo")); })
        << "D:/Kalo/Slash/";
    QTest::newRow("application and organisation not swapped")
        << Lookup([] { return U::getSoftwareRegeditPath(QStringLiteral("Tesvari"), QStringLiteral("OrvoKiv6")); })
        << "";
    QTest::newRow("start path")
        << Lookup([] { return U::getSoftwareRegeditShellPath(QStringLiteral("OrvoKiv6"), QStringLiteral("Tesvari")); })
        << "C:\\Program Files (x86)\\Tesvari\\OrvoKiv6\\OrvoKiv6.exe";
    QTest::newRow("current version")
        << Lookup([] { return U::getSoftwareRegeditCurrentVersion(QStringLiteral("OrvoKiv6"), QStringLiteral("Tesvari")); })
        << "6.2.1.305";
    QTest::newRow("exe path: 32-bit InstPath wins")
        << Lookup([kalo] { return U::getExeInstallPath(kalo); })
        << QString::fromUtf8("C:\\Program Files (x86)\\OrvoKalo班班\\");
    QTest::newRow("exe path: plain branch second")
        << Lookup([] { return U::getExeInstallPath(QStringLiteral("PlainOnly")); })
        << "C:\\Plain\\Only\\";
    QTest::newRow("exe path: 32-bit branch reads InstPath only")
        << Lookup([] { return U::getExeInstallPath(QStringLiteral("WrongName")); })
        << "C:\\Read\\Second\\";
    QTest::newRow("uninstall location: 32-bit first")
        << Lookup([] { return U::getDunmoreexeInstallPath(QStringLiteral("Dunmore Class")); })
        << "C:\\Dunmore\\Class";
    QTest::newRow("uninstall location: empty value")
        << Lookup([] { return U::getDunmoreexeInstallPath(QStringLiteral("Tamberly Board")); })
        << "";
    QTest::newRow("display icon kept as stored")
        << Lookup([] { return U::getTMBexeInstallPath(QStringLiteral("Dunmore Class")); })
        << "\"C:\\Dunmore\\Class\\class.exe\",0";
    QTest::newRow("display icon: plain branch")
        << Lookup([] { return U::getTMBexeInstallPath(QStringLiteral("Tamberly Board")); })
        << "C:\\Tamberly\\board.exe,1";
    QTest::newRow("key default value")
        << Lookup([] { return U::getWPPSoftIntallPath(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\wps.exe")); })
        << "C:\\WPS\\office6\\wps.exe";
    QTest::newRow("missing key")
        << Lookup([] { return U::getWPPSoftIntallPath(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Nothing")); })
        << "";
}

void tst_RegistryLookups::lookups()
{
    QFETCH(Lookup, lookup);
    QFETCH(QString, expected);
    FakeBackend windows;
    ScopedBackendOverride o(windows);
    QCOMPARE(lookup(), expected);
}

void tst_RegistryLookups::separatorFollowsPlatform()
{
    FakeBackend linux;
    linux.platformConventions = Conventions::posix();
    ScopedBackendOverride o(linux);
    QCOMPARE(ZRCommonUtils::getExeInstallPath(QStringLiteral("PlainOnly")), QStringLiteral("C:\\Plain\\Only/"));
}

void tst_RegistryLookups::suffixHandlers_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<bool>("installed");

    QTest::newRow("handler with icon") << ".pptx" << true;
    QTest::newRow("handler without DefaultIcon") << ".odp" << false;
    QTest::newRow("empty icon") << ".kiv" << false;
    QTest::newRow("unregistered") << ".xyz" << false;
    QTest::newRow("without dot") << "pptx" << false;
}

void tst_RegistryLookups::suffixHandlers()
{
    QFETCH(QString, suffix);
    QFETCH(bool, installed);
    QCOMPARE(ZRCommonUtils::checkAppInstallBySuffix(suffix), installed);
}

void tst_RegistryLookups::emptyMachine()
{
    qputenv("ORVO_REGISTRY", ORVO_TEST_DATA "/lookups/does-not-exist");
    QVERIFY(ZRCommonUtils::getSoftwareRegeditPath(QStringLiteral("OrvoKiv6"), QStringLiteral("Tesvari")).isEmpty());
    QVERIFY(ZRCommonUtils::getExeInstallPath(QStringLiteral("PlainOnly")).isEmpty());
    QVERIFY(ZRCommonUtils::getTMBexeInstallPath(QStringLiteral("Tamberly Board")).isEmpty());
    QVERIFY(!ZRCommonUtils::checkAppInstallBySuffix(QStringLiteral(".pptx")));
    qputenv("ORVO_REGISTRY", ORVO_TEST_DATA "/lookups/machine.reg");
}

QTEST_GUILESS_MAIN(tst_RegistryLookups)
#include "tst_registrylookups.moc"
