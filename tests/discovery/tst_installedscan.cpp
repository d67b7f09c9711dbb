#include "debuglines.h"
#include "fakebackend.h"
#include "orvoappinfo.h"
#include "scanmachine.h"
#include "zrwinapputils.h"

#include <QJsonArray>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using Links = QMap<QString, QString>;

namespace {

// name|appPath|appGroup of each record; checks the shape of every third-group record on the way.
QStringList summaries(const QJsonArray &records)
{
    QStringList texts;
    for (const QJsonValue &record : records) {
        const QJsonObject r = record.toObject();
        const auto text = [&r](const char *key) { return r.value(QLatin1String(key)).toString(); };
        texts << text("name") + QLatin1Char('|') + text("appPath") + QLatin1Char('|') + text("appGroup");
        const QJsonObject shape{{"enName", text("name")}, {"name", text("name")}, {"appName", text("name")},
                                {"image", text("appPath")}, {"params", text("appPath")}, {"appPath", text("appPath")}, {"regKey", ""},
                                {"regGroup", "third"}, {"appGroup", "third"}, {"installed", true}};
        if (text("appGroup") == QLatin1String("third") && r != shape)
            texts << QStringLiteral("malformed third-group record");
    }
    return texts;
}

} // namespace

// Symbolic links named *.lnk stand in for shortcut files; a dangling one is not listed on Linux,
// so every target here exists.
class tst_InstalledScan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void pinCounterCarriesOver();
    void scan_data();
    void scan();
    void compactionMatchesTheRegularExpression();
    void laterFoldersWin();
    void eachRealFolderOnce_data();
    void eachRealFolderOnce();
    void desktopAtHomeIsNotWalked();
    void quitDuringScanDoesNotCrash();

private:
    QString program(const char *name) const
    {
        const QString path = m_machine.path(QLatin1String(name));
        return m_machine.touch(path) ? path : QString();
    }
    ScanMachine m_machine;
};

void tst_InstalledScan::initTestCase()
{
    QVERIFY(m_machine.setUp());
    qputenv("ORVO_COMMON_PROGRAMS", QFile::encodeName(m_machine.commonStartMenu()));
    // The catalogue the recognisers consult.
    QDir::setSearchPaths(QStringLiteral("envDir"), {QStringLiteral(ORVO_TEST_DATA "/scan/env/")});
    QVERIFY(OrvoAppInfo::getInstance());
    collectDebugLines();
}

void tst_InstalledScan::init()
{
    m_machine.clear();
    debugLines().clear();
}

// The counter lives as long as the process and only "vuri" names move it, so these scans run
// first and in this order; no other scan here pins anything.
void tst_InstalledScan::pinCounterCarriesOver()
{
    QCOMPARE(m_machine.scanShortcuts({"P", "vuri5"}), (QStringList{"vuri5", "P"})); // counter ends at 1
    QCOMPARE(m_machine.scanShortcuts({"A", "B", "C", "D"}), (QStringList{"C", "B", "A", "D"}));
    QCOMPARE(m_machine.scanShortcuts({"A", "Avuri1", "B", "Bvuri2"}), (QStringList{"Bvuri2", "Avuri1", "A", "B"}));
}

// Scenarios live in tests/data/scan/scenarios.txt (its header describes the format).
void tst_InstalledScan::scan_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("shortcuts");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("listedOnce");
    QTest::addColumn<QByteArray>("registry");

    QFile file(QStringLiteral(ORVO_TEST_DATA "/scan/scenarios.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList lists[4];
    QByteArray name, registry;
    auto flush = [&] {
        if (!name.isEmpty())
            QTest::newRow(name.constData()) << lists[0] << lists[1] << lists[2] << lists[3] << registry;
        for (QStringList &list : lists)
            list.clear();
        registry.clear();
    };
    const QByteArray prefixes[] = {"file: ", "shortcut: ", "expect: ", "listed once: "};
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().chopped(1);
        const auto *prefix = std::find_if(std::begin(prefixes), std::end(prefixes), [&](const QByteArray &p) { return line.startsWith(p); });
        if (line.startsWith("== ")) {
            flush();
            name = line.mid(3);
        } else if (prefix != std::end(prefixes)) {
            lists[prefix - prefixes] << QString::fromUtf8(line.mid(prefix->size()));
        } else if (!line.startsWith('#')) {
            registry += line + "\r\n";
        }
    }
    flush();
}

void tst_InstalledScan::scan()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, shortcuts);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, listedOnce);
    QFETCH(QByteArray, registry);
    for (const QString &file : files)
        QVERIFY(m_machine.touch(file));
    for (const QString &shortcut : shortcuts) {
        const QFileInfo at(m_machine.commonStartMenu() + QLatin1Char('/') + shortcut.section(QLatin1Char('='), 0, 0));
        QVERIFY(ScanMachine::link(at.path(), at.fileName(), m_machine.path(shortcut.section(QLatin1Char('='), 1))));
    }
    QVERIFY(m_machine.setRegistry(registry));

    QCOMPARE(summaries(ZRWinAppUtils::appInstallInSystem()), expected.replaceInStrings(QStringLiteral("@ROOT@"), m_machine.root()));
    const QStringList lines = debugLines().filter(QRegularExpression(QStringLiteral("^ZRWinAppUtils::appInstallInSystem")));
    QCOMPARE(lines.size(), 3);
    const char *logged[] = {"appLinks:  QMap(", "appList:  (", "listFinalApps:  ("};
    for (int i = 0; i < 3; ++i)
        QVERIFY2(lines.at(i).startsWith(QLatin1String("ZRWinAppUtils::appInstallInSystem ") + logged[i]), qPrintable(lines.at(i)));
    for (const QString &text : listedOnce)
        QCOMPARE(lines.at(1).count(text), 1);
}

// The scenarios compact names by hand; the scan must remove exactly what "\s" and "." remove.
void tst_InstalledScan::compactionMatchesTheRegularExpression()
{
    const QRegularExpression compacted(QStringLiteral("^[\\s.]$"));
    QList<ushort> characters{'.', '-', 'a', 0x7f, 0x85, 0xa0, 0x1680, 0x2003, 0x2028, 0x3000};
    for (ushort u = 0x01; u <= 0x20; ++u) {
        if (u != 0x0a && u != 0x0d) // a .reg value cannot hold a line break
            characters << u;
    }
    for (const ushort u : qAsConst(characters)) {
        // "AB" as a shortcut makes "A?B" a duplicate exactly when "?" is compacted away.
        const QString c(QChar{u});
        QVERIFY(m_machine.installShortcuts({QStringLiteral("AB")}) && m_machine.touch(QStringLiteral("programs/x.exe")));
        QVERIFY(m_machine.setRegistry("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\K]\r\n\"DisplayName\"=\"A"
                                      + c.toUtf8() + "B\"\r\n\"DisplayIcon\"=\"@ROOT@/programs/x.exe\"\r\n"));
        QVERIFY2((ZRWinAppUtils::appInstallInSystem().size() == 1) == compacted.match(c).hasMatch(), qPrintable(QString::number(u, 16)));
    }
}

void tst_InstalledScan::laterFoldersWin()
{
    const QString a = program("a.exe"), b = program("b.exe"), c = program("c.exe"), d = program("d.exe");
    const QString foo = QStringLiteral("Foo.lnk"), bar = QStringLiteral("Bar.lnk");
    QVERIFY(ScanMachine::link(m_machine.userStartMenu(), foo, a) && ScanMachine::link(m_machine.userDesktop(), foo, b)
            && ScanMachine::link(m_machine.userDesktop(), bar, b) && ScanMachine::link(m_machine.publicDesktop(), bar, c)
            && ScanMachine::link(m_machine.publicDesktop(), foo, c) && ScanMachine::link(m_machine.commonStartMenu(), foo, d));

    QCOMPARE(ZRWinAppUtils::winAppLinks(), (Links{{QStringLiteral("Foo"), d}, {QStringLiteral("Bar"), c}}));
    qunsetenv("ORVO_COMMON_PROGRAMS"); // no all-users folder: simply left out
    QCOMPARE(ZRWinAppUtils::winAppLinks().value(QStringLiteral("Foo")), c);
    qputenv("ORVO_COMMON_PROGRAMS", QFile::encodeName(m_machine.commonStartMenu()));
}

// Each level holds one shortcut named after it and, in "shared", two links to the next level's
// folder beside the folder itself, the last level linking back to the top: walked naively that
// is 3^levels folders and a cycle. Every real folder must be listed once.
void tst_InstalledScan::eachRealFolderOnce_data()
{
    QTest::addColumn<int>("levels");
    QTest::addColumn<bool>("shared");
    QTest::newRow("shared sub-folders and a cycle") << 18 << true;
    // Names short enough for the whole depth to stay within the longest path Linux accepts.
    QTest::newRow("deep") << 1500 << false;
}

void tst_InstalledScan::eachRealFolderOnce()
{
    QFETCH(int, levels);
    QFETCH(bool, shared);
    const QString top = m_machine.commonStartMenu(), x = program("x.exe");
    QString folder = top;
    for (int level = 0; level < levels; ++level) {
        QVERIFY(ScanMachine::link(folder, QStringLiteral("%1.lnk").arg(level), x));
        QVERIFY(QDir(folder).mkdir(QStringLiteral("n")));
        for (const char *alias : {"a", "b"})
            QVERIFY(!shared || QFile::link(folder + QStringLiteral("/n"), folder + QLatin1Char('/') + QLatin1String(alias)));
        folder += QStringLiteral("/n");
    }
    QVERIFY(QFile::link(top, folder + QStringLiteral("/back")));

    FakeBackend counting;
    OrvoKiv::Platform::ScopedBackendOverride o(counting);
    Links links;
    ZRWinAppUtils::allLinkFilesInDir(top, links);
    QCOMPARE(links.size(), levels);
    QCOMPARE(counting.shortcutsResolved, levels);
}

// XDG points a disabled desktop at the home folder, which holds everything else too. Qt reads
// the user's folders only outside test mode.
void tst_InstalledScan::desktopAtHomeIsNotWalked()
{
    QStandardPaths::setTestModeEnabled(false);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_machine.path(QStringLiteral("config"))));
    QVERIFY(QDir().mkpath(m_machine.path(QStringLiteral("config"))));
    QFile dirs(m_machine.path(QStringLiteral("config/user-dirs.dirs")));
    QVERIFY(dirs.open(QIODevice::WriteOnly) && dirs.write("XDG_DESKTOP_DIR=\"$HOME\"\n") > 0);
    dirs.close();
    QVERIFY(ScanMachine::link(m_machine.path(QStringLiteral("Documents")), QStringLiteral("Home.lnk"), program("h.exe")));
    QVERIFY(ScanMachine::link(m_machine.userStartMenu(), QStringLiteral("Menu.lnk"), program("m.exe")));
    const bool desktopAtHome = m_machine.userDesktop() == QDir::homePath();
    const Links links = ZRWinAppUtils::winAppLinks();
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(desktopAtHome);
    QCOMPARE(links.keys(), QStringList{QStringLiteral("Menu")});
}

// Hosts that quit at different moments of their first scan, on a Start menu large enough that
// the scan is still walking when they do. None may crash on its way out, nor leave the scan
// running past the application object.
void tst_InstalledScan::quitDuringScanDoesNotCrash()
{
    const QString target = program("programs/p.exe");
    for (int folder = 0; folder < 100; ++folder) {
        const QString dir = m_machine.commonStartMenu() + QStringLiteral("/f%1").arg(folder);
        QVERIFY(ScanMachine::link(dir, QStringLiteral("P%1.lnk").arg(folder), target));
        for (int sub = 0; sub < 200; ++sub)
            QVERIFY(QDir().mkpath(dir + QStringLiteral("/s%1").arg(sub)));
    }
    QStringList crashes;
    for (int run = 0; run < 20; ++run) {
        QProcess host;
        host.start(QStringLiteral(ORVO_SCAN_QUITTER), {QString::number(run * 10)});
        QVERIFY(host.waitForFinished(60000));
        if (host.exitStatus() != QProcess::NormalExit || host.exitCode() != 0)
            crashes << QStringLiteral("quit after %1 ms: %2").arg(run * 10).arg(host.exitStatus() == QProcess::NormalExit ? host.exitCode() : -1);
    }
    QVERIFY2(crashes.isEmpty(), qPrintable(crashes.join(QStringLiteral(", "))));
}

QTEST_GUILESS_MAIN(tst_InstalledScan)
#include "tst_installedscan.moc"
