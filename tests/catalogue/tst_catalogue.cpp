#include "classroom.h"
#include "orvoappinfo.h"

#include <QJsonDocument>
#include <QTest>

namespace {

// Test rows write records as JSON with @ROOT@ for the classroom folder.
QJsonObject json(const QString &text, const QString &root)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QString(text).replace(QLatin1String("@ROOT@"), root).toUtf8(), &error);
    if (error.error != QJsonParseError::NoError)
        qFatal("bad test row: %s", qPrintable(text));
    return doc.object();
}

QString entryKey(const QJsonObject &r)
{
    return r.value(QLatin1String("enName")).toString() + QLatin1Char('|') + r.value(QLatin1String("name")).toString()
        + QLatin1Char('|') + r.value(QLatin1String("appName")).toString();
}

} // namespace

class tst_Catalogue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void analyze_data();
    void analyze();
    void lastAnalysisWins();
    void installPath_data();
    void installPath();
    void newApp_data();
    void newApp();
    void oldKaloApp_data();
    void oldKaloApp();
    void findByAnyNamePart_data();
    void findByAnyNamePart();
    void checkAppByName();
    void insertApps_data();
    void insertApps();

private:
    OrvoAppInfo *catalogue() const { return OrvoAppInfo::getInstance(); }

    Classroom m_room;
};

void tst_Catalogue::initTestCase()
{
    QVERIFY(m_room.setUp());
    // No envDir: an empty catalogue that the tests fill entry by entry.
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^OrvoAppInfo::OrvoAppInfo")));
    QVERIFY(catalogue());
    QVERIFY(catalogue()->m_entryMap.isEmpty());
}

void tst_Catalogue::init()
{
    catalogue()->m_entryMap.clear();
}

void tst_Catalogue::analyze_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("kept");

    QTest::newRow("one field") << "OrvoKiv6" << "{}" << false;
    QTest::newRow("six fields: no group") << "a|b|c|d|e|Tesvari" << "{}" << false;
    QTest::newRow("group differs in case") << "A|B|i|a.exe|p|k|Third" << "{}" << false;
    QTest::newRow("unknown group") << "A|B|i|a.exe|p|k|Android" << "{}" << false;
    QTest::newRow("install folder + appName")
        << "OrvoKiv6|白板|kiv6.png|OrvoKiv6.exe|-f|OrvoKiv6|Tesvari"
        << R"({"enName":"OrvoKiv6","name":"白板","image":"kiv6.png","appName":"OrvoKiv6.exe","params":"-f",
              "regKey":"OrvoKiv6","regGroup":"Tesvari","appGroup":"Tesvari",
              "appPath":"@ROOT@/kiv6/OrvoKiv6.exe","installed":true})" << true;
    QTest::newRow("start path beats KaloBanban rule")
        << "Banban|班班|b.png|bb.exe||KaloBanban|Tesvari"
        << R"({"enName":"Banban","name":"班班","image":"b.png","appName":"bb.exe","params":"","regKey":"KaloBanban",
              "regGroup":"Tesvari","appGroup":"Tesvari","appPath":"@ROOT@/banban/start.exe","installed":true})" << true;
    QTest::newRow("start path beats toolkit rule")
        << "Kit|工具|k.png|OrvoAIToolkit.exe||Toolkit|Tesvari"
        << R"({"enName":"Kit","name":"工具","image":"k.png","appName":"OrvoAIToolkit.exe","params":"","regKey":"Toolkit",
              "regGroup":"Tesvari","appGroup":"Tesvari","appPath":"@ROOT@/shelled/start.exe","installed":true})" << true;
    QTest::newRow("kalo KaloBanban not recorded")
        << "Banban|班班|b.png|bb.exe||KaloBanban|kalo"
        << R"({"enName":"Banban","name":"班班","image":"b.png","appName":"bb.exe","params":"","regKey":"KaloBanban",
              "regGroup":"kalo","appGroup":"kalo","appPath":"","installed":false})" << true;
    QTest::newRow("toolkit launches OrvoOneInClass")
        << "Kit|工具|k.png|OrvoAIToolkit.exe||NoShell|Tesvari"
        << R"({"enName":"Kit","name":"工具","image":"k.png","appName":"OrvoAIToolkit.exe","params":"","regKey":"NoShell",
              "regGroup":"Tesvari","appGroup":"Tesvari","appPath":"@ROOT@/toolkit/OrvoOneInClass.exe","installed":true})" << true;
    QTest::newRow("nothing recorded: empty path")
        << "Ghost|幽灵|g.png|ghost.exe||Ghost|Tesvari"
        << R"({"enName":"Ghost","name":"幽灵","image":"g.png","appName":"ghost.exe","params":"","regKey":"Ghost",
              "regGroup":"Tesvari","appGroup":"Tesvari","appPath":"","installed":false})" << true;
    QTest::newRow("dunmore found")
        << "Class|课堂|c.png|class.exe||DunmoreClass|dunmore"
        << R"({"enName":"Class","name":"课堂","image":"c.png","appName":"class.exe","params":"","regKey":"DunmoreClass",
              "regGroup":"dunmore","appGroup":"dunmore","appPath":"@ROOT@/dunmore/class.exe","installed":true})" << true;
    QTest::newRow("dunmore missing: not the bare appName")
        << "Class|课堂|c.png|class.exe||Nope|dunmore"
        << R"({"enName":"Class","name":"课堂","image":"c.png","appName":"class.exe","params":"","regKey":"Nope",
              "regGroup":"dunmore","appGroup":"dunmore","appPath":"","installed":false})" << true;
    QTest::newRow("dunmore application centre: not kept")
        << "Center|中心|img/applicationCenter/c.png|class.exe||DunmoreClass|dunmore"
        << R"({"enName":"Center","name":"中心","image":"img/applicationCenter/c.png","appName":"class.exe","params":"",
              "regKey":"DunmoreClass","regGroup":"dunmore","appGroup":"dunmore","appPath":"@ROOT@/dunmore/class.exe",
              "installed":true})" << false;
    QTest::newRow("wpp: key default value")
        << "WPP|演示|w.png|wpp.exe||HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\wpp.exe|wpp"
        << R"({"enName":"WPP","name":"演示","image":"w.png","appName":"wpp.exe","params":"",
              "regKey":"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\wpp.exe",
              "regGroup":"wpp","appGroup":"wpp","appPath":"@ROOT@/wpp/wpp.exe","installed":true})" << true;
    QTest::newRow("tamberly: display icon")
        << "Board|白板|t.png|board.exe||TamberlyBoard|tamberly"
        << R"({"enName":"Board","name":"白板","image":"t.png","appName":"board.exe","params":"","regKey":"TamberlyBoard",
              "regGroup":"tamberly","appGroup":"tamberly","appPath":"@ROOT@/tamberly/board.exe","installed":true})" << true;
    QTest::newRow("OrvoPepBook always installed")
        << "OrvoPepBook|电子书|p.png|pep.exe||PepBook|Tesvari"
        << R"({"enName":"OrvoPepBook","name":"电子书","image":"p.png","appName":"pep.exe","params":"","regKey":"PepBook",
              "regGroup":"Tesvari","appGroup":"Tesvari","appPath":"","installed":true})" << true;
    QTest::newRow("eight fields: realName")
        << "OrvoKiv6|白板|kiv6.png|OrvoKiv6.exe||OrvoKiv6|Tesvari|Whiteboard"
        << R"({"enName":"OrvoKiv6","name":"白板","image":"kiv6.png","appName":"OrvoKiv6.exe","params":"","regKey":"OrvoKiv6",
              "regGroup":"Tesvari","appGroup":"Tesvari","realName":"Whiteboard",
              "appPath":"@ROOT@/kiv6/OrvoKiv6.exe","installed":true})" << true;
    QTest::newRow("nine fields: no realName")
        << "OrvoKiv6|白板|kiv6.png|OrvoKiv6.exe||OrvoKiv6|Tesvari|Whiteboard|x"
        << R"({"enName":"OrvoKiv6","name":"白板","image":"kiv6.png","appName":"OrvoKiv6.exe","params":"","regKey":"OrvoKiv6",
              "regGroup":"Tesvari","appGroup":"Tesvari","appPath":"@ROOT@/kiv6/OrvoKiv6.exe","installed":true})" << true;
    QTest::newRow("third: params is the program")
        << "Tool|工具|t.png|tool.exe|@ROOT@/third/tool.exe|OrvoDemo|third"
        << R"({"enName":"Tool","name":"工具","image":"t.png","appName":"tool.exe","params":"@ROOT@/third/tool.exe",
              "regKey":"OrvoDemo","regGroup":"third","appGroup":"third","appPath":"@ROOT@/third/tool.exe","installed":true})" << false;
    QTest::newRow("third missing: no fallback")
        << "Tool|工具|t.png|tool.exe|@ROOT@/gone.exe|OrvoDemo|third"
        << R"({"enName":"Tool","name":"工具","image":"t.png","appName":"tool.exe","params":"@ROOT@/gone.exe",
              "regKey":"OrvoDemo","regGroup":"third","appGroup":"third","appPath":"@ROOT@/gone.exe","installed":false})" << false;
    QTest::newRow("third-orvo: suite's rules, path not tested")
        << "Demo|演示|d.png|demo.exe|@ROOT@/gone.exe|OrvoDemo|third-orvo"
        << R"({"enName":"Demo","name":"演示","image":"d.png","appName":"demo.exe","params":"@ROOT@/gone.exe",
              "regKey":"OrvoDemo","regGroup":"third-orvo","appGroup":"third-orvo","appPath":"@ROOT@/demo/OrvoDemo.exe",
              "installed":true})" << true;
    QTest::newRow("third-orvo not found: kept uninstalled")
        << "Demo|演示|d.png|demo.exe|@ROOT@/gone.exe|Ghost|third-orvo"
        << R"({"enName":"Demo","name":"演示","image":"d.png","appName":"demo.exe","params":"@ROOT@/gone.exe",
              "regKey":"Ghost","regGroup":"third-orvo","appGroup":"third-orvo","appPath":"@ROOT@/gone.exe","installed":false})" << true;
    QTest::newRow("WebApp")
        << "Web|网页|w.png|web|https://x.example/app|3|WebApp"
        << R"({"enName":"Web","name":"网页","image":"w.png","appName":"web","appPath":"https://x.example/app",
              "imageIndex":"3","appGroup":"WebApp","installed":true})" << false;
}

void tst_Catalogue::analyze()
{
    QFETCH(QString, entry);
    QFETCH(QString, expected);
    QFETCH(bool, kept);
    entry.replace(QLatin1String("@ROOT@"), m_room.root());

    const QJsonObject record = catalogue()->analyzeAppInfo(entry);
    QCOMPARE(record, json(expected, m_room.root()));
    QCOMPARE(catalogue()->m_entryMap.size(), kept ? 1 : 0);
    if (kept)
        QCOMPARE(catalogue()->m_entryMap.value(entryKey(record)), record);
}

void tst_Catalogue::lastAnalysisWins()
{
    catalogue()->analyzeAppInfo(QStringLiteral("Ghost|幽灵|g.png|ghost.exe||Ghost|Tesvari"));
    const QJsonObject second = catalogue()->analyzeAppInfo(QStringLiteral("Ghost|幽灵|other.png|ghost.exe||OrvoKiv6|Tesvari"));
    QCOMPARE(catalogue()->m_entryMap.size(), 1);
    QCOMPARE(catalogue()->isOrvoApp(QStringLiteral("ghost.exe")), second);
}

void tst_Catalogue::installPath_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("regKey");
    QTest::addColumn<QString>("regGroup");
    QTest::addColumn<QString>("expected");

    QTest::newRow("OrvorClass without enName") << "{}" << "OrvorClass" << "Tesvari" << "";
    QTest::newRow("OrvorClass dual-teacher: folder + appName")
        << R"({"enName":"Orvo双师课堂","appName":"rc.exe"})" << "OrvorClass" << "Tesvari" << "@ROOT@/rclass/rc.exe";
    QTest::newRow("OrvorClass Corlan: start path")
        << R"({"enName":"Corlan","appName":"rc.exe"})" << "OrvorClass" << "kalo" << "@ROOT@/rclass/corlan.exe";
    QTest::newRow("OrvodClass falls back to 101") << "{}" << "OrvodClass" << "" << "@ROOT@/dclass/101.exe";
    QTest::newRow("WhiteBoard unrecorded: bare exe") << R"({"appName":"wb.exe"})" << "WhiteBoard" << "Tesvari" << "WhiteBoard.exe";
    QTest::newRow("WhiteBoard unrecorded, appName is the exe") << R"({"appName":"WhiteBoard.exe"})" << "WhiteBoard" << "Tesvari" << "";
    QTest::newRow("toolkit") << "{}" << "OrvoAIToolkit" << "kalo" << "@ROOT@/toolkit/OrvoOneInClass.exe";
    QTest::newRow("KaloBanban unrecorded") << R"({"appName":"b.exe"})" << "KaloBanban" << "Tesvari" << "";
    QTest::newRow("nothing recorded: bare appName emptied") << R"({"appName":"ghost.exe"})" << "Ghost" << "Tesvari" << "";
    QTest::newRow("folder only, empty appName") << "{}" << "DirOnly" << "Tesvari" << "@ROOT@/dironly/";
    QTest::newRow("start path beats folder") << R"({"appName":"x.exe"})" << "OrvoShelled" << "Tesvari" << "@ROOT@/shelled/start.exe";
    QTest::newRow("folder + appName") << R"({"appName":"OrvoKiv6.exe"})" << "OrvoKiv6" << "Tesvari" << "@ROOT@/kiv6/OrvoKiv6.exe";
    QTest::newRow("dunmore") << R"({"appName":"class.exe"})" << "DunmoreClass" << "dunmore" << "@ROOT@/dunmore/class.exe";
    QTest::newRow("group compared exactly") << R"({"appName":"OrvoKiv6.exe"})" << "OrvoKiv6" << "tesvari" << "";
    QTest::newRow("ClassEvaluationPro in any group") << "{}" << "ClassEvaluationPro" << "wpp" << "@ROOT@/eval/ClassEvaluationPro.exe";
}

void tst_Catalogue::installPath()
{
    QFETCH(QString, record);
    QFETCH(QString, regKey);
    QFETCH(QString, regGroup);
    QFETCH(QString, expected);
    QCOMPARE(catalogue()->getOrvoSoftInstallPath(json(record, m_room.root()), regKey, regGroup),
             expected.replace(QLatin1String("@ROOT@"), m_room.root()));
}

void tst_Catalogue::newApp_data()
{
    QTest::addColumn<QString>("programPath");
    QTest::addColumn<QString>("expected");

    const char *demo = R"({"enName":"演示","name":"演示","appName":"演示","image":"%1","params":"%1","appPath":"%1",
                          "regKey":"%2","regGroup":"third-orvo","appGroup":"third-orvo","installed":true})";
    QTest::newRow("not the suite's") << "C:/Apps/Other/app.exe" << "{}";
    QTest::newRow("lower-case orvo does not qualify") << "c:/orvo/demo.exe" << "{}";
    QTest::newRow("Shell launcher names its product")
        << "C:/Program Files/Tesvari/OrvoDemoShell.exe" << QString::fromUtf8(demo).arg(QStringLiteral("@ROOT@/demo/OrvoDemo.exe"), QStringLiteral("OrvoDemo"));
    QTest::newRow("base name stops at the first dot")
        << "C:/Tesvari/Lesson.final.exe" << QString::fromUtf8(demo).arg(QStringLiteral("@ROOT@/lesson/Lesson.final.exe"), QStringLiteral("Lesson"));
    QTest::newRow("folder only: the folder")
        << "C:/Tesvari/DirOnly.exe" << QString::fromUtf8(demo).arg(QStringLiteral("@ROOT@/dironly/"), QStringLiteral("DirOnly"));
    QTest::newRow("OrvorClass needs an enName") << "C:/Tesvari/OrvorClass.exe" << "{}";
    QTest::newRow("unregistered key") << "C:/Tesvari/Ghost.exe" << "{}";
}

void tst_Catalogue::newApp()
{
    QFETCH(QString, programPath);
    QFETCH(QString, expected);
    const QJsonObject want = json(expected, m_room.root());
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^OrvoAppInfo::isOrvoNewApp QJsonObject\\(")));
    QCOMPARE(catalogue()->isOrvoNewApp(QString::fromUtf8("演示"), programPath), want);
}

void tst_Catalogue::oldKaloApp_data()
{
    QTest::addColumn<QString>("displayName");
    QTest::addColumn<QString>("programPath");
    QTest::addColumn<bool>("programPresent");
    QTest::addColumn<bool>("recognised");

    QTest::newRow("name and path") << "课堂评价系统" << "C:/kalo/eval.exe" << true << true;
    QTest::newRow("name lacks the words") << "评价系统" << "C:/kalo/eval.exe" << true << false;
    QTest::newRow("path case differs") << "课堂评价" << "C:/Kalo/eval.exe" << true << false;
    QTest::newRow("registered program missing") << "课堂评价" << "C:/kalo/eval.exe" << false << false;
}

void tst_Catalogue::oldKaloApp()
{
    QFETCH(QString, displayName);
    QFETCH(QString, programPath);
    QFETCH(bool, programPresent);
    QFETCH(bool, recognised);
    const QString exe = m_room.path(QStringLiteral("eval/ClassEvaluationPro.exe"));
    if (!programPresent)
        QVERIFY(QFile::rename(exe, exe + QStringLiteral(".off")));

    const QJsonObject record = catalogue()->isOldKaloApp(displayName, programPath);
    if (!programPresent)
        QVERIFY(QFile::rename(exe + QStringLiteral(".off"), exe));
    QCOMPARE(record.isEmpty(), !recognised);
    if (recognised) {
        QCOMPARE(record.value(QLatin1String("appPath")).toString(), exe);
        QCOMPARE(record.value(QLatin1String("regKey")).toString(), QString());
        QCOMPARE(record.value(QLatin1String("appGroup")).toString(), QStringLiteral("third-orvo"));
        QCOMPARE(record.value(QLatin1String("name")).toString(), displayName);
    }
}

void tst_Catalogue::findByAnyNamePart_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("foundEnName");

    QTest::newRow("by appName") << "OrvoKiv6.exe" << "OrvoKiv6";
    QTest::newRow("by name") << "白板" << "OrvoKiv6";
    QTest::newRow("by enName") << "Ghost" << "Ghost";
    QTest::newRow("case differs") << "orvokiv6.exe" << "";
    QTest::newRow("smallest entry key wins") << "shared.exe" << "Alpha";
    QTest::newRow("empty name: first record with an empty part") << "" << "Alpha";
}

void tst_Catalogue::findByAnyNamePart()
{
    QFETCH(QString, name);
    QFETCH(QString, foundEnName);
    catalogue()->analyzeAppInfo(QStringLiteral("OrvoKiv6|白板|i|OrvoKiv6.exe||OrvoKiv6|Tesvari"));
    catalogue()->analyzeAppInfo(QStringLiteral("Ghost|幽灵|i|ghost.exe||Ghost|Tesvari"));
    catalogue()->analyzeAppInfo(QStringLiteral("Zulu||i|shared.exe||Ghost|Tesvari"));
    catalogue()->analyzeAppInfo(QStringLiteral("Alpha||i|shared.exe||Ghost|Tesvari"));
    QCOMPARE(catalogue()->isOrvoApp(name).value(QLatin1String("enName")).toString(), foundEnName);
}

void tst_Catalogue::checkAppByName()
{
    const QJsonArray records{QJsonObject{{QStringLiteral("name"), QStringLiteral("白板")},
                                         {QStringLiteral("enName"), QStringLiteral("OrvoKiv6")}},
                             QStringLiteral("not an object")};
    QVERIFY(catalogue()->checkAppByName(records, QString::fromUtf8("白板")));
    QVERIFY(!catalogue()->checkAppByName(records, QStringLiteral("OrvoKiv6"))); // name only
    QVERIFY(!catalogue()->checkAppByName(QJsonArray(), QString()));
}

void tst_Catalogue::insertApps_data()
{
    QTest::addColumn<bool>("append");
    QTest::addColumn<QStringList>("order");

    QTest::newRow("append: source after target") << true << QStringList{"R1", "R2", "R3"};
    QTest::newRow("prepend: source before target") << false << QStringList{"R2", "R3", "R1"};
}

void tst_Catalogue::insertApps()
{
    QFETCH(bool, append);
    QFETCH(QStringList, order);
    auto rec = [](const char *n) { return QJsonObject{{QStringLiteral("name"), QLatin1String(n)}}; };
    QJsonObject target{{QStringLiteral("group"), QStringLiteral("commonApp")},
                       {QStringLiteral("title"), QStringLiteral("常用")},
                       {QStringLiteral("appinfo"), QJsonArray{rec("R1")}}};
    const QJsonObject source{{QStringLiteral("group"), QStringLiteral("other")},
                             {QStringLiteral("appinfo"), QJsonArray{rec("R2"), rec("R3")}}};

    catalogue()->insertApps(target, source, append);

    QStringList names;
    for (const QJsonValue &r : target.value(QLatin1String("appinfo")).toArray())
        names << r.toObject().value(QLatin1String("name")).toString();
    QCOMPARE(names, order);
    QCOMPARE(target.value(QLatin1String("group")).toString(), QStringLiteral("commonApp"));
    QCOMPARE(target.value(QLatin1String("title")).toString(), QString::fromUtf8("常用"));
}

QTEST_GUILESS_MAIN(tst_Catalogue)
#include "tst_catalogue.moc"
