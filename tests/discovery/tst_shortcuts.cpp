#include "scanmachine.h"
#include "zrwinapputils.h"

#include <QTest>

using Links = QMap<QString, QString>;

class tst_Shortcuts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init() { m_machine.clear(); }

    void laterFoldersWin();
    void wantedShortcuts();
    void folderLinkCycleEnds();
    void missingFolderChangesNothing();
    void handleOffice_data();
    void handleOffice();

private:
    ScanMachine m_machine;
};

void tst_Shortcuts::initTestCase()
{
    // Symbolic links stand in for shortcut files; a dangling one is not listed on Linux, so
    // every target here exists.
    QVERIFY(m_machine.setUp());
    qputenv("ORVO_COMMON_PROGRAMS", QFile::encodeName(m_machine.commonStartMenu()));
}

void tst_Shortcuts::laterFoldersWin()
{
    const QString a = m_machine.path(QStringLiteral("a.exe")), b = m_machine.path(QStringLiteral("b.exe")),
                  c = m_machine.path(QStringLiteral("c.exe")), d = m_machine.path(QStringLiteral("d.exe"));
    for (const QString &target : {a, b, c, d})
        QVERIFY(m_machine.touch(target));
    QVERIFY(ScanMachine::link(m_machine.userStartMenu(), QStringLiteral("Foo.lnk"), a));
    QVERIFY(ScanMachine::link(m_machine.userDesktop(), QStringLiteral("Foo.lnk"), b));
    QVERIFY(ScanMachine::link(m_machine.userDesktop(), QStringLiteral("Bar.lnk"), b));
    QVERIFY(ScanMachine::link(m_machine.publicDesktop(), QStringLiteral("Bar.lnk"), c));
    QVERIFY(ScanMachine::link(m_machine.publicDesktop(), QStringLiteral("Foo.lnk"), c));
    QVERIFY(ScanMachine::link(m_machine.commonStartMenu(), QStringLiteral("Foo.lnk"), d));

    QCOMPARE(ZRWinAppUtils::winAppLinks(), (Links{{QStringLiteral("Foo"), d}, {QStringLiteral("Bar"), c}}));
    qunsetenv("ORVO_COMMON_PROGRAMS"); // no all-users folder: it is simply left out
    QCOMPARE(ZRWinAppUtils::winAppLinks().value(QStringLiteral("Foo")), c);
    qputenv("ORVO_COMMON_PROGRAMS", QFile::encodeName(m_machine.commonStartMenu()));
}

void tst_Shortcuts::wantedShortcuts()
{
    const QString menu = m_machine.commonStartMenu();
    const QString target = m_machine.path(QStringLiteral("x.exe"));
    QVERIFY(m_machine.touch(target));
    QVERIFY(m_machine.touch(QStringLiteral("y.exe")));
    for (const char *name : {"卸载Foo.lnk", "Uninstall Foo.lnk", "FooUninst.lnk", "OrvoKiv6.lnk", "Foo.LNK",
                             ".Hidden.lnk", "Notes.txt", "Nested.lnk"}) {
        QVERIFY(ScanMachine::link(menu, QString::fromUtf8(name), target));
    }
    QVERIFY(ScanMachine::link(menu + QStringLiteral("/Tools/Deeper"), QStringLiteral("Deep.lnk"), target));
    QVERIFY(ScanMachine::link(menu + QStringLiteral("/Tools"), QStringLiteral("Nested.lnk"), m_machine.path(QStringLiteral("y.exe"))));

    Links links;
    ZRWinAppUtils::allLinkFilesInDir(menu, links);
    // Walked in name order, a folder when it is met: the nested "Nested" replaces the top one.
    QCOMPARE(links, (Links{{QStringLiteral("Deep"), target},
                           {QStringLiteral("Nested"), m_machine.path(QStringLiteral("y.exe"))}}));
}

void tst_Shortcuts::folderLinkCycleEnds()
{
    const QString menu = m_machine.commonStartMenu();
    QVERIFY(m_machine.touch(QStringLiteral("i.exe")));
    QVERIFY(ScanMachine::link(menu + QStringLiteral("/Loop"), QStringLiteral("Inner.lnk"), m_machine.path(QStringLiteral("i.exe"))));
    QVERIFY(QFile::link(menu, menu + QStringLiteral("/Loop/back"))); // folder link to an ancestor
    Links links;
    ZRWinAppUtils::allLinkFilesInDir(menu, links);
    QCOMPARE(links.keys(), QStringList{QStringLiteral("Inner")});
}

void tst_Shortcuts::missingFolderChangesNothing()
{
    Links links{{QStringLiteral("Kept"), QStringLiteral("k.exe")}};
    const Links copy = ZRWinAppUtils::allLinkFilesInDir(m_machine.path(QStringLiteral("nowhere")), links);
    QCOMPARE(copy, links);
    QCOMPARE(links.size(), 1);
}

void tst_Shortcuts::handleOffice_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("installed"); // Office executables present at the fixed place
    QTest::addColumn<QStringList>("added");

    const QString office = QStringLiteral("C:/Program Files/Microsoft Office/root/Office16/");
    QTest::newRow("nothing listed, two present")
        << QStringList{QStringLiteral("Foo|C:/Foo/foo.exe")} << QStringList{"EXCEL.EXE", "WINWORD.EXE"}
        << QStringList{"Excel|" + office + "EXCEL.EXE", "Word|" + office + "WINWORD.EXE"};
    QTest::newRow("an Office name anywhere stops it")
        << QStringList{QStringLiteral("Word|C:/Other/winword.exe")} << QStringList{"EXCEL.EXE"} << QStringList();
    QTest::newRow("names match exactly")
        << QStringList{QStringLiteral("Microsoft Word|C:/x.exe"), QStringLiteral("excel|C:/y.exe")}
        << QStringList{"ONENOTE.EXE"} << QStringList{"OneNote|" + office + "ONENOTE.EXE"};
    QTest::newRow("table order, all seven")
        << QStringList()
        << QStringList{"ONENOTE.EXE", "MSPUB.EXE", "WINWORD.EXE", "POWERPNT.EXE", "OUTLOOK.EXE", "EXCEL.EXE", "MSACCESS.EXE"}
        << QStringList{"Access|" + office + "MSACCESS.EXE", "Excel|" + office + "EXCEL.EXE", "Outlook|" + office + "OUTLOOK.EXE",
                       "PowerPoint|" + office + "POWERPNT.EXE", "Word|" + office + "WINWORD.EXE",
                       "Publisher|" + office + "MSPUB.EXE", "OneNote|" + office + "ONENOTE.EXE"};
    QTest::newRow("installed elsewhere") << QStringList() << QStringList() << QStringList();
}

void tst_Shortcuts::handleOffice()
{
    QFETCH(QStringList, entries);
    QFETCH(QStringList, installed);
    QFETCH(QStringList, added);
    for (const QString &exe : installed)
        QVERIFY(m_machine.touch(QStringLiteral("C:/Program Files/Microsoft Office/root/Office16/") + exe));
    QVERIFY(m_machine.touch(QStringLiteral("C:/Program Files/Microsoft Office/Office16/EXCEL.EXE")));

    QStringList list = entries;
    ZRWinAppUtils::handleOffice(list);
    QCOMPARE(list, entries + added);
}

QTEST_GUILESS_MAIN(tst_Shortcuts)
#include "tst_shortcuts.moc"
