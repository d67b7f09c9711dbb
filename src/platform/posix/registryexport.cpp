#include "registryexport_p.h"

#include "orvolog_p.h"

#include <QTextCodec>
#include <QtEndian>

#include <optional>

namespace OrvoKiv {
namespace Platform {

namespace {

const QLatin1String unicodeHeader("Windows Registry Editor Version 5.00");
const QLatin1String ansiHeader("REGEDIT4");

// The ANSI code page of the systems the suite runs on; REGEDIT4 files and their hex(2) and
// hex(7) data are written in it.
QTextCodec *ansiCodec()
{
    static QTextCodec *const codec = [] {
        QTextCodec *gbk = QTextCodec::codecForName("GBK");
        return gbk ? gbk : QTextCodec::codecForMib(4 /* ISO-8859-1 */);
    }();
    return codec;
}

QString fromUtf16(const char *data, qsizetype size, bool bigEndian)
{
    const qsizetype units = size / 2; // a truncated last unit is dropped
    QString text(int(units), Qt::Uninitialized);
    if (bigEndian)
        qFromBigEndian<quint16>(data, units, text.data());
    else
        qFromLittleEndian<quint16>(data, units, text.data());
    return text;
}

// Without a byte-order mark, UTF-16 shows as a NUL in every other byte of the ASCII header.
bool looksLikeUtf16(const QByteArray &bytes, int zeroByte)
{
    const int pairs = qMin(bytes.size() / 2, 64);
    if (pairs == 0)
        return false;
    int zeros = 0;
    int others = 0;
    for (int i = 0; i < pairs; ++i) {
        zeros += bytes.at(2 * i + zeroByte) == 0;
        others += bytes.at(2 * i + 1 - zeroByte) != 0;
    }
    return zeros * 4 >= pairs * 3 && others * 4 >= pairs * 3;
}

QString decode8Bit(const char *data, int size)
{
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    const QString text = QTextCodec::codecForMib(106 /* UTF-8 */)->toUnicode(data, size, &state);
    if (state.invalidChars == 0 && state.remainingChars == 0)
        return text;
    return ansiCodec()->toUnicode(data, size);
}

QString decodeFile(const QByteArray &bytes)
{
    const char *data = bytes.constData();
    const int size = bytes.size();
    if (bytes.startsWith("\xFF\xFE"))
        return fromUtf16(data + 2, size - 2, false);
    if (bytes.startsWith("\xFE\xFF"))
        return fromUtf16(data + 2, size - 2, true);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return decode8Bit(data + 3, size - 3);
    if (looksLikeUtf16(bytes, 1))
        return fromUtf16(data, size, false);
    if (looksLikeUtf16(bytes, 0))
        return fromUtf16(data, size, true);
    return decode8Bit(data, size);
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QStringView skipBlanks(QStringView s)
{
    qsizetype i = 0;
    while (i < s.size() && isBlank(s.at(i)))
        ++i;
    return s.mid(i);
}

// Nothing but blanks or a comment.
bool isLineEnd(QStringView s)
{
    s = skipBlanks(s);
    return s.isEmpty() || s.front() == QLatin1Char(';');
}

int hexDigit(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// Reads up to `maxDigits` hex digits from the start of `s`; none, or more, is a failure.
std::optional<quint32> readHexNumber(QStringView s, int maxDigits, qsizetype *length)
{
    quint32 number = 0;
    qsizetype i = 0;
    for (; i < s.size() && hexDigit(s.at(i)) >= 0; ++i) {
        if (i == maxDigits)
            return std::nullopt;
        number = number * 16 + quint32(hexDigit(s.at(i)));
    }
    if (i == 0)
        return std::nullopt;
    *length = i;
    return number;
}

QString cutAtNul(QString text)
{
    const int nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

QByteArray cutAtNul(const QByteArray &bytes)
{
    const int nul = bytes.indexOf('\0');
    return nul < 0 ? bytes : bytes.left(nul);
}

// The elements of a multi-string, up to its first empty one.
QStringList multiStrings(const QByteArray &bytes, bool unicode)
{
    QStringList strings;
    if (unicode) {
        const QString all = fromUtf16(bytes.constData(), bytes.size(), false);
        for (const QStringRef &s : all.splitRef(QChar(0))) {
            if (s.isEmpty())
                break;
            strings.append(s.toString());
        }
    } else {
        for (const QByteArray &s : bytes.split('\0')) {
            if (s.isEmpty())
                break;
            strings.append(ansiCodec()->toUnicode(s));
        }
    }
    return strings;
}

// The string form of binary-encoded data. String types are cut at their first NUL, a
// multi-string has a string form only when it holds exactly one string (so lists read as
// they do through QVariant::toString()), numbers must have their exact size; the other types
// have none. REGEDIT4 files carry string data in the ANSI code page.
RegistryValue valueFromBytes(quint32 type, const QByteArray &bytes, bool unicode)
{
    RegistryValue value;
    value.type = type;
    switch (type) {
    case RegistryValue::String:
    case RegistryValue::ExpandString:
        value.text = unicode ? cutAtNul(fromUtf16(bytes.constData(), bytes.size(), false))
                             : ansiCodec()->toUnicode(cutAtNul(bytes));
        break;
    case RegistryValue::MultiString: {
        const QStringList strings = multiStrings(bytes, unicode);
        if (strings.size() == 1)
            value.text = strings.constFirst();
        break;
    }
    case RegistryValue::DWord:
        if (bytes.size() == 4)
            value.text = QString::number(qFromLittleEndian<quint32>(bytes.constData()));
        break;
    case RegistryValue::QWord:
        if (bytes.size() == 8)
            value.text = QString::number(qFromLittleEndian<quint64>(bytes.constData()));
        break;
    default:
        break;
    }
    return value;
}

enum class HexList { Done, Continued, Failed };

// Appends the bytes of one line of a hex list ("41,00,42,\") to `bytes`. Like regedit, a blank
// may follow a comma but not precede one.
HexList readHexList(QStringView s, QByteArray *bytes)
{
    qsizetype i = 0;
    for (;;) {
        while (i < s.size() && isBlank(s.at(i)))
            ++i;
        if (i == s.size() || s.at(i) == QLatin1Char(';'))
            return HexList::Done;
        if (s.at(i) == QLatin1Char('\\'))
            return isLineEnd(s.mid(i + 1)) ? HexList::Continued : HexList::Failed;
        qsizetype length = 0;
        const auto byte = readHexNumber(s.mid(i), 8, &length);
        if (!byte || *byte > 0xFF)
            return HexList::Failed;
        bytes->append(char(*byte));
        i += length;
        if (i < s.size() && s.at(i) == QLatin1Char(','))
            ++i;
        else
            return isLineEnd(s.mid(i)) ? HexList::Done : HexList::Failed;
    }
}

} // namespace

// Reads an export line by line, as regedit's import does.
class RegistryExportParser
{
public:
    RegistryExportParser(RegistryExport *result, const QString &source)
        : m_result(result)
        , m_source(source)
    {
    }

    void parse(const QString &text);

private:
    struct PendingHex
    {
        QString name;
        quint32 type;
        QByteArray bytes;
        int line;
    };

    bool readHeader(QStringView line);
    void readLine(QStringView line, int number);
    bool continueHex(QStringView line, int number);
    void readKey(QStringView line, int number);
    void readValue(QStringView line, int number);
    void readValueData(QStringView line, int number);
    std::optional<QString> readQuoted(QStringView s, QStringView *rest);
    void readHexPart(QStringView text, int number);
    void finishHex();
    void store(const QString &name, const RegistryValue &value, int number);
    void complain(int number, QLatin1String what);

    RegistryExport *m_result;
    const QString &m_source;
    bool m_unicode = true;
    std::optional<RegistryKeyPath> m_key;
    std::optional<PendingHex> m_hex;
    bool m_unknownEscape = false;
    int m_complaints = 0;
};

void RegistryExportParser::parse(const QString &text)
{
    QStringView rest(text);
    for (int number = 1;; ++number) {
        qsizetype end = 0;
        while (end < rest.size() && rest.at(end) != QLatin1Char('\n')
               && rest.at(end) != QLatin1Char('\r'))
            ++end;
        const QStringView line = rest.left(end);
        if (number == 1) {
            if (!readHeader(line)) {
                complain(number, QLatin1String("not a registry export: unknown header"));
                return;
            }
            m_result->m_valid = true;
        } else {
            readLine(line, number);
        }
        if (end == rest.size())
            break;
        const bool crlf = rest.at(end) == QLatin1Char('\r') && end + 1 < rest.size()
            && rest.at(end + 1) == QLatin1Char('\n');
        rest = rest.mid(end + (crlf ? 2 : 1));
    }
    // regedit keeps a hex list whose last line still asked for a continuation
    if (m_hex)
        finishHex();
}

bool RegistryExportParser::readHeader(QStringView line)
{
    const QStringView header = line.trimmed();
    m_unicode = header == unicodeHeader;
    return m_unicode || header == ansiHeader;
}

void RegistryExportParser::readLine(QStringView line, int number)
{
    if (m_hex && continueHex(line, number))
        return;
    const QStringView s = skipBlanks(line);
    if (s.isEmpty() || s.front() == QLatin1Char(';'))
        return;
    switch (s.front().unicode()) {
    case '[':
        readKey(s, number);
        break;
    case '@':
    case '"':
        readValue(s, number);
        break;
    default:
        complain(number, QLatin1String("neither a key, a value nor a comment"));
        break;
    }
}

// Adds one line's share of a hex list to the pending value.
void RegistryExportParser::readHexPart(QStringView text, int number)
{
    switch (readHexList(text, &m_hex->bytes)) {
    case HexList::Done:
        finishHex();
        break;
    case HexList::Continued:
        break;
    case HexList::Failed:
        complain(number, QLatin1String("bad hex list"));
        m_hex.reset();
        break;
    }
}

// Returns false when the line is not a continuation after all and must be read on its own.
bool RegistryExportParser::continueHex(QStringView line, int number)
{
    const QStringView s = skipBlanks(line);
    if (s.isEmpty() || s.front() == QLatin1Char(';'))
        return true;
    const ushort first = s.front().unicode();
    if (first == '[' || first == '"' || first == '@') {
        // regedit would swallow this line too; losing a key header to a stray backslash
        // would put the values below it into the wrong key
        complain(m_hex->line, QLatin1String("hex list ends with a backslash but does not go on"));
        m_hex.reset();
        return false;
    }
    readHexPart(s, number);
    return true;
}

void RegistryExportParser::readKey(QStringView line, int number)
{
    // Values after a key header that cannot be read must not land in the key before it.
    m_key.reset();
    qsizetype close = line.size() - 1;
    while (close > 0 && line.at(close) != QLatin1Char(']'))
        --close;
    if (close <= 0) {
        complain(number, QLatin1String("key without a closing bracket"));
        return;
    }
    QStringView name = line.mid(1, close - 1);
    const bool remove = name.startsWith(QLatin1Char('-'));
    if (remove)
        name = name.mid(1);
    const RegistryKeyPath path = RegistryKeyPath::fromExportName(name);
    if (!path.isValid()) {
        complain(number, QLatin1String("key path without a known root key"));
        return;
    }
    if (!remove) {
        m_result->m_tree.createKey(path);
        m_key = path;
    } else if (path.isRoot()) {
        complain(number, QLatin1String("a root key cannot be deleted"));
    } else {
        m_result->m_tree.removeKey(path);
        m_result->m_removedKeys.append(path);
    }
}

// An unknown escape is reported only when nothing worse is wrong with the line.
void RegistryExportParser::readValue(QStringView line, int number)
{
    m_unknownEscape = false;
    const int complaints = m_complaints;
    readValueData(line, number);
    if (m_unknownEscape && m_complaints == complaints)
        complain(number, QLatin1String("unknown escape sequence, backslash dropped"));
}

void RegistryExportParser::readValueData(QStringView line, int number)
{
    QString name;
    QStringView rest;
    if (line.front() == QLatin1Char('@')) {
        rest = line.mid(1);
    } else {
        auto quoted = readQuoted(line, &rest);
        if (!quoted) {
            complain(number, QLatin1String("value name without a closing quote"));
            return;
        }
        name = std::move(*quoted);
    }
    rest = skipBlanks(rest);
    if (!rest.startsWith(QLatin1Char('='))) {
        complain(number, QLatin1String("no '=' after the value name"));
        return;
    }
    rest = skipBlanks(rest.mid(1));

    if (rest.startsWith(QLatin1Char('"'))) {
        QStringView after;
        const auto text = readQuoted(rest, &after);
        if (!text || !isLineEnd(after)) {
            complain(number, QLatin1String("string without a closing quote or with text after it"));
            return;
        }
        store(name, RegistryValue{RegistryValue::String, cutAtNul(*text)}, number);
    } else if (rest.startsWith(QLatin1Char('-'))) {
        if (!isLineEnd(rest.mid(1))) {
            complain(number, QLatin1String("text after a value deletion"));
        } else if (!m_key) {
            complain(number, QLatin1String("value outside a key"));
        } else {
            m_result->m_tree.removeValue(*m_key, name);
            m_result->m_removedValues.append(qMakePair(*m_key, name));
        }
    } else if (rest.startsWith(QLatin1String("dword:"))) {
        const QStringView digits = skipBlanks(rest.mid(6));
        qsizetype length = 0;
        const auto number32 = readHexNumber(digits, 8, &length);
        if (!number32 || !isLineEnd(digits.mid(length))) {
            complain(number, QLatin1String("dword needs one to eight hex digits"));
            return;
        }
        store(name, RegistryValue{RegistryValue::DWord, QString::number(*number32)}, number);
    } else if (rest.startsWith(QLatin1String("hex"))) {
        quint32 type = RegistryValue::Binary;
        rest = rest.mid(3);
        if (rest.startsWith(QLatin1Char('('))) {
            qsizetype length = 0;
            const auto given = readHexNumber(rest.mid(1), 8, &length);
            rest = rest.mid(1 + length);
            if (!given || !rest.startsWith(QLatin1Char(')'))) {
                complain(number, QLatin1String("bad hex(type)"));
                return;
            }
            type = *given;
            rest = rest.mid(1);
        }
        if (!rest.startsWith(QLatin1Char(':'))) {
            complain(number, QLatin1String("unknown value type"));
            return;
        }
        m_hex = PendingHex{name, type, QByteArray(), number};
        readHexPart(rest.mid(1), number);
    } else {
        complain(number, QLatin1String("unknown value type"));
    }
}

// `s` starts with the opening quote; `rest` receives what follows the closing one. Escapes are
// regedit's: \\, \", \n, \r and \0; any other backslash is dropped.
std::optional<QString> RegistryExportParser::readQuoted(QStringView s, QStringView *rest)
{
    QString text;
    text.reserve(int(s.size()));
    for (qsizetype i = 1; i < s.size(); ++i) {
        QChar c = s.at(i);
        if (c == QLatin1Char('"')) {
            *rest = s.mid(i + 1);
            return text;
        }
        if (c == QLatin1Char('\\') && i + 1 < s.size()) {
            c = s.at(++i);
            switch (c.unicode()) {
            case '\\':
            case '"':
                break;
            case 'n':
                c = QLatin1Char('\n');
                break;
            case 'r':
                c = QLatin1Char('\r');
                break;
            case '0':
                c = QChar(0);
                break;
            default:
                m_unknownEscape = true;
                break;
            }
        }
        text.append(c);
    }
    return std::nullopt;
}

void RegistryExportParser::finishHex()
{
    const PendingHex hex = std::move(*m_hex);
    m_hex.reset();
    store(hex.name, valueFromBytes(hex.type, hex.bytes, m_unicode), hex.line);
}

void RegistryExportParser::store(const QString &name, const RegistryValue &value, int number)
{
    if (!m_key) {
        complain(number, QLatin1String("value outside a key"));
        return;
    }
    m_result->m_tree.setValue(*m_key, name, value);
}

void RegistryExportParser::complain(int number, QLatin1String what)
{
    ++m_complaints;
    orvoDebug().noquote() << QLatin1String("RegistryExport::parse:") << m_source
                          << QLatin1String("line") << number << QLatin1String("-") << what;
}

RegistryExport RegistryExport::parse(const QByteArray &bytes, const QString &source)
{
    RegistryExport result;
    RegistryExportParser(&result, source).parse(decodeFile(bytes));
    return result;
}

void RegistryExport::applyTo(RegistryTree *registry) const
{
    for (const RegistryKeyPath &key : m_removedKeys)
        registry->removeKey(key);
    for (const auto &value : m_removedValues)
        registry->removeValue(value.first, value.second);
    registry->overlay(m_tree);
}

} // namespace Platform
} // namespace OrvoKiv
