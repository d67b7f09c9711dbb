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

// name|appPath|appGroup of each record; checks the shape of every third-group record on the way.
QStringList summaries(const QJsonArray &records)
{
    QStringList texts;
    for (const QJsonValue &record : records) {
        const QJsonObject r = record.toObject();
        const auto text = [&r](const char *key) { return r.value(QLatin1String(key)).toString(); };
        texts << text("name") + QLatin1Char('|') + text("appPath") + QLatin1Char('|') + text("appGroup");
        if (text("appGroup") == QLatin1String("third")) {
            const QJsonObject shape{{QStringLiteral("enName"), text("name")}, {QStringLiteral("name"), text("name")},
                                    {QStringLiteral("appName"), text("name")}, {QStringLiteral("image"), text("appPath")},
                                    {QStringLiteral("params"), text("appPath")}, {QStringLiteral("appPath"), text("appPath")},
                                    {QStringLiteral("regKey"), QString()}, {QStringLiteral("regGroup"), QStringLiteral("third")},
                                    {QStringLiteral("appGroup"), QStringLiteral("third")}, {QStringLiteral("installed"), true}};
            if (r != shape)
                texts << QStringLiteral("malformed third-group record");
        }
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

// Scenarios live in tests/data/scan/scenarios.txt (its header describes the format).
void tst_InstalledScan::scan_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("shortcuts");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QByteArray>("registry");

    QFile file(QStringLiteral(ORVO_TEST_DATA "/scan/scenarios.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList lists[3];
    QByteArray name, registry;
    auto flush = [&] {
        if (!name.isEmpty())
            QTest::newRow(name.constData()) << lists[0] << lists[1] << lists[2] << registry;
        for (QStringList &list : lists)
            list.clear();
        registry.clear();
    };
    const QByteArray prefixes[] = {"file: ", "shortcut: ", "expect: "};
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().chopped(1);
        if (line.startsWith("== ")) {
            flush();
            name = line.mid(3);
            continue;
        }
        if (line.startsWith('#'))
            continue;
        const auto *prefix = std::find_if(std::begin(prefixes), std::end(prefixes), [&](const QByteArray &p) { return line.startsWith(p); });
        if (prefix != std::end(prefixes))
            lists[prefix - prefixes] << QString::fromUtf8(line.mid(prefix->size()));
        else
            registry += line + "\r\n";
    }
    flush();
}

void tst_InstalledScan::scan()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, shortcuts);
    QFETCH(QStringList, expected);
    QFETCH(QByteArray, registry);
    for (const QString &file : files)
        QVERIFY(m_machine.touch(file));
    for (const QString &shortcut : shortcuts) {
        const QString name = shortcut.section(QLatin1Char('='), 0, 0), target = shortcut.section(QLatin1Char('='), 1);
        QVERIFY(ScanMachine::link(m_machine.commonStartMenu(), name + QStringLiteral(".lnk"), m_machine.path(target)));
    }
    QVERIFY(m_machine.setRegistry(registry));

    QCOMPARE(summaries(runScan()), expected.replaceInStrings(QStringLiteral("@ROOT@"), m_machine.root()));
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

QTEST_GUILESS_MAIN(tst_InstalledScan)
#include "tst_installedscan.moc"
