#include "zrcommonutils.h"

#include <QFile>
#include <QJsonDocument>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class tst_JsonFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void read_data();
    void read();
    void write();
    void removeValue_data();
    void removeValue();
};

void tst_JsonFiles::read_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("arrayAndObject");

    QTest::newRow("array file") << "array.json" << "[[1,2],{}]";
    QTest::newRow("object file") << "object.json" << R"([[],{"name":"a","size":2}])";
    QTest::newRow("malformed") << "malformed.json" << "[[],{}]";
    QTest::newRow("missing") << "missing.json" << "[[],{}]";
    QTest::newRow("folder") << "" << "[[],{}]";
    // Neither blocks nor reads without end.
    QTest::newRow("fifo") << "fifo" << "[[],{}]";
    QTest::newRow("device") << "/dev/zero" << "[[],{}]";
}

void tst_JsonFiles::read()
{
    QFETCH(QString, name);
    QFETCH(QString, arrayAndObject);

    QTemporaryDir dir;
    QString path = name.startsWith(QLatin1Char('/')) ? name : QStringLiteral(ORVO_TEST_DATA "/json/") + name;
    if (name == QLatin1String("fifo")) {
        path = dir.filePath(name);
        QCOMPARE(::mkfifo(qPrintable(path), 0600), 0);
    }
    const QJsonArray both{ZRCommonUtils::getJsonArray(path), ZRCommonUtils::getJsonObject(path)};
    QCOMPARE(QString::fromUtf8(QJsonDocument(both).toJson(QJsonDocument::Compact)), arrayAndObject);
}

void tst_JsonFiles::write()
{
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("out.json"));

    // A shorter document replaces a longer one whole, without its tail.
    ZRCommonUtils::writeJsonObject(path, QJsonObject{{QStringLiteral("a long member name"), 1}});
    ZRCommonUtils::writeJsonArray(path, QJsonArray{1});
    QCOMPARE(ZRCommonUtils::getJsonArray(path), QJsonArray{1});
    ZRCommonUtils::writeJsonObject(path, QJsonObject{{QStringLiteral("a"), QJsonArray{1}}});
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("{\n    \"a\": [\n        1\n    ]\n}\n"));

    // A missing folder is not created.
    ZRCommonUtils::writeJsonArray(dir.filePath(QStringLiteral("missing/out.json")), QJsonArray{1});
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("missing"))));
}

// Matches are on the member "n".
void tst_JsonFiles::removeValue_data()
{
    QTest::addColumn<QString>("array");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("adjacent") << R"([{"n":"a"},{"n":"a"},{"n":"b"}])" << "a" << R"([{"n":"b"}])";
    QTest::newRow("case-sensitive") << R"([{"n":"A"},{"n":"a"}])" << "a" << R"([{"n":"A"}])";
    QTest::newRow("other member") << R"([{"id":"a"},{"n":"a"}])" << "a" << R"([{"id":"a"}])";
    // Non-objects, and members that are missing or not strings, read as "".
    QTest::newRow("empty") << R"([1,{"id":"x"},{"n":2},{"n":"a"}])" << "" << R"([{"n":"a"}])";
}

void tst_JsonFiles::removeValue()
{
    QFETCH(QString, array);
    QFETCH(QString, value);
    QFETCH(QString, expected);

    QJsonArray values = QJsonDocument::fromJson(array.toUtf8()).array();
    ZRCommonUtils::removeValueInJsonArray(values, QStringLiteral("n"), value);
    QCOMPARE(QString::fromUtf8(QJsonDocument(values).toJson(QJsonDocument::Compact)), expected);
}

QTEST_GUILESS_MAIN(tst_JsonFiles)
#include "tst_jsonfiles.moc"
