#include "classroom.h"
#include "orvoappinfo.h"
#include "tsvrows.h"

#include <QTest>
#include <QThread>

#include <atomic>

class tst_CatalogueLoad : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_room.setUp());
        QVERIFY(m_room.installCatalogue(QStringLiteral("catalogue/orvoApps.ini")));
    }
    void loadedOnceFromEnvDir();
    void sections_data() { addTsvRows(QStringLiteral("catalogue/groups.tsv"), {"case", "section", "expected"}); }
    void sections();
    void entryMapUnderConcurrentReadAndWrite();

private:
    QString catalogueFile() const { return m_room.path(QStringLiteral("env/defconfigs/orvoApps.ini")); }
    Classroom m_room;
};

void tst_CatalogueLoad::loadedOnceFromEnvDir()
{
    // Two threads race for the first instance; one catalogue is built.
    std::atomic<OrvoAppInfo *> other{nullptr};
    std::unique_ptr<QThread> racer(QThread::create([&other] { other = OrvoAppInfo::getInstance(); }));
    racer->start();
    OrvoAppInfo *mine = OrvoAppInfo::getInstance();
    QVERIFY(racer->wait(30000));
    QCOMPARE(other.load(), mine);

    // Only the entries of sections feed the entry map, third-party and web ones not, uninstalled
    // ones still; editing the file later changes nothing.
    QFile file(catalogueFile());
    QVERIFY(file.open(QIODevice::Append));
    file.write("\n[late]\n1=Late|晚|l.png|late.exe||Late|Tesvari\n");
    file.close();
    QStringList known;
    for (const char *name : {"Kiv", "ghost.exe", "Demo", "Top", "Gen", "Tool", "Web", "常用应用", "Late"}) {
        if (!mine->isOrvoApp(QString::fromUtf8(name)).isEmpty())
            known << QString::fromUtf8(name);
    }
    QCOMPARE(known, (QStringList{"Kiv", "ghost.exe", "Demo"}));
}

void tst_CatalogueLoad::sections()
{
    QStringList found;
    for (const QJsonValue &value : OrvoAppInfo::getInstance()->getAppsInfoByGroup(catalogueFile(), tsvField("section"))) {
        const QJsonObject record = value.toObject();
        found << record.value(QLatin1String("enName")).toString() + QLatin1String(record.value(QLatin1String("installed")).toBool() ? "+" : "-");
    }
    QCOMPARE(found.join(QLatin1Char(' ')), tsvField("expected"));
}

// The scan thread reads the entry map while a launcher re-analyses a section.
void tst_CatalogueLoad::entryMapUnderConcurrentReadAndWrite()
{
    OrvoAppInfo *catalogue = OrvoAppInfo::getInstance();
    constexpr int rounds = 3000;
    std::atomic<int> misses{0};
    std::unique_ptr<QThread> reader(QThread::create([&] {
        for (int i = 0; i < rounds; ++i)
            misses += catalogue->isOrvoApp(QStringLiteral("OrvoKiv6.exe")).isEmpty();
    }));
    reader->start();
    for (int i = 0; i < rounds / 10; ++i)
        QCOMPARE(catalogue->getAppsInfoByGroup(catalogueFile(), QStringLiteral("commonApp")).size(), 3);
    QVERIFY(reader->wait(60000));
    QCOMPARE(misses.load(), 0);
}

QTEST_GUILESS_MAIN(tst_CatalogueLoad)
#include "tst_catalogueload.moc"
