#include "classroom.h"
#include "zrcommonutils.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QTest>

// One section read per row of tests/data/catalogue/sections.json: "file" under
// tests/data/catalogue (sections.ini when absent), "section", the application's "screenVersion"
// property (unset when absent) and the listing read, "out".
class tst_AppSection : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void listing_data();
    void listing();

private:
    Classroom m_room;
};

void tst_AppSection::initTestCase()
{
    QVERIFY(m_room.setUp());
    // KaloBanban's fallback folder, known only under the learning platform's own key.
    QVERIFY(m_room.copy(QStringLiteral("catalogue/kalo.reg.in"), QStringLiteral("registry/20-kalo.reg")));
    // A bare appName is looked for in the current directory.
    QVERIFY(QDir::setCurrent(m_room.root()));
}

void tst_AppSection::listing_data()
{
    QTest::addColumn<QJsonObject>("row");
    for (const QJsonValue &row : QJsonDocument::fromJson(m_room.fixture(QStringLiteral("catalogue/sections.json"))).array())
        QTest::addRow("%s", qPrintable(row[QLatin1String("case")].toString())) << row.toObject();
}

void tst_AppSection::listing()
{
    QFETCH(QJsonObject, row);
    const auto field = [&row](const char *name) { return row.value(QLatin1String(name)); };
    QCoreApplication::instance()->setProperty("screenVersion", field("screenVersion").toVariant());
    const QString file = QDir(QStringLiteral(ORVO_TEST_DATA "/catalogue")).filePath(field("file").toString(QStringLiteral("sections.ini")));
    QCOMPARE(ZRCommonUtils::getAppValuesByGroup(file, field("section").toString()), field("out").toObject());
}

QTEST_GUILESS_MAIN(tst_AppSection)
#include "tst_appsection.moc"
