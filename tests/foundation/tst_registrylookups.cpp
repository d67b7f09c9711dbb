#include "fakebackend.h"
#include "zrcommonutils.h"

#include <QFile>
#include <QTest>

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
    void lookups_data();
    void lookups();
    void separatorFollowsPlatform();
    void emptyMachine();
};

void tst_RegistryLookups::lookups_data()
{
    QTest::addColumn<QStringList>("row");
    QFile file(QStringLiteral(ORVO_TEST_DATA "/lookups/lookups.tsv"));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).chopped(1);
        if (!line.startsWith(QLatin1Char('#')))
            QTest::newRow(qPrintable(line.section(QLatin1Char('\t'), 0, 0))) << line.split(QLatin1Char('\t'));
    }
}

void tst_RegistryLookups::lookups()
{
    QFETCH(QStringList, row);
    QCOMPARE(row.size(), 5);
    FakeBackend windows;
    ScopedBackendOverride o(windows);
    QCOMPARE(ask(row.at(1), row.at(2), row.at(3)), row.at(4) == QLatin1String("-") ? QString() : row.at(4));
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
