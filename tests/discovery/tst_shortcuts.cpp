#include "fakebackend.h"
#include "scanmachine.h"
#include "zrwinapputils.h"

#include <QTest>

using Links = QMap<QString, QString>;

// Symbolic links named *.lnk stand in for shortcut files; a dangling one is not listed on Linux,
// so every target here exists.
class tst_Shortcuts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init() { m_machine.clear(); }
    void laterFoldersWin();
    void wantedShortcutsAndCycles();
    void eachRealFolderOnce_data();
    void eachRealFolderOnce();
    void desktopAtHomeIsNotWalked();
    void handleOffice_data();
    void handleOffice();

private:
    QString program(const char *name) const
    {
        const QString path = m_machine.path(QLatin1String(name));
        return m_machine.touch(path) ? path : QString();
    }
    ScanMachine m_machine;
};

void tst_Shortcuts::initTestCase()
{
    QVERIFY(m_machine.setUp());
    qputenv("ORVO_COMMON_PROGRAMS", QFile::encodeName(m_machine.commonStartMenu()));
}

void tst_Shortcuts::laterFoldersWin()
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

void tst_Shortcuts::wantedShortcutsAndCycles()
{
    const QString menu = m_machine.commonStartMenu(), x = program("x.exe"), y = program("y.exe");
    for (const char *name : {"卸载Foo.lnk", "Uninstall Foo.lnk", "FooUninst.lnk", "OrvoKiv6.lnk", "Foo.LNK", ".Hidden.lnk",
                             "Notes.txt", "Nested.lnk"})
        QVERIFY(ScanMachine::link(menu, QString::fromUtf8(name), x));
    QVERIFY(ScanMachine::link(menu + QStringLiteral("/Tools/Deeper"), QStringLiteral("Deep.lnk"), x));
    QVERIFY(ScanMachine::link(menu + QStringLiteral("/Tools"), QStringLiteral("Nested.lnk"), y));
    QVERIFY(QFile::link(menu, menu + QStringLiteral("/Tools/back"))); // a folder link to an ancestor

    Links links{{QStringLiteral("Kept"), QStringLiteral("k.exe")}};
    QCOMPARE(ZRWinAppUtils::allLinkFilesInDir(m_machine.path(QStringLiteral("nowhere")), links), links);
    ZRWinAppUtils::allLinkFilesInDir(menu, links);
    // Name order, ignoring case, a folder walked when met: the nested "Nested" comes last and wins.
    QCOMPARE(links, (Links{{QStringLiteral("Kept"), QStringLiteral("k.exe")}, {QStringLiteral("Deep"), x}, {QStringLiteral("Nested"), y}}));
}

// Each level holds one shortcut named after it and, in "shared", two links to the next level's
// folder beside the folder itself, the last level linking back to the top: walked naively that
// is 3^levels folders and a cycle. Every real folder must be listed once.
void tst_Shortcuts::eachRealFolderOnce_data()
{
    QTest::addColumn<int>("levels");
    QTest::addColumn<bool>("shared");
    QTest::newRow("shared sub-folders and a cycle") << 18 << true;
    // Names short enough for the whole depth to stay within the longest path Linux accepts.
    QTest::newRow("deep") << 1500 << false;
}

void tst_Shortcuts::eachRealFolderOnce()
{
    QFETCH(int, levels);
    QFETCH(bool, shared);
    const QString top = m_machine.commonStartMenu(), x = program("x.exe");
    QString folder = top;
    for (int level = 0; level < levels; ++level) {
        QVERIFY(ScanMachine::link(folder, QStringLiteral("%1.lnk").arg(level), x));
        QVERIFY(QDir(folder).mkdir(QStringLiteral("n")));
        if (shared) {
            QVERIFY(QFile::link(folder + QStringLiteral("/n"), folder + QStringLiteral("/a")));
            QVERIFY(QFile::link(folder + QStringLiteral("/n"), folder + QStringLiteral("/b")));
        }
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
void tst_Shortcuts::desktopAtHomeIsNotWalked()
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

void tst_Shortcuts::handleOffice_data()
{
    QTest::addColumn<QString>("listed");    // names already in the list
    QTest::addColumn<QString>("installed"); // executables at the click-to-run place
    QTest::addColumn<QString>("added");

    QTest::newRow("none listed") << "Foo" << "WINWORD ONENOTE EXCEL MSACCESS MSPUB POWERPNT OUTLOOK"
                                 << "Access:MSACCESS Excel:EXCEL Outlook:OUTLOOK PowerPoint:POWERPNT Word:WINWORD Publisher:MSPUB OneNote:ONENOTE";
    QTest::newRow("an Office name stops it") << "Foo Word" << "EXCEL" << "";
    QTest::newRow("names match exactly") << "Microsoft_Word excel" << "ONENOTE" << "OneNote:ONENOTE";
    QTest::newRow("installed elsewhere") << "" << "" << "";
}

void tst_Shortcuts::handleOffice()
{
    QFETCH(QString, listed);
    QFETCH(QString, installed);
    QFETCH(QString, added);
    const QString office = QStringLiteral("C:/Program Files/Microsoft Office/root/Office16/");
    for (const QString &exe : installed.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        QVERIFY(m_machine.touch(office + exe + QStringLiteral(".EXE")));
    QVERIFY(m_machine.touch(QStringLiteral("C:/Program Files/Microsoft Office/Office16/EXCEL.EXE")));
    QStringList list, expected;
    for (const QString &name : listed.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        list << QString(name).replace(QLatin1Char('_'), QLatin1Char(' ')) + QStringLiteral("|C:/Other/x.exe");
    expected = list;
    for (const QString &pair : added.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        expected << pair.section(QLatin1Char(':'), 0, 0) + QLatin1Char('|') + office + pair.section(QLatin1Char(':'), 1) + QStringLiteral(".EXE");

    ZRWinAppUtils::handleOffice(list);
    QCOMPARE(list, expected);
}

QTEST_GUILESS_MAIN(tst_Shortcuts)
#include "tst_shortcuts.moc"
