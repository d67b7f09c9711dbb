#include "classroom.h"
#include "orvoappinfo.h"

#include <QJsonDocument>
#include <QTest>

namespace {

// Rows live in tests/data/catalogue/analysis.json; "@ROOT@" stands for the classroom folder.
QJsonArray cases(const QString &kind)
{
    QFile file(QStringLiteral(ORVO_TEST_DATA "/catalogue/analysis.json"));
    file.open(QIODevice::ReadOnly);
    return QJsonDocument::fromJson(file.readAll()).object().value(kind).toArray();
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
    void oldKaloApp();
    void findByAnyNamePart_data();
    void findByAnyNamePart();
    void checkAppByName();
    void unreadableCatalogues();
    void insertApps_data();
    void insertApps();

private:
    OrvoAppInfo *catalogue() const { return OrvoAppInfo::getInstance(); }
    QJsonObject withRoot(QJsonObject record) const
    {
        for (auto it = record.begin(); it != record.end(); ++it) {
            if (it.value().isString())
                it.value() = it.value().toString().replace(QLatin1String("@ROOT@"), m_room.root());
        }
        return record;
    }

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
    QTest::addColumn<QJsonObject>("row");
    for (const QJsonValue &row : cases(QStringLiteral("analyze")))
        QTest::newRow(qPrintable(row[QLatin1String("case")].toString())) << row.toObject();
}

void tst_Catalogue::analyze()
{
    QFETCH(QJsonObject, row);
    const QString entry = row[QLatin1String("entry")].toString().replace(QLatin1String("@ROOT@"), m_room.root());
    const QJsonObject record = catalogue()->analyzeAppInfo(entry);
    QCOMPARE(record, withRoot(row[QLatin1String("record")].toObject()));
    const bool kept = row[QLatin1String("kept")].toBool();
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
    QTest::addColumn<QJsonObject>("row");
    for (const QJsonValue &row : cases(QStringLiteral("installPath")))
        QTest::newRow(qPrintable(row[QLatin1String("case")].toString())) << row.toObject();
}

void tst_Catalogue::installPath()
{
    QFETCH(QJsonObject, row);
    const QString path = catalogue()->getOrvoSoftInstallPath(row[QLatin1String("record")].toObject(),
                                                             row[QLatin1String("regKey")].toString(),
                                                             row[QLatin1String("regGroup")].toString());
    QCOMPARE(path, row[QLatin1String("path")].toString().replace(QLatin1String("@ROOT@"), m_room.root()));
}

void tst_Catalogue::newApp_data()
{
    QTest::addColumn<QString>("programPath");
    QTest::addColumn<QString>("found"); // the record's three paths; empty: not recognised
    QTest::addColumn<QString>("regKey");

    QTest::newRow("not the suite's") << "C:/Apps/Other/app.exe" << "" << "";
    QTest::newRow("lower-case orvo") << "c:/orvo/demo.exe" << "" << "";
    QTest::newRow("Shell launcher") << "C:/Program Files/Tesvari/OrvoDemoShell.exe" << "@ROOT@/demo/OrvoDemo.exe" << "OrvoDemo";
    QTest::newRow("base name stops at a dot") << "C:/Tesvari/Lesson.final.exe" << "@ROOT@/lesson/Lesson.final.exe" << "Lesson";
    QTest::newRow("folder only") << "C:/Tesvari/DirOnly.exe" << "@ROOT@/dironly/" << "DirOnly";
    QTest::newRow("OrvorClass needs an enName") << "C:/Tesvari/OrvorClass.exe" << "" << "";
    QTest::newRow("unregistered") << "C:/Tesvari/Ghost.exe" << "" << "";
}

void tst_Catalogue::newApp()
{
    QFETCH(QString, programPath);
    QFETCH(QString, found);
    QFETCH(QString, regKey);
    const QString name = QString::fromUtf8("演示");
    found.replace(QLatin1String("@ROOT@"), m_room.root());
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^OrvoAppInfo::isOrvoNewApp QJsonObject\\(")));
    const QJsonObject record = catalogue()->isOrvoNewApp(name, programPath);
    const QString want = QStringLiteral(R"({"enName":"%1","name":"%1","appName":"%1","image":"%2","params":"%2","appPath":"%2",
        "regKey":"%3","regGroup":"third-orvo","appGroup":"third-orvo","installed":true})").arg(name, found, regKey);
    QCOMPARE(record, found.isEmpty() ? QJsonObject() : m_room.record(want.toUtf8().constData()));
}

void tst_Catalogue::oldKaloApp()
{
    const QString exe = m_room.path(QStringLiteral("eval/ClassEvaluationPro.exe"));
    const QString name = QString::fromUtf8("课堂评价系统"), path = QStringLiteral("C:/kalo/eval.exe");
    const QJsonObject record = catalogue()->isOldKaloApp(name, path);
    QCOMPARE(record.value(QLatin1String("appPath")).toString() + record.value(QLatin1String("name")).toString(), exe + name);
    QCOMPARE(record.value(QLatin1String("regKey")), QJsonValue(QString()));
    QVERIFY(catalogue()->isOldKaloApp(QString::fromUtf8("评价系统"), path).isEmpty());      // the words are needed
    QVERIFY(catalogue()->isOldKaloApp(name, QStringLiteral("C:/Kalo/eval.exe")).isEmpty()); // so is "kalo", exactly
    QVERIFY(QFile::rename(exe, exe + QStringLiteral(".off")));
    QVERIFY(catalogue()->isOldKaloApp(name, path).isEmpty()); // the registered program must exist
    QVERIFY(QFile::rename(exe + QStringLiteral(".off"), exe));
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
    QTest::newRow("empty name: first empty part") << "" << "Alpha";
}

void tst_Catalogue::findByAnyNamePart()
{
    QFETCH(QString, name);
    QFETCH(QString, foundEnName);
    for (const char *entry : {"OrvoKiv6|白板|i|OrvoKiv6.exe||OrvoKiv6|Tesvari", "Ghost|幽灵|i|ghost.exe||Ghost|Tesvari",
                              "Zulu||i|shared.exe||Ghost|Tesvari", "Alpha||i|shared.exe||Ghost|Tesvari"})
        catalogue()->analyzeAppInfo(QString::fromUtf8(entry));
    QCOMPARE(catalogue()->isOrvoApp(name).value(QLatin1String("enName")).toString(), foundEnName);
}

void tst_Catalogue::checkAppByName()
{
    const QJsonArray records{QJsonObject{{QStringLiteral("name"), QStringLiteral("白板")}, {QStringLiteral("enName"), QStringLiteral("Kiv")}},
                             QStringLiteral("not an object")};
    QVERIFY(catalogue()->checkAppByName(records, QString::fromUtf8("白板")));
    QVERIFY(!catalogue()->checkAppByName(records, QStringLiteral("Kiv"))); // name only
    QVERIFY(!catalogue()->checkAppByName(QJsonArray(), QString()));
}

void tst_Catalogue::unreadableCatalogues()
{
    QFile empty(m_room.path(QStringLiteral("empty.ini")));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    for (const QString &file : {m_room.path(QStringLiteral("missing.ini")), empty.fileName(),
                                QStringLiteral(ORVO_TEST_DATA "/catalogue/binary.ini")}) {
        for (const QString &section : {QStringLiteral("commonApp"), QStringLiteral("nosuch")})
            QCOMPARE(catalogue()->getAppsInfoByGroup(file, section), QJsonArray());
    }
}

void tst_Catalogue::insertApps_data()
{
    QTest::addColumn<bool>("append");
    QTest::addColumn<QString>("order");
    QTest::newRow("append: source after target") << true << "R1 R2 R3";
    QTest::newRow("prepend: source before target") << false << "R2 R3 R1";
}

void tst_Catalogue::insertApps()
{
    QFETCH(bool, append);
    QFETCH(QString, order);
    auto listing = [](const char *group, QStringList names) {
        QJsonArray apps;
        for (const QString &name : names)
            apps.append(QJsonObject{{QStringLiteral("name"), name}});
        return QJsonObject{{QStringLiteral("group"), QLatin1String(group)}, {QStringLiteral("appinfo"), apps}};
    };
    QJsonObject target = listing("commonApp", {QStringLiteral("R1")});
    target.insert(QStringLiteral("title"), QStringLiteral("常用"));
    catalogue()->insertApps(target, listing("other", {QStringLiteral("R2"), QStringLiteral("R3")}), append);

    QJsonObject expected = listing("commonApp", order.split(QLatin1Char(' ')));
    expected.insert(QStringLiteral("title"), QStringLiteral("常用"));
    QCOMPARE(target, expected);
}

QTEST_GUILESS_MAIN(tst_Catalogue)
#include "tst_catalogue.moc"
