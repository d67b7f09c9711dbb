#include "command.h"

#include <zrcommonutils.h>

namespace orvodata {

int runInitial(const QStringList &arguments)
{
    Arguments args(QStringLiteral("initial"),
                   QStringLiteral("Prints the letter a name is listed under: the pinyin initial of its first\n"
                                  "Chinese character, '#' for symbols and rare characters, else its first letter."));
    args.addPositional(QStringLiteral("TEXT"), QStringLiteral("A name."));
    if (const int code = args.parse(arguments); code >= 0)
        return code;
    if (args.positional(0).isEmpty())
        return fail(Usage, QStringLiteral("initial: TEXT is empty"));

    const auto byte = static_cast<unsigned char>(ZRCommonUtils::getFirstWord(args.positional(0)));
    // A lead byte of a character outside the table is not printable on its own.
    printLine(byte >= 0x20 && byte < 0x7f ? QString(QChar::fromLatin1(char(byte)))
                                          : QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0')));
    return Success;
}

} // namespace orvodata
