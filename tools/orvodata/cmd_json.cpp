#include "command.h"

#include "jsonfile_p.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace orvodata {

namespace {

int get(const QStringList &arguments)
{
    Arguments args(QStringLiteral("json get"),
                   QStringLiteral("Prints \"array\" or \"object\" and the JSON the library reads from FILE."));
    args.addPositional(QStringLiteral("FILE"), QStringLiteral("JSON file."));
    if (const int code = args.parse(arguments); code >= 0)
        return code;

    // The library's own reading, once: it answers empty for an empty, a malformed and an
    // unreadable file alike, and a technician needs to know which.
    const QString path = args.positional(0);
    QString problem;
    const QJsonDocument document = OrvoKiv::readJsonFile(path, &problem);
    if (document.isArray()) {
        printLine(QStringLiteral("array"));
        printJson(document.array());
    } else if (document.isObject()) {
        printLine(QStringLiteral("object"));
        printJson(document.object());
    } else {
        return fail(Failure, QStringLiteral("%1 %2").arg(path, problem));
    }
    return Success;
}

} // namespace

int runJson(const QStringList &arguments)
{
    return runAction(arguments, {{"get", get}}, QStringLiteral("Usage: orvodata json get FILE"));
}

} // namespace orvodata
