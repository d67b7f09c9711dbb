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
