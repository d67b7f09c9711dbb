#include "zrcommonutils.h"

#include <QHostAddress>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

// Double2String works in 32-bit integers; beyond their range it answers with the empty string.
constexpr int maxPrecision = 9;
constexpr double int32Limit = 2147483648.0; // 2^31

// The text of a magnitude (v >= 0) with p fraction digits, or a null string when the scaled
// value does not fit in 32 bits (or is NaN).
QString magnitudeToString(double magnitude, int precision, bool rounding)
{
    if (precision == 0) {
        const double scaled = rounding ? magnitude + 0.5 : magnitude;
        if (!(scaled < int32Limit))
            return {};
        return QString::number(static_cast<qint32>(scaled));
    }

    if (precision > maxPrecision)
        return {};
    const auto factor = static_cast<qint32>(std::pow(10.0, precision));
    // Scaled in double precision on purpose: 0.29 * 100 is just below 29, so without rounding
    // 0.29 gives 0.28, which is what the stored figures have always shown.
    double scaled = magnitude * factor;
    if (rounding)
        scaled += 0.5;
    if (!(scaled < int32Limit))
        return {};
    const auto digits = static_cast<qint32>(scaled);
    return QStringLiteral("%1.%2")
        .arg(digits / factor)
        .arg(digits % factor, precision, 10, QLatin1Char('0'));
}

bool isTrimmedByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 1 && byte <= 32) || byte == 127;
}

} // namespace

QString ZRCommonUtils::ByteArray2String(const QByteArray &bytes, bool spacing)
{
    return QString::fromLatin1(bytes.toHex(spacing ? ' ' : '\0').toUpper());
}

QString ZRCommonUtils::ByteArray2StringR(const QByteArray &bytes, bool spacing)
{
    QByteArray reversed = bytes;
    std::reverse(reversed.begin(), reversed.end());
    return ByteArray2String(reversed, spacing);
}

QByteArray ZRCommonUtils::String2ByteArray(const QString &text, const QString &separator, int base)
{
    const QStringList parts = text.split(separator, Qt::SkipEmptyParts, Qt::CaseSensitive);
    QByteArray bytes;
    bytes.reserve(parts.size());
    for (const QString &part : parts)
        bytes.append(static_cast<char>(static_cast<unsigned char>(part.toInt(nullptr, base))));
    return bytes;
}

// Negative values are written as "-" and the text of their magnitude, so the fraction never
// carries a sign of its own and rounding goes half away from zero on both sides. Outside the
// 32-bit range (|v| * 10^p >= 2^31, p > 9, NaN) the answer is the empty string.
QString ZRCommonUtils::Double2String(double value, int precision, bool rounding)
{
    if (precision < 0)
        return QStringLiteral("%1").arg(value);

    const QString text = magnitudeToString(std::fabs(value), precision, rounding);
    if (text.isEmpty() || !(value < 0))
        return text;
    return QLatin1Char('-') + text;
}

QString ZRCommonUtils::getBase64String(const QString &text)
{
    return QString::fromLatin1(text.toUtf8().toBase64());
}

QString ZRCommonUtils::getStringFromBase64(const QString &base64)
{
    const QByteArray decoded = QByteArray::fromBase64(base64.toUtf8());
    // Up to the first zero byte: the peers encode C strings including their terminator.
    return QString::fromUtf8(decoded.constData());
}

QString ZRCommonUtils::ipv4ToStr(unsigned int address)
{
    return QHostAddress(static_cast<quint32>(address)).toString();
}

// Deliberately not QHostAddress: parts beyond the fourth are ignored and a part above 255 is
// OR-ed in unclipped, which the applications' stored addresses depend on.
unsigned int ZRCommonUtils::strToIpv4(const QString &dotted)
{
    const QStringList parts = dotted.split(QLatin1Char('.'), Qt::KeepEmptyParts);
    if (parts.size() < 4)
        return 0;
    unsigned int address = 0;
    for (int i = 0; i < 4; ++i)
        address |= parts.at(i).toUInt() << (24 - 8 * i);
    return address;
}

// Control bytes, space and DEL go; NUL and bytes above 127 (UTF-8 or GBK text) stay.
std::string &ZRCommonUtils::trim(std::string &bytes)
{
    if (bytes.empty())
        return bytes;
    const auto last = std::find_if_not(bytes.rbegin(), bytes.rend(), isTrimmedByte).base();
    bytes.erase(last, bytes.end());
    const auto first = std::find_if_not(bytes.begin(), bytes.end(), isTrimmedByte);
    bytes.erase(bytes.begin(), first);
    return bytes;
}
