#include "command.h"

#include <zrcommonutils.h>

#include <QFile>
#include <QJsonDocument>

namespace orvodata {

namespace {

// The library answers an empty array and object alike for an empty, a malformed and an unreadable
// file; a technician needs to know which.
QJsonDocument parsed(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()) : QJsonDocument();
}

int get(const QStringList &arguments)
{
    Arguments args(QStringLiteral("json get"),
                   QStringLiteral("Prints \"array\" or \"object\" and the JSON the library reads from FILE."));
    args.addPositional(QStringLiteral("FILE"), QStringLiteral("JSON file."));
    if (const int code = args.parse(arguments); code >= 0)
        return code;

    const QString path = args.positional(0);
    const QJsonArray array = ZRCommonUtils::getJsonArray(path);
    const QJsonObject object = ZRCommonUtils::getJsonObject(path);
    const bool empty = array.isEmpty() && object.isEmpty();
    const QJsonDocument document = empty ? parsed(path) : QJsonDocument();
    if (!array.isEmpty() || document.isArray()) {
        printLine(QStringLiteral("array"));
        printJson(array);
    } else if (!object.isEmpty() || document.isObject()) {
        printLine(QStringLiteral("object"));
        printJson(object);
    } else {
        return fail(Failure, QFile::exists(path) ? QStringLiteral("%1 holds no JSON array or object").arg(path)
                                                 : QStringLiteral("cannot read %1").arg(path));
    }
    return Success;
}

} // namespace

int runJson(const QStringList &arguments)
{
    return runAction(arguments, {{"get", get}}, QStringLiteral("Usage: orvodata json get FILE"));
}

} // namespace orvodata
