#include "tsvrows.h"
#include "zrcommonutils.h"

#include <QTest>
#include <QTextCodec>

class tst_Conversions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The initial must not depend on the locale's codec: make it one that breaks a locale-based
    // encoding.
    void initTestCase() { QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8")); }
    void conversions_data();
    void conversions();
};

// The fixture's fields are percent-encoded bytes.
void tst_Conversions::conversions_data()
{
    addTsvRows(QStringLiteral("conversions/cases.tsv"), {"case", "function", "input", "argument", "argument2", "expected"});

    // Every cell of the GB2312 grid. The expected initial comes from where the cell falls among
    // the first characters of each initial's run, compared by code (byte order is code order),
    // not from zone arithmetic. Cells outside the first level that GBK cannot round-trip are left
    // out.
    const QTextCodec *gbk = QTextCodec::codecForName("GBK");
    QVERIFY(gbk);
    const char letters[] = "ABCDEFGHJKLMNOPQRSTWXYZ";
    // Ends with 座, the last character of the first level.
    const QByteArray runs = gbk->fromUnicode(QString::fromUtf8("啊芭擦搭蛾发噶哈击喀垃妈拿哦啪期然撒塌挖昔压匝座"));
    for (int n = 0; n < 94 * 94; ++n) {
        const QByteArray cell = QByteArray(1, char(0xA1 + n / 94)) + char(0xA1 + n % 94);
        char initial = '#';
        for (int i = 0; letters[i] && cell <= runs.right(2); ++i)
            initial = cell >= runs.mid(2 * i, 2) ? letters[i] : initial;
        const QString character = gbk->toUnicode(cell);
        if (initial != '#' || gbk->fromUnicode(character) == cell) {
            QTest::addRow("firstWord: zone %d position %d", n / 94 + 1, n % 94 + 1) << QString() << QStringLiteral("firstWord")
                << QString::fromUtf8((character + QString::fromUtf8("明")).toUtf8().toPercentEncoding()) << QString() << QString()
                << QString(QLatin1Char(initial));
        }
    }
}

// Every result is turned into bytes, so that one table compares them all.
void tst_Conversions::conversions()
{
    using U = ZRCommonUtils;
    QByteArrayList call;
    for (const char *column : {"function", "input", "argument", "argument2", "expected"})
        call << QByteArray::fromPercentEncoding(tsvField(column).toUtf8());
    const QByteArray &function = call.at(0), &in = call.at(1), &expected = call.at(4);
    const QString text = QString::fromUtf8(in);
    std::string s = in.toStdString();
    QByteArray actual = "no result for " + function;
    if (function == "hex") // forward|reversed
        actual = (U::ByteArray2String(in, call.at(2) == "1") + QLatin1Char('|')
                  + U::ByteArray2StringR(in, call.at(2) == "1")).toLatin1();
    else if (function == "bytes")
        actual = U::String2ByteArray(text, QString::fromUtf8(call.at(2)), call.at(3).toInt());
    else if (function == "double")
        actual = U::Double2String(in.toDouble(), call.at(2).toInt(), call.at(3) == "1").toUtf8();
    else if (function == "toBase64")
        actual = U::getBase64String(text).toUtf8();
    else if (function == "fromBase64")
        actual = U::getStringFromBase64(text).toUtf8();
    else if (function == "ipv4ToStr")
        actual = U::ipv4ToStr(in.toUInt(nullptr, 16)).toUtf8();
    else if (function == "strToIpv4")
        actual = QByteArray::number(U::strToIpv4(text), 16);
    else if (function == "firstWord")
        actual = QByteArray(1, U::getFirstWord(text));
    else if (function == "trim" && &U::trim(s) == &s)
        actual = QByteArray::fromStdString(s);
    QCOMPARE(actual, expected);
}

QTEST_GUILESS_MAIN(tst_Conversions)
#include "tst_conversions.moc"
