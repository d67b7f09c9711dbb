#include "classroom.h"
#include "orvoappinfo.h"

#include <QJsonDocument>
#include <QTest>

// One call per row, from tests/data/catalogue/rules.json: "in" its arguments, "out" its answer,
// "setup" entries analysed first, "hide" a program file moved away during the call, "kept" the
// entry key (enName|name|appName) an analysed record is registered under.
class tst_Catalogue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_room.setUp());
        // No envDir: an empty catalogue that the rows fill entry by entry.
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^OrvoAppInfo::OrvoAppInfo")));
        QVERIFY(catalogue()->m_entryMap.isEmpty());
    }
    void init() { catalogue()->m_entryMap.clear(); }
    void rules_data();
    void rules();

private:
    static OrvoAppInfo *catalogue() { return OrvoAppInfo::getInstance(); }
    Classroom m_room;
    QJsonObject m_setups;
};

void tst_Catalogue::rules_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QJsonObject>("row");
    const QJsonObject all = QJsonDocument::fromJson(m_room.fixture(QStringLiteral("catalogue/rules.json"))).object();
    m_setups = all.value(QLatin1String("setups")).toObject();
    const QJsonObject calls = all.value(QLatin1String("rules")).toObject();
    for (auto call = calls.begin(); call != calls.end(); ++call) {
        for (const QJsonValue &row : call.value().toArray())
            QTest::addRow("%s: %s", qPrintable(call.key()), qPrintable(row[QLatin1String("case")].toString())) << call.key() << row.toObject();
    }
}

void tst_Catalogue::rules()
{
    QFETCH(QString, call);
    QFETCH(QJsonObject, row);
    const QJsonArray in = row.value(QLatin1String("in")).toArray();
    const auto arg = [&in](int i) { return in.at(i).toString(); };
    const QJsonValue setup = row.value(QLatin1String("setup"));
    for (const QJsonValue &entry : setup.isString() ? m_setups.value(setup.toString()).toArray() : setup.toArray())
        catalogue()->analyzeAppInfo(entry.toString());
    const QString hidden = m_room.path(row.value(QLatin1String("hide")).toString());
    const bool hide = row.contains(QLatin1String("hide"));
    QVERIFY(!hide || QFile::rename(hidden, hidden + QStringLiteral(".off")));

    QJsonValue out;
    if (call == QLatin1String("analyze")) {
        out = catalogue()->analyzeAppInfo(arg(0));
    } else if (call == QLatin1String("installPath")) {
        out = catalogue()->getOrvoSoftInstallPath(in.at(0).toObject(), arg(1), arg(2));
    } else if (call == QLatin1String("newApp")) {
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^OrvoAppInfo::isOrvoNewApp QJsonObject\\(")));
        out = catalogue()->isOrvoNewApp(arg(0), arg(1));
    } else if (call == QLatin1String("oldKalo")) {
        out = catalogue()->isOldKaloApp(arg(0), arg(1));
    } else if (call == QLatin1String("find")) {
        out = catalogue()->isOrvoApp(arg(0)).value(QLatin1String("enName"));
    } else if (call == QLatin1String("byName")) {
        out = catalogue()->checkAppByName(in.at(0).toArray(), arg(1));
    } else if (call == QLatin1String("group")) {
        out = catalogue()->getAppsInfoByGroup(arg(0), arg(1));
    } else if (call == QLatin1String("insert")) {
        QJsonObject target = in.at(0).toObject();
        catalogue()->insertApps(target, in.at(1).toObject(), in.at(2).toBool());
        out = target;
    }
    QVERIFY(!hide || QFile::rename(hidden + QStringLiteral(".off"), hidden));
    QCOMPARE(out, row.value(QLatin1String("out")));

    // A kept record is registered under its "kept" key alone, the last analysis winning.
    if (call == QLatin1String("analyze")) {
        const QString key = row.value(QLatin1String("kept")).toString();
        using EntryMap = QMap<QString, QJsonObject>;
        QCOMPARE(catalogue()->m_entryMap, key.isEmpty() ? EntryMap() : EntryMap({{key, out.toObject()}}));
    }
}

QTEST_GUILESS_MAIN(tst_Catalogue)
#include "tst_catalogue.moc"
