#include "registryexport_p.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTextCodec>

using namespace OrvoKiv::Platform;

namespace {

const QString tesvari = QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Tesvari");
const QString quirks = QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Tesvari\\Quirks");

QByteArray fixture(const QString &name)
{
    QFile file(QStringLiteral(ORVO_TEST_DATA "/registry/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}

// Collects the debug lines written while it lives.
class DebugLines
{
public:
    DebugLines() { s_lines.clear(); s_previous = qInstallMessageHandler(collect); }
    ~DebugLines() { qInstallMessageHandler(s_previous); }
    static QStringList s_lines;

private:
    static void collect(QtMsgType, const QMessageLogContext &, const QString &line) { s_lines.append(line); }
    static inline QtMessageHandler s_previous = nullptr;
};
QStringList DebugLines::s_lines;

RegistryExport parseQuietly(const QByteArray &bytes, const QString &source = QStringLiteral("t.reg"))
{
    DebugLines quiet;
    return RegistryExport::parse(bytes, source);
}

std::optional<RegistryValue> valueOf(const RegistryTree &tree, const QString &key, const QString &name)
{
    return tree.value(RegistryKeyPath::fromString(key), name);
}

} // namespace

class RegistryExportTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void values_data();
    void values();
    void subKeys_data();
    void subKeys();
    void encodings_data();
    void encodings();
    void debugLines_data();
    void debugLines();
    void layering_data();
    void layering();
    void truncatedExportKeepsWhatCameBefore();
};

void RegistryExportTest::values_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("present");
    QTest::addColumn<QString>("text");

    const QStringList lines = QString::fromUtf8(fixture(QStringLiteral("values.tsv"))).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList f = line.split(QLatin1Char('\t'));
        QVERIFY2(f.size() == 5, qPrintable(line));
        const bool present = f[4] != QLatin1String("(missing)");
        QTest::newRow(qPrintable(f[0])) << f[1] << f[2] << f[3] << present
                                        << (present ? QString(f[4]).replace(QChar(0x23CE), QLatin1Char('\n')) : QString());
    }
}

void RegistryExportTest::values()
{
    QFETCH(QString, file);
    QFETCH(QString, key);
    QFETCH(QString, name);
    QFETCH(bool, present);
    QFETCH(QString, text);

    const RegistryExport parsed = parseQuietly(fixture(file));
    const auto value = valueOf(parsed.tree(), key, name);
    QCOMPARE(bool(value), present);
    if (value)
        QCOMPARE(value->text, text);
    QCOMPARE(parsed.tree().text(RegistryKeyPath::fromString(key), name), text);
}

void RegistryExportTest::subKeys_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("expected");

    const auto row = [](const char *tag, const char *file, const QString &key, const char *expected) {
        QTest::newRow(tag) << QString::fromUtf8(file) << key
                           << QString::fromUtf8(expected).split(QLatin1Char('|'), Qt::SkipEmptyParts);
    };
    row("regedit's order", "exported/tesvari.reg", tesvari + QStringLiteral("\\OrvoKiv6\\Plugins"),
        "_Legacy|Annotate|whiteboard");
    row("any spelling of the path", "exported/tesvari.reg", QStringLiteral("hklm\\software\\\\tesvari\\"),
        "OrvoKiv6|课堂助手");
    row("parents are created", "exported/uninstall.reg", QStringLiteral("HKEY_LOCAL_MACHINE"), "SOFTWARE");
    row("deleted key is gone", "quirks.reg", quirks, "a/b|Alias|Bracket]x");
    row("leaf", "quirks.reg", quirks + QStringLiteral("\\Alias"), "");
    row("unknown root", "quirks.reg", QStringLiteral("HKEY_NOWHERE"), "");
}

void RegistryExportTest::subKeys()
{
    QFETCH(QString, file);
    QFETCH(QString, key);
    QFETCH(QStringList, expected);

    QCOMPARE(parseQuietly(fixture(file)).tree().subKeys(RegistryKeyPath::fromString(key)), expected);
}

void RegistryExportTest::encodings_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QString body = QStringLiteral("\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tesvari\\课堂助手]\n"
                                        "\"InstallPath\"=\"D:\\\\教学软件\\\\课堂助手\"\n");
    const QString unicode = QStringLiteral("Windows Registry Editor Version 5.00\n") + body;
    const QString ansi = QStringLiteral("REGEDIT4\n") + body;
    const auto crlf = [](QString text) { return text.replace(QLatin1Char('\n'), QLatin1String("\r\n")); };
    const auto encoded = [](const char *codec, const QString &text) {
        return QTextCodec::codecForName(codec)->fromUnicode(text); // UTF-16 with its byte-order mark
    };

    QTest::newRow("utf-16le bom crlf") << encoded("UTF-16LE", crlf(unicode));
    QTest::newRow("utf-16le no bom") << encoded("UTF-16LE", crlf(unicode)).mid(2);
    QTest::newRow("utf-16be bom") << encoded("UTF-16BE", crlf(unicode));
    QTest::newRow("utf-16be no bom") << encoded("UTF-16BE", unicode).mid(2);
    QTest::newRow("utf-8 bom crlf") << QByteArray("\xEF\xBB\xBF") + crlf(unicode).toUtf8();
    QTest::newRow("utf-8 lf") << unicode.toUtf8();
    QTest::newRow("utf-8 cr") << QString(unicode).replace(QLatin1Char('\n'), QLatin1Char('\r')).toUtf8();
    QTest::newRow("regedit4 gbk") << encoded("GBK", crlf(ansi));
    QTest::newRow("regedit4 utf-8") << ansi.toUtf8();
}

void RegistryExportTest::encodings()
{
    QFETCH(QByteArray, bytes);

    const RegistryExport parsed = parseQuietly(bytes);
    QVERIFY(parsed.isValid());
    QCOMPARE(parsed.tree().text(RegistryKeyPath::fromString(tesvari + QStringLiteral("\\课堂助手")),
                                QStringLiteral("InstallPath")),
             QStringLiteral("D:\\教学软件\\课堂助手"));
}

void RegistryExportTest::debugLines_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QList<int>>("lines");

    for (const char *clean : {"exported/tesvari.reg", "exported/uninstall.reg", "exported/wow6432node.reg",
                              "exported/classes-extension.reg", "exported/classes-progid.reg",
                              "utf8-bom.reg", "utf8.reg", "utf16le-nobom.reg", "regedit4-gbk.reg",
                              "layered/10-base.reg", "layered/20-site.reg", "layered/30-LOCAL.REG",
                              "truncated-utf16.reg"})
        QTest::newRow(clean) << QString::fromUtf8(clean) << true << QList<int>();
    QTest::newRow("quirks") << QStringLiteral("quirks.reg") << true << QList<int>{6, 38};
    QTest::newRow("malformed") << QStringLiteral("malformed.reg") << true
                               << QList<int>{5, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16, 18, 21, 23, 25, 27, 29, 30};
    QTest::newRow("bad header") << QStringLiteral("bad-header.reg") << false << QList<int>{1};
    QTest::newRow("garbage") << QStringLiteral("garbage.reg") << false << QList<int>{1};
    QTest::newRow("empty") << QString() << false << QList<int>{1};
}

void RegistryExportTest::debugLines()
{
    QFETCH(QString, file);
    QFETCH(bool, valid);
    QFETCH(QList<int>, lines);

    const QString source = QStringLiteral("/etc/Tesvari/registry/") + file;
    const QByteArray bytes = file.isEmpty() ? QByteArray() : fixture(file);
    QStringList messages;
    {
        DebugLines capture;
        QCOMPARE(RegistryExport::parse(bytes, source).isValid(), valid);
        messages = DebugLines::s_lines;
    }

    const QRegularExpression format(QStringLiteral("^RegistryExport::parse: (.+) line (\\d+) - \\S"));
    QList<int> logged;
    for (const QString &message : qAsConst(messages)) {
        const QRegularExpressionMatch match = format.match(message);
        QVERIFY2(match.hasMatch(), qPrintable(message));
        QCOMPARE(match.captured(1), source);
        logged.append(match.captured(2).toInt());
    }
    QCOMPARE(logged, lines);
}

void RegistryExportTest::layering_data()
{
    QTest::addColumn<QString>("later");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("present");
    QTest::addColumn<QString>("text");

    // over "[HKEY_CURRENT_USER\A]" "v"="earlier" and "[HKEY_CURRENT_USER\A\B]" "w"="earlier"
    const auto row = [](const char *tag, const char *later, const char *key, const char *name, bool present,
                        const char *text = "") {
        QTest::newRow(tag) << QString::fromUtf8(later) << QString::fromUtf8(key) << QString::fromUtf8(name)
                           << present << QString::fromUtf8(text);
    };
    row("later value wins", "[HKCU\\a]\n\"V\"=\"later\"", "HKCU\\A", "v", true, "later");
    row("untouched value stays", "[HKCU\\A]\n\"x\"=\"later\"", "HKCU\\A", "v", true, "earlier");
    row("value deleted", "[HKCU\\A]\n\"v\"=-", "HKCU\\A", "v", false);
    row("key deleted with sub-keys", "[-HKCU\\A]", "HKCU\\A\\B", "w", false);
    row("deleted then recreated", "[-HKCU\\A]\n[HKCU\\A]\n\"n\"=\"new\"", "HKCU\\A", "v", false);
    row("recreated key has new values", "[-HKCU\\A]\n[HKCU\\A]\n\"n\"=\"new\"", "HKCU\\A", "n", true, "new");
    row("set then deleted later", "[HKCU\\A]\n\"v\"=\"mid\"\n\"v\"=-", "HKCU\\A", "v", false);
    row("deleted then set later", "[HKCU\\A]\n\"v\"=-\n\"v\"=\"again\"", "HKCU\\A", "v", true, "again");
}

void RegistryExportTest::layering()
{
    QFETCH(QString, later);
    QFETCH(QString, key);
    QFETCH(QString, name);
    QFETCH(bool, present);
    QFETCH(QString, text);

    const QString header = QStringLiteral("Windows Registry Editor Version 5.00\n\n");
    RegistryTree registry;
    parseQuietly((header + QStringLiteral("[HKEY_CURRENT_USER\\A]\n\"v\"=\"earlier\"\n"
                                          "[HKEY_CURRENT_USER\\A\\B]\n\"w\"=\"earlier\"\n")).toUtf8())
        .applyTo(&registry);
    parseQuietly((header + later).toUtf8()).applyTo(&registry);
    const auto value = valueOf(registry, key, name);
    QCOMPARE(bool(value), present);
    QCOMPARE(registry.text(RegistryKeyPath::fromString(key), name), text);
}

void RegistryExportTest::truncatedExportKeepsWhatCameBefore()
{
    const QByteArray full = fixture(QStringLiteral("exported/tesvari.reg"));
    const QByteArray wanted = QByteArray::fromRawData(reinterpret_cast<const char *>(u"\"InstallPath\""), 26);
    const int lineEnd = full.indexOf(QByteArray("\r\0\n\0", 4), full.indexOf(wanted));
    QVERIFY(lineEnd > 0);
    const RegistryKeyPath key = RegistryKeyPath::fromString(tesvari + QStringLiteral("\\OrvoKiv6"));

    DebugLines quiet;
    for (int size = 0; size <= full.size(); ++size) {
        const RegistryExport parsed = RegistryExport::parse(full.left(size), QStringLiteral("cut.reg"));
        if (size >= lineEnd)
            QCOMPARE(parsed.tree().text(key, QStringLiteral("InstallPath")),
                     QStringLiteral("C:\\Program Files\\Tesvari\\OrvoKiv6"));
    }
}

QTEST_GUILESS_MAIN(RegistryExportTest)

#include "tst_registryexport.moc"
