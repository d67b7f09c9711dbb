#include "inivalues_p.h"

#include <QDataStream>
#include <QHash>
#include <QMetaType>
#include <QTextCodec>
#include <QVariant>

#include <algorithm>
#include <cstring>

namespace OrvoKiv {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Calls `visit(from, to)` with the raw value of every key line, splitting the text into lines as
// QSettings does: a backslash escapes the next byte, a line break inside double quotes continues
// the line, ';' outside quotes starts a comment, and a line that starts with '[' names a section.
template<typename Visit>
void forEachRawValue(const QByteArray &data, Visit visit)
{
    const int size = data.size();
    int pos = data.startsWith("\xef\xbb\xbf") ? 3 : 0;
    while (true) {
        int start = pos;
        while (start < size && (isBlank(data[start]) || data[start] == '\n' || data[start] == '\r'))
            ++start;
        int equals = -1;
        bool inQuotes = false;
        int i = start;
        while (i < size) {
            const char c = data[i++];
            if (c == '=') {
                if (!inQuotes && equals < 0)
                    equals = i - 1;
            } else if (c == '\n' || c == '\r') {
                if (i == start + 1) {
                    ++start;
                } else if (!inQuotes) {
                    --i;
                    break;
                }
            } else if (c == '\\') {
                if (i < size) {
                    const char escaped = data[i++];
                    if (i < size && ((escaped == '\n' && data[i] == '\r') || (escaped == '\r' && data[i] == '\n')))
                        ++i;
                }
            } else if (c == '"') {
                inQuotes = !inQuotes;
            } else if (c == ';') {
                if (i == start + 1) {
                    while (i < size && data[i] != '\n' && data[i] != '\r')
                        ++i;
                    start = i;
                } else if (!inQuotes) {
                    --i;
                    break;
                }
            }
        }
        pos = i;
        if (i <= start)
            return;
        if (data[start] != '[' && equals >= 0)
            visit(equals + 1, i);
    }
}

int digitValue(char c, uint base)
{
    const int value = c >= '0' && c <= '9' ? c - '0'
        : c >= 'a' && c <= 'f'             ? c - 'a' + 10
        : c >= 'A' && c <= 'F'             ? c - 'A' + 10
                                           : -1;
    return value < int(base) ? value : -1;
}

void chopBlanks(QString &text, int limit)
{
    while (text.size() > limit && (text.endsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char('\t'))))
        text.chop(1);
}

// data[from, to) unescaped as QSettings reads a value: named, hexadecimal and octal escapes (the
// digits run on as long as there are any), an escaped line break dropped, any other escaped byte
// skipped; double quotes group without being kept; blanks skipped before an element and after a
// closing quote; trailing blanks of an unquoted element dropped; a comma outside quotes ends an
// element. A value ending inside an escape keeps its trailing blanks.
QStringList unescapedValue(const QByteArray &data, int from, int to, QTextCodec *codec)
{
    static const char named[] = "a\ab\bf\fn\nr\rt\tv\v\"\"?\?''\\\\";
    QStringList elements;
    bool isList = false;
    QString text;
    bool inQuotes = false;
    bool quoted = false;
    int i = from;
    const auto skipBlanks = [&] {
        while (i < to && isBlank(data[i]))
            ++i;
    };
    skipBlanks();
    int keep = 0; // trailing blanks before this length stay
    while (i < to) {
        const char c = data[i];
        if (c == '\\') {
            if (++i >= to)
                goto end;
            const char escaped = data[i++];
            const char *code = escaped ? strchr(named, escaped) : nullptr;
            const bool hex = escaped == 'x' && i < to && digitValue(data[i], 16) >= 0;
            if (code && (code - named) % 2 == 0) {
                text += QLatin1Char(code[1]);
            } else if (hex || (escaped >= '0' && escaped <= '7')) {
                // Qt keeps the low 16 bits of however many digits follow.
                const uint base = hex ? 16 : 8;
                uint value = hex ? 0 : uint(escaped - '0');
                for (int digit; i < to && (digit = digitValue(data[i], base)) >= 0; ++i)
                    value = value * base + uint(digit);
                text += QChar(ushort(value));
                if (i >= to)
                    goto end;
            } else if ((escaped == '\n' || escaped == '\r') && i < to && (data[i] == '\n' || data[i] == '\r')
                       && data[i] != escaped) {
                ++i;
            } else if (escaped == 'x' && i >= to) {
                goto end;
            }
            keep = text.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipBlanks();
                keep = text.size();
            }
        } else if (c == ',' && !inQuotes) {
            if (!quoted)
                chopBlanks(text, keep);
            isList = true;
            elements.append(text);
            text.clear();
            quoted = false;
            ++i;
            skipBlanks();
            keep = 0;
        } else {
            int j = i + 1;
            while (j < to && data[j] != '\\' && data[j] != '"' && data[j] != ',')
                ++j;
            text += codec ? codec->toUnicode(data.constData() + i, j - i) : QString::fromLatin1(data.constData() + i, j - i);
            i = j;
        }
    }
    if (!quoted)
        chopBlanks(text, keep);
end:
    if (!isList)
        return {text};
    elements.append(text);
    return elements;
}

// Reads a QVariant data stream as QVariant::load() does and checks every element count before Qt
// would reserve room for it. Running out of bytes is safe: Qt stops there too.
class VariantCheck
{
public:
    VariantCheck(const QByteArray &bytes, QDataStream::Version version)
        : m_bytes(bytes), m_version(version)
    {
    }

    bool isSafe()
    {
        variant(0);
        return !m_unsafe;
    }

private:
    qint64 remaining() const { return m_bytes.size() - m_pos; }

    bool skip(qint64 bytes)
    {
        if (bytes > remaining()) {
            m_pos = m_bytes.size();
            return false;
        }
        m_pos += int(bytes);
        return true;
    }

    bool number(quint32 *value)
    {
        if (remaining() < 4)
            return skip(4);
        const auto *p = reinterpret_cast<const uchar *>(m_bytes.constData() + m_pos);
        *value = quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | p[3];
        m_pos += 4;
        return true;
    }

    // A QString or QByteArray: its byte length, 0xffffffff for a null one.
    bool text(QByteArray *content = nullptr)
    {
        quint32 length = 0;
        if (!number(&length))
            return false;
        if (length == 0xffffffff)
            return true;
        if (content)
            *content = m_bytes.mid(m_pos, int(qMin<qint64>(length, remaining())));
        return skip(length);
    }

    // An element count, every element taking at least `minimum` bytes.
    bool count(quint32 *elements, int minimum)
    {
        if (!number(elements))
            return false;
        if (*elements > remaining() / minimum) {
            m_unsafe = true;
            return false;
        }
        return true;
    }

    bool refuse()
    {
        m_unsafe = true;
        return false;
    }

    bool variant(int depth)
    {
        if (depth > 32)
            return refuse();
        quint32 type = 0;
        if (!number(&type))
            return false;
        if (m_version < QDataStream::Qt_5_0) { // the ids of Qt 4
            if (type == 127)
                type = QMetaType::User;
            else if (type >= 128)
                type -= 97;
            else if (type == 75)
                type = QMetaType::QSizePolicy;
            else if (type > 75 && type <= 86)
                type -= 1;
        }
        if (m_version >= QDataStream::Qt_4_2 && !skip(1)) // the null flag
            return false;
        if (type == QMetaType::User) {
            QByteArray name;
            if (!text(&name))
                return false;
            // A name Qt does not know fails the read; a type it knows streams as it likes.
            return QMetaType::type(name.constData()) == QMetaType::UnknownType ? false : refuse();
        }
        if (!QMetaType::isRegistered(int(type)) || type == QMetaType::UnknownType)
            return m_version < QDataStream::Qt_5_0 ? text() : true; // an invalid variant
        quint32 elements = 0;
        switch (type) {
        case QMetaType::QString:
        case QMetaType::QByteArray:
            return text();
        case QMetaType::QStringList:
        case QMetaType::QByteArrayList:
            if (!count(&elements, 4))
                return false;
            while (elements-- > 0) {
                if (!text())
                    return false;
            }
            return true;
        case QMetaType::QVariantList:
            if (!count(&elements, 4))
                return false;
            while (elements-- > 0) {
                if (!variant(depth + 1))
                    return false;
            }
            return true;
        case QMetaType::QVariantMap:
        case QMetaType::QVariantHash:
            if (!count(&elements, 8))
                return false;
            while (elements-- > 0) {
                if (!text() || !variant(depth + 1))
                    return false;
            }
            return true;
        case QMetaType::QDateTime:
            return dateTime();
        default: {
            const int size = fixedSize(int(type));
            return size < 0 ? refuse() : skip(size);
        }
        }
    }

    // Date, time and what the time is relative to (local, UTC, an offset, a zone); from Qt 5.2 an
    // offset follows as four bytes, a time zone in a form of its own.
    bool dateTime()
    {
        if (!skip(m_version < QDataStream::Qt_5_0 ? 9 : 13))
            return false;
        const char relativeTo = m_bytes.at(m_pos - 1);
        if (m_version < QDataStream::Qt_5_2 || relativeTo < Qt::OffsetFromUTC)
            return true;
        return relativeTo == Qt::OffsetFromUTC ? skip(4) : refuse();
    }

    // The bytes every value of a plain type takes in this stream version, -1 for other types.
    int fixedSize(int type) const
    {
        static const QHash<QPair<int, int>, int> sizes = plainTypeSizes();
        return sizes.value({m_version, type}, -1);
    }

    // Measured once, by streaming a default value of each type in the two versions QSettings uses.
    static QHash<QPair<int, int>, int> plainTypeSizes()
    {
        static const QMetaType::Type plain[] = {
            QMetaType::Bool, QMetaType::Int, QMetaType::UInt, QMetaType::LongLong, QMetaType::ULongLong,
            QMetaType::Double, QMetaType::Float, QMetaType::Long, QMetaType::ULong, QMetaType::Short,
            QMetaType::UShort, QMetaType::Char, QMetaType::SChar, QMetaType::UChar, QMetaType::QChar,
            QMetaType::QDate, QMetaType::QTime, QMetaType::QUuid, QMetaType::QRect, QMetaType::QRectF,
            QMetaType::QSize, QMetaType::QSizeF, QMetaType::QLine, QMetaType::QLineF, QMetaType::QPoint,
            QMetaType::QPointF, QMetaType::QColor};
        QHash<QPair<int, int>, int> sizes;
        for (const QDataStream::Version version : {QDataStream::Qt_4_0, QDataStream::Qt_5_6}) {
            for (const QMetaType::Type type : plain) {
                const QVariant value(type, nullptr);
                if (!value.isValid())
                    continue;
                QByteArray bytes;
                QDataStream stream(&bytes, QIODevice::WriteOnly);
                stream.setVersion(version);
                stream << value;
                sizes.insert({version, type}, bytes.size() - (version >= QDataStream::Qt_4_2 ? 5 : 4));
            }
        }
        return sizes;
    }

    const QByteArray m_bytes;
    const QDataStream::Version m_version;
    int m_pos = 0;
    bool m_unsafe = false;
};

bool elementIsSafe(const QString &element)
{
    if (!element.startsWith(QLatin1Char('@')) || !element.endsWith(QLatin1Char(')')))
        return true;
    if (element.startsWith(QLatin1String("@Variant(")))
        return VariantCheck(element.midRef(9).toLatin1(), QDataStream::Qt_4_0).isSafe();
    if (element.startsWith(QLatin1String("@DateTime(")))
        return VariantCheck(element.midRef(10).toLatin1(), QDataStream::Qt_5_6).isSafe();
    return true;
}

} // namespace

QVector<QStringList> iniValues(const QByteArray &data, QTextCodec *codec)
{
    QVector<QStringList> values;
    forEachRawValue(data, [&](int from, int to) { values.append(unescapedValue(data, from, to, codec)); });
    return values;
}

bool iniVariantsAreSafe(const QByteArray &data, QTextCodec *codec)
{
    // Only a literal '@' or an escape can start a value with one.
    if (!data.contains('@') && !data.contains('\\'))
        return true;
    bool safe = true;
    forEachRawValue(data, [&](int from, int to) {
        const QByteArray raw = QByteArray::fromRawData(data.constData() + from, to - from);
        if (!safe || (!raw.contains('@') && !raw.contains('\\')))
            return;
        const QStringList elements = unescapedValue(data, from, to, codec);
        safe = std::all_of(elements.begin(), elements.end(), elementIsSafe);
    });
    return safe;
}

} // namespace OrvoKiv
