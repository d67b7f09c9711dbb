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
    const auto row = [](const char *tag, Lookup lookup, const char *expected) {
        QTest::newRow(tag) << lookup << QString::fromUtf8(expected);
    };
    const QString tesvari = QStringLiteral("Tesvari"), kiv = QStringLiteral("OrvoKiv6");
    row("install path gains a backslash", [=] { return U::getSoftwareRegeditPath(kiv, tesvari); },
        "C:\\Program Files (x86)\\Tesvari\\OrvoKiv6\\");
    row("ending in backslash unchanged", [] { return U::getSoftwareRegeditPath(QStringLiteral("KaloBanban"), QStringLiteral("kalo")); }, "D:\\Kalo\\");
    row("ending in slash unchanged", [] { return U::getSoftwareRegeditPath(QStringLiteral("KaloSlash"), QStringLiteral("kalo")); }, "D:/Kalo/Slash/");
    row("application before organisation", [=] { return U::getSoftwareRegeditPath(tesvari, kiv); }, "");
    row("start path", [=] { return U::getSoftwareRegeditShellPath(kiv, tesvari); },
        "C:\\Program Files (x86)\\Tesvari\\OrvoKiv6\\OrvoKiv6.exe");
    row("current version", [=] { return U::getSoftwareRegeditCurrentVersion(kiv, tesvari); }, "6.2.1.305");
    row("32-bit InstPath wins", [] { return U::getExeInstallPath(QString::fromUtf8("OrvoKalo班班")); },
        "C:\\Program Files (x86)\\OrvoKalo班班\\");
    row("plain branch second", [] { return U::getExeInstallPath(QStringLiteral("PlainOnly")); }, "C:\\Plain\\Only\\");
    row("32-bit branch reads InstPath only", [] { return U::getExeInstallPath(QStringLiteral("WrongName")); }, "C:\\Read\\Second\\");
    row("uninstall location, 32-bit first", [] { return U::getDunmoreexeInstallPath(QStringLiteral("Dunmore Class")); }, "C:\\Dunmore\\Class");
    row("empty location", [] { return U::getDunmoreexeInstallPath(QStringLiteral("Tamberly Board")); }, "");
    row("display icon as stored", [] { return U::getTMBexeInstallPath(QStringLiteral("Dunmore Class")); },
        "\"C:\\Dunmore\\Class\\class.exe\",0");
    row("display icon, plain branch", [] { return U::getTMBexeInstallPath(QStringLiteral("Tamberly Board")); }, "C:\\Tamberly\\board.exe,1");
    row("key default value", [] { return U::getWPPSoftIntallPath(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\wps.exe")); },
        "C:\\WPS\\office6\\wps.exe");
    row("missing key", [] { return U::getWPPSoftIntallPath(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Nothing")); }, "");
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
