#include "zrcommonutils.h"

#include <QTest>
#include <QTextCodec>

#include <cmath>
#include <limits>
#include <string>

namespace {

QTextCodec *gbk()
{
    return QTextCodec::codecForName("GBK");
}

QByteArray gbkBytes(int code)
{
    const char bytes[] = {char(code >> 8), char(code & 0xFF)};
    return QByteArray(bytes, 2);
}

QString fromGbk(int code)
{
    return gbk()->toUnicode(gbkBytes(code));
}

// The first character of each initial in the pinyin-ordered first level of GB2312, by code.
struct Boundary
{
    int code;
    const char *character; // UTF-8
    char letter;
};

constexpr Boundary boundaries[] = {
    {0xB0A1, "啊", 'A'}, {0xB0C5, "芭", 'B'}, {0xB2C1, "擦", 'C'}, {0xB4EE, "搭", 'D'},
    {0xB6EA, "蛾", 'E'}, {0xB7A2, "发", 'F'}, {0xB8C1, "噶", 'G'}, {0xB9FE, "哈", 'H'},
    {0xBBF7, "击", 'J'}, {0xBFA6, "喀", 'K'}, {0xC0AC, "垃", 'L'}, {0xC2E8, "妈", 'M'},
    {0xC4C3, "拿", 'N'}, {0xC5B6, "哦", 'O'}, {0xC5BE, "啪", 'P'}, {0xC6DA, "期", 'Q'},
    {0xC8BB, "然", 'R'}, {0xC8F6, "撒", 'S'}, {0xCBFA, "塌", 'T'}, {0xCDDA, "挖", 'W'},
    {0xCEF4, "昔", 'X'}, {0xD1B9, "压", 'Y'}, {0xD4D1, "匝", 'Z'},
};
constexpr int lastFirstLevel = 0xD7F9; // 座

char expectedInitial(int code)
{
    if (code < boundaries[0].code || code > lastFirstLevel)
        return '#';
    char letter = '#';
    for (const Boundary &b : boundaries) {
        if (code >= b.code)
            letter = b.letter;
    }
    return letter;
}

} // namespace

class tst_Conversions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hexText_data();
    void hexText();
    void bytesFromText_data();
    void bytesFromText();
    void doubleToText_data();
    void doubleToText();
    void base64_data();
    void base64();
    void base64Decode_data();
    void base64Decode();
    void ipv4ToText_data();
    void ipv4ToText();
    void textToIpv4_data();
    void textToIpv4();
    void trim_data();
    void trim();
    void boundaryCodes();
    void firstWord_data();
    void firstWord();
};

void tst_Conversions::hexText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("spacing");
    QTest::addColumn<QString>("forward");
    QTest::addColumn<QString>("reversed");

    QTest::newRow("empty") << QByteArray() << false << "" << "";
    QTest::newRow("empty spaced") << QByteArray() << true << "" << "";
    QTest::newRow("one byte spaced") << QByteArray("\x0a") << true << "0A" << "0A";
    QTest::newRow("two bytes") << QByteArray("\x0a\x1b") << false << "0A1B" << "1B0A";
    QTest::newRow("two bytes spaced") << QByteArray("\x0a\x1b") << true << "0A 1B" << "1B 0A";
    QTest::newRow("zero and high") << QByteArray("\x00\xff\x7f", 3) << true << "00 FF 7F"
                                   << "7F FF 00";
}

void tst_Conversions::hexText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, spacing);
    QFETCH(QString, forward);
    QFETCH(QString, reversed);

    QCOMPARE(ZRCommonUtils::ByteArray2String(bytes, spacing), forward);
    QCOMPARE(ZRCommonUtils::ByteArray2StringR(bytes, spacing), reversed);
}

void tst_Conversions::bytesFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<int>("base");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty parts dropped") << "1,,2," << "," << 10 << QByteArray("\x01\x02");
    QTest::newRow("cut to 8 bits") << "300" << "," << 10 << QByteArray("\x2c");
    QTest::newRow("negative") << "-1,-128" << "," << 10 << QByteArray("\xff\x80");
    QTest::newRow("hex") << "ff 0A 7f" << " " << 16 << QByteArray("\xff\x0a\x7f");
    QTest::newRow("binary") << "1010" << "," << 2 << QByteArray("\x0a");
    QTest::newRow("base 0") << "0x1F,017,9" << "," << 0 << QByteArray("\x1f\x0f\x09");
    QTest::newRow("base 0 bad octal") << "08" << "," << 0 << QByteArray(1, '\0');
    QTest::newRow("not a number") << "1,abc,3" << "," << 10 << QByteArray("\x01\x00\x03", 3);
    QTest::newRow("long separator") << "1::2" << "::" << 10 << QByteArray("\x01\x02");
    QTest::newRow("separator case") << "1x2X3" << "x" << 10 << QByteArray("\x01\x00", 2);
    QTest::newRow("empty") << "" << "," << 10 << QByteArray();
}

void tst_Conversions::bytesFromText()
{
    QFETCH(QString, text);
    QFETCH(QString, separator);
    QFETCH(int, base);
    QFETCH(QByteArray, bytes);

    QCOMPARE(ZRCommonUtils::String2ByteArray(text, separator, base), bytes);
}

void tst_Conversions::doubleToText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("precision");
    QTest::addColumn<bool>("rounding");
    QTest::addColumn<QString>("text");

    QTest::newRow("%g exponent") << 1234567.0 << -1 << false << "1.23457e+06";
    QTest::newRow("%g short") << 0.1 << -1 << true << "0.1";
    QTest::newRow("p0 cut") << 2.675 << 0 << false << "2";
    QTest::newRow("p0 rounded") << 2.675 << 0 << true << "3";
    QTest::newRow("p0 negative rounded") << -2.675 << 0 << true << "-3";
    QTest::newRow("p0 largest") << 2147483647.0 << 0 << false << "2147483647";
    QTest::newRow("pi cut") << 3.14159 << 2 << false << "3.14";
    QTest::newRow("pi rounded") << 3.14159 << 2 << true << "3.14";
    QTest::newRow("integer padded") << 5.0 << 3 << false << "5.000";
    QTest::newRow("fraction padded") << 0.05 << 2 << true << "0.05";
    QTest::newRow("carry rounded") << 1.999 << 2 << true << "2.00";
    QTest::newRow("carry cut") << 1.999 << 2 << false << "1.99";
    QTest::newRow("scaling cut") << 0.29 << 2 << false << "0.28";
    QTest::newRow("scaling rounded") << 0.29 << 2 << true << "0.29";
    QTest::newRow("negative fraction") << -0.5 << 2 << false << "-0.50";
    QTest::newRow("negative padded") << -12.05 << 3 << true << "-12.050";
    QTest::newRow("negative carry") << -1.999 << 2 << true << "-2.00";
    QTest::newRow("negative zero") << -0.0 << 2 << false << "0.00";
    QTest::newRow("p9") << 1.5 << 9 << false << "1.500000000";
    QTest::newRow("p10") << 1.5 << 10 << false << "";
    QTest::newRow("p0 overflow") << 2147483648.0 << 0 << false << "";
    QTest::newRow("p0 rounding overflow") << 2147483647.6 << 0 << true << "";
    QTest::newRow("scaled overflow") << 1e9 << 1 << false << "";
    QTest::newRow("negative overflow") << -3e9 << 2 << false << "";
    QTest::newRow("nan") << std::nan("") << 2 << false << "";
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << 0 << true << "";
}

void tst_Conversions::doubleToText()
{
    QFETCH(double, value);
    QFETCH(int, precision);
    QFETCH(bool, rounding);
    QFETCH(QString, text);

    QCOMPARE(ZRCommonUtils::Double2String(value, precision, rounding), text);
}

void tst_Conversions::base64_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("base64");

    QTest::newRow("empty") << "" << "";
    QTest::newRow("no fill") << "Man" << "TWFu";
    QTest::newRow("two fill") << "a" << "YQ==";
    QTest::newRow("utf-8") << QString::fromUtf8("中文") << "5Lit5paH";
    QTest::newRow("alphabet ends") << QString::fromLatin1("\xfb\xff") << "w7vDvw==";
}

void tst_Conversions::base64()
{
    QFETCH(QString, text);
    QFETCH(QString, base64);

    QCOMPARE(ZRCommonUtils::getBase64String(text), base64);
    QCOMPARE(ZRCommonUtils::getStringFromBase64(base64), text);
}

void tst_Conversions::base64Decode_data()
{
    QTest::addColumn<QString>("base64");
    QTest::addColumn<QString>("text");

    QTest::newRow("stops at zero byte") << "YQBi" << "a";
    QTest::newRow("skips foreign characters") << "Y W\nI=" << "ab";
    QTest::newRow("no fill") << "YWI" << "ab";
    QTest::newRow("not base64") << "!!!" << "";
}

void tst_Conversions::base64Decode()
{
    QFETCH(QString, base64);
    QFETCH(QString, text);

    QCOMPARE(ZRCommonUtils::getStringFromBase64(base64), text);
}

void tst_Conversions::ipv4ToText_data()
{
    QTest::addColumn<uint>("address");
    QTest::addColumn<QString>("text");

    QTest::newRow("private") << 0xC0A8010Au << "192.168.1.10";
    QTest::newRow("zero") << 0u << "0.0.0.0";
    QTest::newRow("broadcast") << 0xFFFFFFFFu << "255.255.255.255";
    QTest::newRow("most significant first") << 0x0100007Fu << "1.0.0.127";
}

void tst_Conversions::ipv4ToText()
{
    QFETCH(uint, address);
    QFETCH(QString, text);

    QCOMPARE(ZRCommonUtils::ipv4ToStr(address), text);
    QCOMPARE(ZRCommonUtils::strToIpv4(text), address);
}

void tst_Conversions::textToIpv4_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<uint>("address");

    QTest::newRow("10.0.0.1") << "10.0.0.1" << 167772161u;
    QTest::newRow("three parts") << "10.0.1" << 0u;
    QTest::newRow("empty") << "" << 0u;
    QTest::newRow("five parts") << "1.2.3.4.5" << 0x01020304u;
    QTest::newRow("empty part") << "10..0.1" << 0x0A000001u;
    QTest::newRow("trailing dots") << "1.2.." << 0x01020000u;
    QTest::newRow("not numbers") << "a.b.3.d" << 0x00000300u;
    QTest::newRow("256 overlaps") << "0.256.0.1" << 0x01000001u;
    QTest::newRow("above 255 in last") << "1.2.0.260" << 0x01020104u;
    QTest::newRow("high bits lost") << "300.0.0.0" << 0x2C000000u;
}

void tst_Conversions::textToIpv4()
{
    QFETCH(QString, text);
    QFETCH(uint, address);

    QCOMPARE(ZRCommonUtils::strToIpv4(text), address);
}

void tst_Conversions::trim_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("trimmed");

    QTest::newRow("tabs, line breaks") << QByteArray("\t\ta b  c\r\n \n") << QByteArray("a b  c");
    QTest::newRow("spaces only") << QByteArray("    ") << QByteArray();
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("del and controls") << QByteArray("\x7f\x01 x\x1f\x7f") << QByteArray("x");
    QTest::newRow("zero bytes stay") << QByteArray("\0 a\0", 4) << QByteArray("\0 a\0", 4);
    QTest::newRow("zero inside") << QByteArray(" \0\n", 3) << QByteArray("\0", 1);
    QTest::newRow("high bytes stay") << QByteArray("\xa0\xe4\xb8\xad\xff") << QByteArray("\xa0\xe4\xb8\xad\xff");
}

void tst_Conversions::trim()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, trimmed);

    std::string s = bytes.toStdString();
    std::string &result = ZRCommonUtils::trim(s);
    QCOMPARE(&result, &s);
    QCOMPARE(QByteArray::fromStdString(s), trimmed);
}

// Guards the test's own table: each boundary code decodes to the character it names.
void tst_Conversions::boundaryCodes()
{
    QVERIFY(gbk());
    for (const Boundary &b : boundaries)
        QCOMPARE(fromGbk(b.code), QString::fromUtf8(b.character));
    QCOMPARE(fromGbk(lastFirstLevel), QString::fromUtf8("座"));
}

// Every cell of the GB2312 grid, then text outside it. The grid's expectation comes from the
// boundary characters' codes, not from zone arithmetic; cells outside the first level that this
// GBK codec cannot round-trip are left out.
void tst_Conversions::firstWord_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<char>("initial");

    QTextCodec *codec = gbk();
    QVERIFY(codec);
    for (int zone = 1; zone <= 94; ++zone) {
        for (int position = 1; position <= 94; ++position) {
            const int code = (0xA0 + zone) << 8 | (0xA0 + position);
            const QString character = fromGbk(code);
            const bool firstLevel = code >= boundaries[0].code && code <= lastFirstLevel;
            if (!firstLevel && codec->fromUnicode(character) != gbkBytes(code))
                continue;
            QTest::addRow("%04X", code) << character + QString::fromUtf8("明") << expectedInitial(code);
        }
    }

    QTest::newRow("Zoe") << "Zoe" << 'Z';
    QTest::newRow("zoe") << "zoe" << 'z';
    QTest::newRow("empty") << "" << '\0';
    QTest::newRow("one byte") << "9" << '9';
    QTest::newRow("ASCII before Chinese") << QString::fromUtf8("a啊") << 'a';
    QTest::newRow("one Chinese character") << QString::fromUtf8("吴") << 'W';
    // GBK extensions outside GB2312 keep their lead byte.
    QTest::newRow("GBK lead 0x81") << QString::fromUtf8("丂") << char(0x81);
    QTest::newRow("GBK trail below 0xA1") << fromGbk(0xB040) << char(0xB0);
    // Text GBK cannot encode comes out as the codec's substitution byte.
    QTest::newRow("Hangul") << QString::fromUtf8("한국") << '?';
    QTest::newRow("emoji") << QString::fromUtf8("😀") << '?';
}

void tst_Conversions::firstWord()
{
    QFETCH(QString, text);
    QFETCH(char, initial);

    QCOMPARE(ZRCommonUtils::getFirstWord(text), initial);
}

int main(int argc, char *argv[])
{
    // The initial must not depend on the locale's codec: make it one that would break a
    // locale-based encoding.
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    QCoreApplication app(argc, argv);
    tst_Conversions test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_conversions.moc"
