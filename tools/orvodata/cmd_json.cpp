#include "command.h"

#include <zrcommonutils.h>

#include <QFile>

namespace orvodata {

namespace {

// An empty answer from the library means "empty" or "unreadable"; the first character tells.
QChar firstSignificant(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QChar();
    const QByteArray head = file.read(4096).trimmed();
    return head.isEmpty() ? QChar() : QChar::fromLatin1(head.at(0));
}

} // namespace

int runJson(const QStringList &arguments)
{
    const QString action = arguments.value(1);
    if (action != QLatin1String("get")) {
        if (action == QLatin1String("--help") || action == QLatin1String("-h")) {
            printLine(QStringLiteral("Usage: orvodata json get FILE"));
            return Success;
        }
        return fail(Usage, QStringLiteral("json: expected the action get"));
    }
    Arguments args(QStringLiteral("json get"),
                   QStringLiteral("Prints \"array\" or \"object\" and the JSON the library reads from FILE."));
    args.addPositional(QStringLiteral("FILE"), QStringLiteral("JSON file."));
    if (const int code = args.parse(arguments.mid(1)); code >= 0)
        return code;

    const QString path = args.positional(0);
    const QJsonArray array = ZRCommonUtils::getJsonArray(path);
    const QJsonObject object = ZRCommonUtils::getJsonObject(path);
    const QChar first = firstSignificant(path);
    if (!array.isEmpty() || (object.isEmpty() && first == QLatin1Char('['))) {
        printLine(QStringLiteral("array"));
        printJson(array);
    } else if (!object.isEmpty() || first == QLatin1Char('{')) {
        printLine(QStringLiteral("object"));
        printJson(object);
    } else {
        return fail(Failure, QFile::exists(path) ? QStringLiteral("%1 holds no JSON array or object").arg(path)
                                                 : QStringLiteral("cannot read %1").arg(path));
    }
    return Success;
}

} // namespace orvodata
