#include "classroom.h"
#include "orvoappinfo.h"

#include <QJsonArray>
#include <QTest>
#include <QThread>

#include <atomic>

namespace {

QStringList enNames(const QJsonArray &records)
{
    QStringList names;
    for (const QJsonValue &record : records)
        names << record.toObject().value(QLatin1String("enName")).toString();
    return names;
}

} // namespace

class tst_CatalogueLoad : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void loadedOnceFromEnvDir();
    void sectionsOnlyFeedTheEntryMap_data();
    void sectionsOnlyFeedTheEntryMap();
    void sections_data();
    void sections();
    void entryMapUnderConcurrentReadAndWrite();

private:
    QString catalogueFile() const { return m_room.path(QStringLiteral("env/defconfigs/orvoApps.ini")); }
    Classroom m_room;
};

void tst_CatalogueLoad::initTestCase()
{
    QVERIFY(m_room.setUp());
    QVERIFY(m_room.installCatalogue(QStringLiteral(ORVO_TEST_DATA "/catalogue/orvoApps.ini")));
}

void tst_CatalogueLoad::loadedOnceFromEnvDir()
{
    // Two threads race for the first instance; one catalogue is built.
    std::atomic<OrvoAppInfo *> other{nullptr};
    std::unique_ptr<QThread> racer(QThread::create([&other] { other = OrvoAppInfo::getInstance(); }));
    racer->start();
    OrvoAppInfo *mine = OrvoAppInfo::getInstance();
    QVERIFY(racer->wait(30000));
    QCOMPARE(other.load(), mine);

    QVERIFY(!OrvoAppInfo::getInstance()->isOrvoApp(QStringLiteral("Kiv")).isEmpty());
    // Editing the file later changes nothing: the catalogue is read once.
    QFile file(catalogueFile());
    QVERIFY(file.open(QIODevice::Append));
    file.write("\n[late]\n1=Late|晚|l.png|late.exe||Late|Tesvari\n");
    file.close();
    QVERIFY(OrvoAppInfo::getInstance()->isOrvoApp(QStringLiteral("Late")).isEmpty());
}

void tst_CatalogueLoad::sectionsOnlyFeedTheEntryMap_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("known");

    QTest::newRow("commonApp entry") << "Kiv" << true;
    QTest::newRow("uninstalled, still kept") << "ghost.exe" << true;
    QTest::newRow("third-orvo kept") << "Demo" << true;
    QTest::newRow("before the first section") << "Top" << false;
    QTest::newRow("General section") << "Gen" << false;
    QTest::newRow("third not kept") << "Tool" << false;
    QTest::newRow("WebApp not kept") << "Web" << false;
    QTest::newRow("title line") << "常用应用" << false;
}

void tst_CatalogueLoad::sectionsOnlyFeedTheEntryMap()
{
    QFETCH(QString, name);
    QFETCH(bool, known);
    QCOMPARE(!OrvoAppInfo::getInstance()->isOrvoApp(name).isEmpty(), known);
}

void tst_CatalogueLoad::sections_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QList<bool>>("installed");

    QTest::newRow("commonApp: installed only") << "commonApp" << QStringList{"Kiv", "Web", "Tool"} << QList<bool>{true, true, true};
    QTest::newRow("other sections: all analysed") << "tools" << QStringList{"Ghost"} << QList<bool>{false};
    QTest::newRow("titles only") << "titlesonly" << QStringList() << QList<bool>();
    QTest::newRow("missing section") << "nosuch" << QStringList() << QList<bool>();
}

void tst_CatalogueLoad::sections()
{
    QFETCH(QString, section);
    QFETCH(QStringList, expected);
    QFETCH(QList<bool>, installed);
    const QJsonArray records = OrvoAppInfo::getInstance()->getAppsInfoByGroup(catalogueFile(), section);
    QCOMPARE(enNames(records), expected);
    for (int i = 0; i < records.size(); ++i)
        QCOMPARE(records.at(i).toObject().value(QLatin1String("installed")).toBool(), installed.at(i));
}

// The scan thread reads the entry map while a launcher re-analyses a section.
void tst_CatalogueLoad::entryMapUnderConcurrentReadAndWrite()
{
    OrvoAppInfo *catalogue = OrvoAppInfo::getInstance();
    constexpr int rounds = 3000;
    std::atomic<int> misses{0};
    std::unique_ptr<QThread> reader(QThread::create([&] {
        for (int i = 0; i < rounds; ++i) {
            if (catalogue->isOrvoApp(QStringLiteral("OrvoKiv6.exe")).isEmpty())
                ++misses;
        }
    }));
    reader->start();
    for (int i = 0; i < rounds / 10; ++i)
        QCOMPARE(catalogue->getAppsInfoByGroup(catalogueFile(), QStringLiteral("commonApp")).size(), 3);
    QVERIFY(reader->wait(60000));
    QCOMPARE(misses.load(), 0);
}

QTEST_GUILESS_MAIN(tst_CatalogueLoad)
#include "tst_catalogueload.moc"
