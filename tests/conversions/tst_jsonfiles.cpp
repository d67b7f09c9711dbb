#include "tsvrows.h"
#include "zrcommonutils.h"

#include <QDir>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <sys/stat.h>

class tst_JsonFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void read_data() { addTsvRows(QStringLiteral("json/reads.tsv"), {"case", "file", "read"}); }
    void read();
    void write();
    void removeValue_data() { addTsvRows(QStringLiteral("json/removals.tsv"), {"case", "array", "value", "left"}); }
    void removeValue();
};

// A FIFO or a device neither blocks nor is read without end.
void tst_JsonFiles::read()
{
    QTemporaryDir dir;
    const QString name = tsvField("file");
    const bool fifo = name == QLatin1String("fifo");
    const QString path = fifo ? dir.filePath(name) : QDir(QStringLiteral(ORVO_TEST_DATA "/json")).filePath(name);
    QVERIFY(!fifo || ::mkfifo(qPrintable(path), 0600) == 0);
    const QJsonArray read{ZRCommonUtils::getJsonArray(path), ZRCommonUtils::getJsonObject(path)};
    QCOMPARE(QJsonDocument(read).toJson(QJsonDocument::Compact), tsvField("read").toUtf8());
}

void tst_JsonFiles::write()
{
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

void tst_JsonFiles::removeValue()
{
    QJsonArray values = QJsonDocument::fromJson(tsvField("array").toUtf8()).array();
    ZRCommonUtils::removeValueInJsonArray(values, QStringLiteral("n"), tsvField("value"));
    QCOMPARE(QJsonDocument(values).toJson(QJsonDocument::Compact), tsvField("left").toUtf8());
}

QTEST_GUILESS_MAIN(tst_JsonFiles)
#include "tst_jsonfiles.moc"
