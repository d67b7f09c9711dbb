#include "command.h"

#include <zrcommonutils.h>

#include <QJsonObject>

namespace orvodata {

int runPaths(const QStringList &arguments)
{
    Arguments args(QStringLiteral("paths"),
                   QStringLiteral("Prints the folders and files the library resolves for the application.\n"
                                  "The log and crash-dump folders are created if missing."));
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Print one JSON object."));
    args.addOption(json);
    if (const int code = args.parse(arguments); code >= 0)
        return code;

    const QList<QPair<QString, QString>> paths = {
        {QStringLiteral("appRootDir"), ZRCommonUtils::getAppRootDir()},
        {QStringLiteral("dataRootDir"), ZRCommonUtils::getDataRootDir()},
        {QStringLiteral("logRootDir"), ZRCommonUtils::getLogRootDir()},
        {QStringLiteral("crashDumpDir"), ZRCommonUtils::getCrashDumpDir()},
        {QStringLiteral("privateConfigFile"), ZRCommonUtils::getPirvateConfigFile()},
        {QStringLiteral("nginxUpdateDir"), ZRCommonUtils::getNginxUpdateDir()},
        {QStringLiteral("systemName"), ZRCommonUtils::getSystemName()},
    };
    if (args.isSet(json.names().first())) {
        QJsonObject object;
        for (const auto &path : paths)
            object.insert(path.first, path.second);
        printJson(object);
    } else {
        for (const auto &path : paths)
            printLine(path.first + QStringLiteral(": ") + path.second);
    }
    return Success;
}

} // namespace orvodata
