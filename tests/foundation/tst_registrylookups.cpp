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
    void lookups_data()
    {
        addTsvRows(QStringLiteral("lookups/lookups.tsv"), {"case", "registry", "conventions", "function", "argument 1", "argument 2", "answer"});
    }
    void lookups();
};

// The registry is the export file a row names (none.reg does not exist: a machine without one).
void tst_RegistryLookups::lookups()
{
    qputenv("ORVO_REGISTRY", QFile::encodeName(QStringLiteral(ORVO_TEST_DATA "/lookups/") + tsvField("registry")));
    FakeBackend platform;
    platform.platformConventions = tsvField("conventions") == QLatin1String("posix") ? Conventions::posix() : Conventions::windows();
    ScopedBackendOverride o(platform);
    QCOMPARE(ask(tsvField("function"), tsvField("argument 1"), tsvField("argument 2")), tsvField("answer"));
}

QTEST_GUILESS_MAIN(tst_RegistryLookups)
#include "tst_registrylookups.moc"
