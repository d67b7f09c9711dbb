#include "fakebackend.h"
#include "tsvrows.h"
#include "zrcommonutils.h"

using OrvoKiv::Platform::Conventions;
using OrvoKiv::Platform::ScopedBackendOverride;

namespace {

// The function a row of tests/data/lookups/lookups.tsv names, with its arguments.
QString ask(const QString &function, const QString &a, const QString &b)
{
    using U = ZRCommonUtils;
    if (function == QLatin1String("InstallPath")) return U::getSoftwareRegeditPath(a, b);
    if (function == QLatin1String("ShellPath")) return U::getSoftwareRegeditShellPath(a, b);
    if (function == QLatin1String("CurrentVersion")) return U::getSoftwareRegeditCurrentVersion(a, b);
    if (function == QLatin1String("ExeInstallPath")) return U::getExeInstallPath(a);
    if (function == QLatin1String("Location")) return U::getDunmoreexeInstallPath(a);
    if (function == QLatin1String("DisplayIcon")) return U::getTMBexeInstallPath(a);
    if (function == QLatin1String("KeyDefault")) return U::getWPPSoftIntallPath(a);
    if (function == QLatin1String("Suffix")) return U::checkAppInstallBySuffix(a) ? QStringLiteral("true") : QStringLiteral("false");
    return QStringLiteral("unknown function ") + function;
}

} // namespace

class tst_RegistryLookups : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qputenv("ORVO_REGISTRY", ORVO_TEST_DATA "/lookups/machine.reg"); }
    void lookups_data() { addTsvRows(QStringLiteral("lookups/lookups.tsv"), {"case", "function", "argument 1", "argument 2", "answer"}); }
    void lookups();
    void separatorFollowsPlatform();
    void emptyMachine();
};

void tst_RegistryLookups::lookups()
{
    FakeBackend windows;
    ScopedBackendOverride o(windows);
    QCOMPARE(ask(tsvField("function"), tsvField("argument 1"), tsvField("argument 2")), tsvField("answer"));
}

void tst_RegistryLookups::separatorFollowsPlatform()
{
    FakeBackend linux;
    linux.platformConventions = Conventions::posix();
    ScopedBackendOverride o(linux);
    QCOMPARE(ZRCommonUtils::getExeInstallPath(QStringLiteral("PlainOnly")), QStringLiteral("C:\\Plain\\Only/"));
}

void tst_RegistryLookups::emptyMachine()
{
    qputenv("ORVO_REGISTRY", ORVO_TEST_DATA "/lookups/does-not-exist");
    for (const char *function : {"InstallPath", "ExeInstallPath", "Location", "DisplayIcon", "KeyDefault"})
        QCOMPARE(ask(QLatin1String(function), QStringLiteral("OrvoKiv6"), QStringLiteral("Tesvari")), QString());
    QVERIFY(!ZRCommonUtils::checkAppInstallBySuffix(QStringLiteral(".pptx")));
    qputenv("ORVO_REGISTRY", ORVO_TEST_DATA "/lookups/machine.reg");
}

QTEST_GUILESS_MAIN(tst_RegistryLookups)
#include "tst_registrylookups.moc"
