#include "command.h"

#include <languageswitch_p.h>
#include <zrcommonutils.h>

#include <QCoreApplication>
#include <QTranslator>

namespace orvodata {

int runLanguage(const QStringList &arguments)
{
    Arguments args(QStringLiteral("language"),
                   QStringLiteral("Switches the application's translation as the library does and prints\n"
                                  "the file chosen under \"envDir:/translations/\" (zh_CN when NAME_CODE.qm\n"
                                  "is missing), whether it loads, and the translated name of the language."));
    args.addPositional(QStringLiteral("NAME"), QStringLiteral("Translation name, such as OrvoKiv6."));
    args.addPositional(QStringLiteral("CODE"), QStringLiteral("Language code, such as en_US."));
    if (const int code = args.parse(arguments); code >= 0)
        return code;

    const QString name = args.positional(0), language = args.positional(1);
    const QString file = OrvoKiv::translationFilePath(name, language);
    QTranslator probe;
    const bool loads = probe.load(file, QString(), QString(), QString());
    ZRCommonUtils::switchLanguage(name, language);
    printLine(QStringLiteral("file: ") + file);
    printLine(QStringLiteral("loaded: ") + QLatin1String(loads ? "true" : "false"));
    printLine(QStringLiteral("language: ") + QCoreApplication::translate("Language", "language"));
    return loads ? Success : Failure;
}

} // namespace orvodata
