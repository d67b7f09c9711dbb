#include "zrcommonutils.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString fixture(const char *name)
{
    return QStringLiteral(ORVO_TEST_DATA "/json/") + QLatin1String(name);
}

QJsonArray parseArray(const char *json)
{
    return QJsonDocument::fromJson(json).array();
}

} // namespace

class tst_JsonFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void read_data();
    void read();
    void writeIndentedAndReadBack();
    void writeReplacesLongerFile();
    void writeToMissingFolder();
    void removeValue_data();
    void removeValue();

private:
    QTemporaryDir m_dir;
};

void tst_JsonFiles::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
}

void tst_JsonFiles::read_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QJsonArray>("array");
    QTest::addColumn<QJsonObject>("object");

    const QJsonObject object{{QStringLiteral("name"), QStringLiteral("a")},
                             {QStringLiteral("size"), 2}};
    QTest::newRow("array file") << fixture("array.json") << QJsonArray{1, 2} << QJsonObject();
    QTest::newRow("object file") << fixture("object.json") << QJsonArray() << object;
    QTest::newRow("malformed") << fixture("malformed.json") << QJsonArray() << QJsonObject();
    QTest::newRow("empty file") << fixture("empty.json") << QJsonArray() << QJsonObject();
    QTest::newRow("missing") << fixture("missing.json") << QJsonArray() << QJsonObject();
    QTest::newRow("folder") << QStringLiteral(ORVO_TEST_DATA "/json") << QJsonArray()
                            << QJsonObject();
    QTest::newRow("empty path") << QString() << QJsonArray() << QJsonObject();
}

void tst_JsonFiles::read()
{
    QFETCH(QString, path);
    QFETCH(QJsonArray, array);
    QFETCH(QJsonObject, object);

    QCOMPARE(ZRCommonUtils::getJsonArray(path), array);
    QCOMPARE(ZRCommonUtils::getJsonObject(path), object);
}

void tst_JsonFiles::writeIndentedAndReadBack()
{
    const QString path = m_dir.filePath(QStringLiteral("indented.json"));
    const QJsonObject object{{QStringLiteral("a"), 1},
                             {QStringLiteral("b"), QJsonArray{QStringLiteral("x")}}};
    ZRCommonUtils::writeJsonObject(path, object);

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("{\n    \"a\": 1,\n    \"b\": [\n        \"x\"\n    ]\n}\n"));
    QCOMPARE(ZRCommonUtils::getJsonObject(path), object);
}

// Opening an existing file read-write does not truncate it; the writers must not leave the tail
// of a longer previous document behind.
void tst_JsonFiles::writeReplacesLongerFile()
{
    const QString path = m_dir.filePath(QStringLiteral("replaced.json"));
    ZRCommonUtils::writeJsonArray(path, QJsonArray{QStringLiteral("a long first entry"), 2, 3});
    ZRCommonUtils::writeJsonArray(path, QJsonArray{1});
    QCOMPARE(ZRCommonUtils::getJsonArray(path), QJsonArray{1});

    ZRCommonUtils::writeJsonObject(path, QJsonObject{{QStringLiteral("k"), true}});
    QCOMPARE(ZRCommonUtils::getJsonObject(path), QJsonObject({{QStringLiteral("k"), true}}));
    QCOMPARE(ZRCommonUtils::getJsonArray(path), QJsonArray());
}

void tst_JsonFiles::writeToMissingFolder()
{
    const QString folder = m_dir.filePath(QStringLiteral("missing"));
    const QString path = folder + QStringLiteral("/out.json");

    ZRCommonUtils::writeJsonObject(path, QJsonObject{{QStringLiteral("k"), 1}});
    ZRCommonUtils::writeJsonArray(path, QJsonArray{1});

    QVERIFY(!QFile::exists(path));
    QVERIFY(!QDir(folder).exists());
}

void tst_JsonFiles::removeValue_data()
{
    QTest::addColumn<QJsonArray>("array");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QJsonArray>("expected");

    QTest::newRow("a b a") << parseArray(R"([{"name":"a"},{"name":"b"},{"name":"a"}])")
                           << "a" << parseArray(R"([{"name":"b"}])");
    QTest::newRow("adjacent matches") << parseArray(R"([{"name":"a"},{"name":"a"},{"name":"a"},{"name":"b"},{"name":"a"}])")
                                      << "a" << parseArray(R"([{"name":"b"}])");
    QTest::newRow("all match") << parseArray(R"([{"name":"a"},{"name":"a"}])")
                               << "a" << QJsonArray();
    QTest::newRow("case-sensitive") << parseArray(R"([{"name":"A"},{"name":"a","x":1}])")
                                    << "a" << parseArray(R"([{"name":"A"}])");
    QTest::newRow("number is not text") << parseArray(R"([{"name":1},{"name":"1"}])")
                                        << "1" << parseArray(R"([{"name":1}])");
    QTest::newRow("other member") << parseArray(R"([{"id":"a"},{"name":"a"}])")
                                  << "a" << parseArray(R"([{"id":"a"}])");
    QTest::newRow("empty value") << parseArray(R"([1,"a",null,[],{"name":""},{"id":"x"},{"name":2},{"name":"a"}])")
                                 << "" << parseArray(R"([{"name":"a"}])");
    QTest::newRow("empty array") << QJsonArray() << "a" << QJsonArray();
}

void tst_JsonFiles::removeValue()
{
    QFETCH(QJsonArray, array);
    QFETCH(QString, value);
    QFETCH(QJsonArray, expected);

    ZRCommonUtils::removeValueInJsonArray(array, QStringLiteral("name"), value);
    QCOMPARE(array, expected);
}

QTEST_GUILESS_MAIN(tst_JsonFiles)
#include "tst_jsonfiles.moc"
