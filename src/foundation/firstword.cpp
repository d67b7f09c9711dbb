#include "zrcommonutils.h"

#include <QTextCodec>

#include <algorithm>
#include <iterator>

namespace {

struct Zone
{
    int first; // GB2312 zone-position number (zone * 100 + position) of the first character
    char letter;
};

// First-level GB2312 characters (zones 16 to 55) are ordered by pinyin, so each initial covers
// one run of zone-position numbers. No syllable starts with I, U or V.
constexpr Zone zones[] = {
    {1601, 'A'}, {1637, 'B'}, {1833, 'C'}, {2078, 'D'}, {2274, 'E'}, {2302, 'F'},
    {2433, 'G'}, {2594, 'H'}, {2787, 'J'}, {3106, 'K'}, {3212, 'L'}, {3472, 'M'},
    {3635, 'N'}, {3722, 'O'}, {3730, 'P'}, {3858, 'Q'}, {4027, 'R'}, {4086, 'S'},
    {4390, 'T'}, {4558, 'W'}, {4684, 'X'}, {4925, 'Y'}, {5249, 'Z'},
    {5590, '#'}, // second-level characters, ordered by radical
};

char initialOf(int zonePosition)
{
    const auto after = std::upper_bound(std::begin(zones), std::end(zones), zonePosition,
                                        [](int n, const Zone &zone) { return n < zone.first; });
    return after == std::begin(zones) ? '#' : std::prev(after)->letter;
}

} // namespace

// The text is encoded with GBK (code page 936) explicitly rather than the locale's codec: the
// zone numbers only mean something in GB2312, and the initial must be the same on a Kylin machine
// with a UTF-8 locale or an English Windows as on a Chinese Windows. Text GBK cannot encode gets
// the codec's substitution byte, which then goes through the same first-byte rule.
char ZRCommonUtils::getFirstWord(const QString &text)
{
    const QTextCodec *gbk = QTextCodec::codecForName("GBK");
    const QByteArray bytes = gbk ? gbk->fromUnicode(text) : text.toLocal8Bit();
    if (bytes.isEmpty())
        return '\0';

    const auto b1 = static_cast<unsigned char>(bytes.at(0));
    const auto b2 = bytes.size() > 1 ? static_cast<unsigned char>(bytes.at(1)) : 0;
    if (b1 < 0xA1 || b2 < 0xA1)
        return bytes.at(0);
    return initialOf((b1 - 0xA0) * 100 + (b2 - 0xA0));
}
