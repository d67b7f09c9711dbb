#include "command.h"

#include <zrcommonutils.h>

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
    printFields(paths, args.isSet(json.names().first()));
    return Success;
}

} // namespace orvodata
