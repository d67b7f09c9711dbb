#include "orvoappinfo.h"
#include "scanmachine.h"
#include "zrwinapputils.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <QTest>

namespace {

QStringList s_debugLines;
QtMessageHandler s_previousHandler = nullptr;

void captureDebug(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtDebugMsg && message.startsWith(QLatin1String("ZRWinAppUtils::appInstallInSystem")))
        s_debugLines << message;
    else if (s_previousHandler)
        s_previousHandler(type, context, message);
}

// One uninstall sub-key as regedit exports it.
QByteArray key(const char *subKey, const char *values, const char *hive = "HKEY_LOCAL_MACHINE\\SOFTWARE")
{
    return QByteArray("[") + hive + "\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + subKey + "]\r\n" + values + "\r\n\r\n";
}

QByteArray key32(const char *subKey, const char *values)
{
    return key(subKey, values, "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node");
}

QStringList namesAndPaths(const QJsonArray &records)
{
    QStringList texts;
    for (const QJsonValue &record : records) {
        const QJsonObject r = record.toObject();
        texts << r.value(QLatin1String("name")).toString() + QLatin1Char('|') + r.value(QLatin1String("appPath")).toString();
    }
    return texts;
}

} // namespace

class tst_InstalledScan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void scan_data();
    void scan();
    void registryListHasNoExactDuplicates();
    void compactionMatchesTheRegularExpression();
    void recordsAndRecognisers();

private:
    QJsonArray runScan();
    ScanMachine m_machine;
};

void tst_InstalledScan::initTestCase()
{
    QVERIFY(m_machine.setUp());
    qputenv("ORVO_COMMON_PROGRAMS", QFile::encodeName(m_machine.commonStartMenu()));
    // The catalogue the recognisers consult.
    QVERIFY(m_machine.touch(QStringLiteral("env/defconfigs/orvoApps.ini")));
    QFile catalogue(m_machine.path(QStringLiteral("env/defconfigs/orvoApps.ini")));
    QVERIFY(catalogue.open(QIODevice::WriteOnly));
    catalogue.write("[commonApp]\n1=OrvoKiv6|Orvo白板|k.png|OrvoKiv6.exe||OrvoKiv6|Tesvari\n"
                    "2=Eval|课堂评价|e.png|eval.exe||Eval|Tesvari\n");
    catalogue.close();
    QDir::setSearchPaths(QStringLiteral("envDir"), {m_machine.path(QStringLiteral("env/"))});
    QVERIFY(OrvoAppInfo::getInstance());
    s_previousHandler = qInstallMessageHandler(captureDebug);
}

void tst_InstalledScan::cleanupTestCase()
{
    qInstallMessageHandler(s_previousHandler);
}

void tst_InstalledScan::init()
{
    m_machine.clear();
    s_debugLines.clear();
}

QJsonArray tst_InstalledScan::runScan()
{
    const QJsonArray result = ZRWinAppUtils::appInstallInSystem();
    if (s_debugLines.size() != 3)
        qWarning("expected three debug lines, got %d", int(s_debugLines.size()));
    return result;
}

void tst_InstalledScan::scan_data()
{
    QTest::addColumn<QByteArray>("registry");
    QTest::addColumn<QStringList>("shortcuts"); // "name=target", target relative to the machine
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("expected");  // name|path in result order; @ROOT@ = the machine

    const QString p = QStringLiteral("@ROOT@/programs/");
    QTest::newRow("nothing installed") << QByteArray() << QStringList() << QStringList() << QStringList();
    QTest::newRow("quoted icon with index")
        << key("Foo", R"("DisplayName"="Foo")" "\r\n" R"("DisplayIcon"="\"@ROOT@/programs/foo.exe\",0")")
        << QStringList() << QStringList{"programs/foo.exe"} << QStringList{"Foo|" + p + "foo.exe"};
    QTest::newRow("icon file is not a program")
        << key("Foo", R"("DisplayName"="Foo")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/foo.ico")")
        << QStringList() << QStringList{"programs/foo.ico"} << QStringList();
    QTest::newRow("missing even after the comma cut")
        << key("Foo", R"("DisplayName"="Foo")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/gone.exe,0")")
        << QStringList() << QStringList() << QStringList();
    QTest::newRow("empty icon")
        << key("Foo", R"("DisplayName"="Foo")") << QStringList() << QStringList() << QStringList();
    QTest::newRow("quote inside the path is kept")
        << key("Weird", R"("DisplayName"="Weird")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/we\"ird.exe")")
        << QStringList() << QStringList{"programs/we\"ird.exe"} << QStringList{"Weird|" + p + "we\"ird.exe"};
    QTest::newRow("backslashes become slashes")
        << key("Back", R"("DisplayName"="Back")" "\r\n" R"("DisplayIcon"="@ROOT@/programs\\back.EXE")")
        << QStringList() << QStringList{"programs\\back.EXE"} << QStringList{"Back|" + p + "back.EXE"};
    QTest::newRow("components, updates and nameless keys")
        << key("A", R"("DisplayName"="Comp")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/a.exe")" "\r\n" R"("SystemComponent"=dword:00000001)")
               + key("B", R"("DisplayName"="Update")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/a.exe")" "\r\n" R"("ParentKeyName"="A")")
               + key("C", R"("DisplayName"="Patch")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/a.exe")" "\r\n" R"("ParentDisplayName"="A")")
               + key("D", R"("DisplayIcon"="@ROOT@/programs/a.exe")")
               + key("E", R"("DisplayName"="Kept")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/a.exe")" "\r\n" R"("SystemComponent"=dword:00000000)")
        << QStringList() << QStringList{"programs/a.exe"} << QStringList{"Kept|" + p + "a.exe"};
    QTest::newRow("same name, other icon in the 32-bit view")
        << key("Foo", R"("DisplayName"="Foo")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/foo64.exe")")
               + key32("Foo", R"("DisplayName"="Foo")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/foo32.exe")")
        << QStringList() << QStringList{"programs/foo64.exe", "programs/foo32.exe"} << QStringList{"Foo|" + p + "foo64.exe"};
    QTest::newRow("current user's programs")
        << key("Mine", R"("DisplayName"="Mine")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/mine.exe")", "HKEY_CURRENT_USER\\SOFTWARE")
        << QStringList() << QStringList{"programs/mine.exe"} << QStringList{"Mine|" + p + "mine.exe"};
    QTest::newRow("Edge is not a Microsoft exclusion")
        << key("Edge", R"("DisplayName"="Microsoft Edge")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/msedge.exe,0")")
        << QStringList{"Microsoft Teams=programs/teams.exe"} << QStringList{"programs/msedge.exe", "programs/teams.exe"}
        << QStringList{"Microsoft Edge|" + p + "msedge.exe"};
    QTest::newRow("excluded words and paths")
        << key("1", R"("DisplayName"="Qt Creator")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/a.exe")")
               + key("2", R"("DisplayName"="Git")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/a.exe")")
               + key("3", R"("DisplayName"="Visual Developer")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/a.exe")")
               + key("4", R"("DisplayName"="Defender")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/a.exe")")
               + key("5", R"("DisplayName"="Realtek Audio")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/a.exe")")
               + key("6", R"("DisplayName"="ODBC Driver")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/a.exe")")
               + key("7", R"("DisplayName"="Speech Runtime")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/a.exe")")
               + key("8", R"("DisplayName"="LAV Filters")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/a.exe")")
               + key("9", R"("DisplayName"="Console")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/cmd.exe")")
               + key("10", R"("DisplayName"="Shell")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/powershell.exe")")
        << QStringList{"PowerShell 7=programs/pwsh.exe", "Pen=programs/OrvoAnnotation/pen.exe", "Git Bash=programs/bash.exe"}
        << QStringList{"programs/a.exe", "programs/cmd.exe", "programs/powershell.exe", "programs/pwsh.exe",
                       "programs/OrvoAnnotation/pen.exe", "programs/bash.exe"}
        << QStringList();
    QTest::newRow("shortcuts of the suite's driver and dual-teacher class")
        << QByteArray() << QStringList{"Orvo驱动程序=programs/drv.exe", "Orvo双师课堂=programs/dual.exe", "Readme=programs/readme.txt"}
        << QStringList{"programs/drv.exe", "programs/dual.exe", "programs/readme.txt"} << QStringList();
    QTest::newRow("registry name contains a shortcut's name")
        << key("P", R"("DisplayName"="Foo Player 2.0")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/other.exe")")
        << QStringList{"Foo Player=programs/player.exe"} << QStringList{"programs/player.exe", "programs/other.exe"}
        << QStringList{"Foo Player|" + p + "player.exe"};
    QTest::newRow("registry path contains a shortcut's target")
        << key("P", R"("DisplayName"="Another")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/zed.exe,1")")
        << QStringList{"Zed=programs/zed.exe"} << QStringList{"programs/zed.exe"} << QStringList{"Zed|" + p + "zed.exe"};
    QTest::newRow("an empty compacted name swallows what follows")
        << key("A", R"("DisplayName"=". ")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/a.exe")")
               + key("B", R"("DisplayName"="Beta")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/b.exe")")
        << QStringList() << QStringList{"programs/a.exe", "programs/b.exe"} << QStringList{". |" + p + "a.exe"};
    QTest::newRow("the suite's programs only through shortcuts")
        << key("O", R"("DisplayName"="OrvoTool")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/tool.exe")")
               + key("T", R"("DisplayName"="Tool")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/Orvo/t.exe")")
        << QStringList{"OrvoTool=programs/tool.exe"} << QStringList{"programs/tool.exe", "programs/Orvo/t.exe"}
        << QStringList{"OrvoTool|" + p + "tool.exe"};
    QTest::newRow("Office supplement")
        << QByteArray() << QStringList() << QStringList{"C:/Program Files/Microsoft Office/root/Office16/EXCEL.EXE"}
        << QStringList{"Excel|C:/Program Files/Microsoft Office/root/Office16/EXCEL.EXE"};
    QTest::newRow("Chinese collation")
        << QByteArray() << QStringList{"中文课堂=programs/z.exe", "白板=programs/b.exe", "阿里=programs/a.exe", "Zeta=programs/x.exe"}
        << QStringList{"programs/z.exe", "programs/b.exe", "programs/a.exe", "programs/x.exe"}
        << QStringList{"阿里|" + p + "a.exe", "白板|" + p + "b.exe", "中文课堂|" + p + "z.exe", "Zeta|" + p + "x.exe"};
}

void tst_InstalledScan::scan()
{
    QFETCH(QByteArray, registry);
    QFETCH(QStringList, shortcuts);
    QFETCH(QStringList, files);
    QFETCH(QStringList, expected);
    for (const QString &file : files)
        QVERIFY(m_machine.touch(file));
    for (const QString &shortcut : shortcuts) {
        const QString name = shortcut.section(QLatin1Char('='), 0, 0), target = shortcut.section(QLatin1Char('='), 1);
        QVERIFY(ScanMachine::link(m_machine.commonStartMenu(), name + QStringLiteral(".lnk"), m_machine.path(target)));
    }
    QVERIFY(m_machine.setRegistry(registry));

    QCOMPARE(namesAndPaths(runScan()), expected.replaceInStrings(QStringLiteral("@ROOT@"), m_machine.root()));
    QCOMPARE(s_debugLines.size(), 3);
}

void tst_InstalledScan::registryListHasNoExactDuplicates()
{
    QVERIFY(m_machine.touch(QStringLiteral("programs/foo.exe")));
    const char *values = R"("DisplayName"="Foo")" "\r\n" R"("DisplayIcon"="@ROOT@/programs/foo.exe")";
    QVERIFY(m_machine.setRegistry(key("Foo", values) + key32("Foo", values) + key("Bar", values)));
    QCOMPARE(runScan().size(), 1);
    QCOMPARE(s_debugLines.size(), 3);
    QVERIFY(s_debugLines.at(0).startsWith(QLatin1String("ZRWinAppUtils::appInstallInSystem appLinks:  QMap(")));
    const QString appList = s_debugLines.at(1);
    QVERIFY2(appList.startsWith(QLatin1String("ZRWinAppUtils::appInstallInSystem appList:  (")), qPrintable(appList));
    QCOMPARE(appList.count(QStringLiteral("Foo|")), 1);
    QVERIFY(s_debugLines.at(2).startsWith(QLatin1String("ZRWinAppUtils::appInstallInSystem listFinalApps:  (")));
}

// The duplicate test compacts names by hand; it must remove what "\s" and "." remove.
void tst_InstalledScan::compactionMatchesTheRegularExpression()
{
    const QRegularExpression space(QStringLiteral("\\s"));
    // ASCII controls and space, and the Unicode spaces a name may carry.
    QList<ushort> characters{'.', '-', 'a', 0x7f, 0x85, 0xa0, 0x1680, 0x2003, 0x2028, 0x3000};
    for (ushort u = 0x01; u <= 0x20; ++u) {
        if (u != 0x0a && u != 0x0d) // a .reg value cannot hold a line break
            characters << u;
    }
    for (const ushort u : qAsConst(characters)) {
        const QString c(QChar{u});
        const bool removedByRegex = space.match(c).hasMatch() || c == QLatin1String(".");
        // "AB" as a shortcut makes "A?B" a duplicate exactly when "?" is compacted away.
        m_machine.clear();
        QVERIFY(m_machine.touch(QStringLiteral("programs/ab.exe")));
        QVERIFY(m_machine.touch(QStringLiteral("programs/x.exe")));
        QVERIFY(ScanMachine::link(m_machine.commonStartMenu(), QStringLiteral("AB.lnk"), m_machine.path(QStringLiteral("programs/ab.exe"))));
        const QByteArray name = (QStringLiteral("A") + c + QStringLiteral("B")).toUtf8();
        QVERIFY(m_machine.setRegistry(key("K", ("\"DisplayName\"=\"" + name + "\"\r\n\"DisplayIcon\"=\"@ROOT@/programs/x.exe\"").constData())));
        QVERIFY2((runScan().size() == 1) == removedByRegex, qPrintable(QString::number(u, 16)));
    }
}

void tst_InstalledScan::recordsAndRecognisers()
{
    QVERIFY(m_machine.touch(QStringLiteral("kalo/eval/ClassEvaluationPro.exe")));
    QVERIFY(m_machine.touch(QStringLiteral("programs/eval.exe")));
    QVERIFY(m_machine.touch(QStringLiteral("programs/board.exe")));
    QVERIFY(m_machine.touch(QStringLiteral("Tesvari/OrvoDemoShell.exe")));
    QVERIFY(m_machine.touch(QStringLiteral("programs/other.exe")));
    QVERIFY(m_machine.setRegistry(
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\kalo\\ClassEvaluationPro]\r\n\"InstPath\"=\"@ROOT@/kalo/eval\"\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tesvari\\OrvoDemo]\r\n\"StartShellPath\"=\"@ROOT@/Tesvari/OrvoDemoShell.exe\"\r\n\r\n"));
    const QString menu = m_machine.commonStartMenu();
    QVERIFY(ScanMachine::link(menu, QString::fromUtf8("课堂评价.lnk"), m_machine.path(QStringLiteral("kalo/eval/ClassEvaluationPro.exe"))));
    QVERIFY(ScanMachine::link(menu, QString::fromUtf8("Orvo白板.lnk"), m_machine.path(QStringLiteral("programs/board.exe"))));
    QVERIFY(ScanMachine::link(menu, QStringLiteral("Demo.lnk"), m_machine.path(QStringLiteral("Tesvari/OrvoDemoShell.exe"))));
    QVERIFY(ScanMachine::link(menu, QStringLiteral("Other.lnk"), m_machine.path(QStringLiteral("programs/other.exe"))));

    QMap<QString, QJsonObject> byName;
    for (const QJsonValue &record : runScan())
        byName.insert(record.toObject().value(QLatin1String("name")).toString(), record.toObject());
    QCOMPARE(byName.size(), 4);

    // The old class-evaluation program wins over the catalogue entry of the same name.
    const QJsonObject eval = byName.value(QString::fromUtf8("课堂评价"));
    QCOMPARE(eval.value(QLatin1String("appGroup")).toString(), QStringLiteral("third-orvo"));
    QCOMPARE(eval.value(QLatin1String("appPath")).toString(), m_machine.path(QStringLiteral("kalo/eval/ClassEvaluationPro.exe")));
    // A catalogue record comes back as the catalogue made it.
    QCOMPARE(byName.value(QString::fromUtf8("Orvo白板")).value(QLatin1String("appGroup")).toString(), QStringLiteral("Tesvari"));
    QCOMPARE(byName.value(QStringLiteral("Demo")).value(QLatin1String("regKey")).toString(), QStringLiteral("OrvoDemo"));

    const QString other = m_machine.path(QStringLiteral("programs/other.exe"));
    QCOMPARE(byName.value(QStringLiteral("Other")),
             (QJsonObject{{QStringLiteral("enName"), QStringLiteral("Other")}, {QStringLiteral("name"), QStringLiteral("Other")},
                          {QStringLiteral("appName"), QStringLiteral("Other")}, {QStringLiteral("image"), other},
                          {QStringLiteral("params"), other}, {QStringLiteral("appPath"), other},
                          {QStringLiteral("regKey"), QString()}, {QStringLiteral("regGroup"), QStringLiteral("third")},
                          {QStringLiteral("appGroup"), QStringLiteral("third")}, {QStringLiteral("installed"), true}}));
}

QTEST_GUILESS_MAIN(tst_InstalledScan)
#include "tst_installedscan.moc"
