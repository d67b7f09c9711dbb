#include "classroom.h"
#include "tsvrows.h"
#include "zrcommonutils.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QTest>

class tst_AppSection : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void listing_data() { addTsvRows(QStringLiteral("catalogue/sections.tsv"), {"case", "section", "screenVersion", "enNames", "title"}); }
    void listing();
    void windowsRecordFields();
    void kaloFallbackFolder();
    void missingFileOrSection();

private:
    QJsonObject section(const QString &name) const
    {
        return ZRCommonUtils::getAppValuesByGroup(QStringLiteral(ORVO_TEST_DATA "/catalogue/sections.ini"), name);
    }

    Classroom m_room;
};

void tst_AppSection::initTestCase()
{
    QVERIFY(m_room.setUp());
    // A bare appName is looked for in the current directory.
    QVERIFY(QDir::setCurrent(m_room.root()));
}

void tst_AppSection::listing()
{
    const QString section = tsvField("section"), title = tsvField("title") == QLatin1String("\"\"") ? QStringLiteral("") : tsvField("title");
    const int screenVersion = tsvField("screenVersion").toInt();
    QCoreApplication::instance()->setProperty("screenVersion", screenVersion ? QVariant(screenVersion) : QVariant());

    const QJsonObject listing = this->section(section);
    QCOMPARE(listing.value(QLatin1String("group")).toString(), section);
    QStringList found;
    for (const QJsonValue &record : listing.value(QLatin1String("appinfo")).toArray()) {
        found << record.toObject().value(QLatin1String("enName")).toString();
        QVERIFY(record.toObject().value(QLatin1String("installed")).toBool());
    }
    QCOMPARE(found.join(QLatin1Char(',')), tsvField("enNames"));
    QCOMPARE(listing.contains(QLatin1String("title")), !title.isNull());
    QCOMPARE(listing.value(QLatin1String("title")).toString(), title);
}

void tst_AppSection::windowsRecordFields()
{
    const char *kiv = R"({"enName":"Kiv","name":"白板","image":"k.png","appName":"OrvoKiv6.exe","params":"","regKey":"OrvoKiv6",
        "regGroup":"Tesvari","appGroup":"Windows","appPath":"@ROOT@/kiv6/OrvoKiv6.exe","installed":true})";
    const char *web = R"({"enName":"Web","name":"网页","image":"w.png","appName":"web","appPath":"https://x.example",
        "imageIndex":"3","appGroup":"WebApp","installed":true})";
    QCOMPARE(section(QStringLiteral("ordering")).value(QLatin1String("appinfo")).toArray().at(1).toObject(), m_room.record(kiv));
    QCOMPARE(section(QStringLiteral("web")).value(QLatin1String("appinfo")).toArray().at(0).toObject(), m_room.record(web));
}

// The section reader, unlike the catalogue, keeps a bare appName as the path and falls back
// to the learning platform's own key for KaloBanban.
void tst_AppSection::kaloFallbackFolder()
{
    QVERIFY(m_room.addRegistry("Windows Registry Editor Version 5.00\r\n\r\n"
                               "[HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\OrvoKalo\xe7\x8f\xad\xe7\x8f\xad]\r\n"
                               "\"InstPath\"=\"@ROOT@/kalo\"\r\n"));
    const QString exe = m_room.path(QString::fromUtf8("kalo/OrvoKalo班班.exe"));
    for (const QString &file : {exe, m_room.path(QStringLiteral("ghost.exe"))})
        QVERIFY(QDir().mkpath(QFileInfo(file).path()) && QFile(file).open(QIODevice::WriteOnly));
    const QJsonArray kalo = section(QStringLiteral("kalo")).value(QLatin1String("appinfo")).toArray();
    QCOMPARE(kalo.size(), 1);
    QCOMPARE(kalo.at(0).toObject().value(QLatin1String("appPath")).toString(), exe);
    const QJsonArray relative = section(QStringLiteral("relative")).value(QLatin1String("appinfo")).toArray();
    QCOMPARE(relative.size(), 1);
    QCOMPARE(relative.at(0).toObject().value(QLatin1String("appPath")).toString(), QStringLiteral("ghost.exe"));
}

void tst_AppSection::missingFileOrSection()
{
    for (const char *file : {"/nonexistent/sections.ini", ORVO_TEST_DATA "/catalogue/binary.ini", ORVO_TEST_DATA "/catalogue/sections.ini"}) {
        QCOMPARE(ZRCommonUtils::getAppValuesByGroup(QString::fromUtf8(file), QStringLiteral("nosuch")),
                 (QJsonObject{{QStringLiteral("group"), QStringLiteral("nosuch")}, {QStringLiteral("appinfo"), QJsonArray()}}));
    }
}

QTEST_GUILESS_MAIN(tst_AppSection)
#include "tst_appsection.moc"
