#include "command.h"

#include "updatecheck_p.h"

#include <zrcommonutils.h>

#include <QFileInfo>

namespace orvodata {

int runUpdate(const QStringList &arguments)
{
    Arguments args(QStringLiteral("update"),
                   QStringLiteral("Starts the suite's updater for this application with the message the library\n"
                                  "builds (application name and folder, installed version, language, look).\n"
                                  "The updater lies in orvodata's own folder (OrvoSoftwareUpdate); the build tree\n"
                                  "has the substitute updater there, which writes the message it received to\n"
                                  "$ORVO_UPDATE_STUB_OUTPUT or its standard output."));
    args.addOption({QStringLiteral("auto"), QStringLiteral("The update runs automatically.")});
    args.addOption({QStringLiteral("language"), QStringLiteral("User-interface language (default zh_CN)."),
                    QStringLiteral("L"), QStringLiteral("zh_CN")});
    args.addOption({QStringLiteral("dry-run"), QStringLiteral("Print the decoded message instead of starting the updater.")});
    if (const int code = args.parse(arguments); code >= 0)
        return code;
    const bool autoUpdate = args.isSet(QStringLiteral("auto"));
    const QString language = args.value(QStringLiteral("language"));
    const QString updater = OrvoKiv::Update::updaterPath();

    if (args.isSet(QStringLiteral("dry-run"))) {
        printLine(QStringLiteral("updater: ") + updater
                  + (QFileInfo::exists(updater) ? QString() : QStringLiteral(" (missing)")));
        printLine(QStringLiteral("message:"));
        const QString argument = OrvoKiv::Update::updaterArgument(autoUpdate, language);
        std::fputs(QByteArray::fromBase64(argument.toLatin1()).constData(), stdout);
        return Success;
    }
    if (!ZRCommonUtils::checkUpdate(autoUpdate, language))
        return fail(Failure, QStringLiteral("update: could not start the updater %1").arg(updater));
    printLine(QStringLiteral("started the updater ") + updater);
    return Success;
}

} // namespace orvodata
