#include "command.h"

#include "catalogueexplainer_p.h"
#include "inifile_p.h"

#include <orvoappinfo.h>
#include <zrcommonutils.h>

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

namespace orvodata {

namespace {

QString defaultCatalogue()
{
    const QStringList envDirs = QDir::searchPaths(QStringLiteral("envDir"));
    return envDirs.isEmpty() ? QString() : envDirs.first() + QStringLiteral("defconfigs/orvoApps.ini");
}

// Sections as the catalogue reads them: ascending, without the top level and "General".
QStringList sectionsOf(const QString &file, const QString &only)
{
    return only.isEmpty() ? OrvoKiv::openUtf8Ini(file)->childGroups() : QStringList{only};
}

QJsonArray explainSection(const QString &file, const QString &section)
{
    QJsonArray entries;
    const auto settings = OrvoKiv::openUtf8Ini(file);
    settings->beginGroup(section);
    const QStringList keys = settings->childKeys();
    for (const QString &key : keys) {
        const QString value = settings->value(key).toString();
        if (!value.contains(QLatin1Char('|'))) // a title line
            continue;
        const OrvoKiv::CatalogueExplainer::Explanation explanation = OrvoKiv::CatalogueExplainer::explain(value);
        QJsonObject entry{{QStringLiteral("section"), section},
                          {QStringLiteral("key"), key},
                          {QStringLiteral("entry"), value},
                          {QStringLiteral("steps"), QJsonArray::fromStringList(explanation.steps)},
                          {QStringLiteral("record"), explanation.record}};
        if (!explanation.record.isEmpty()) {
            entry.insert(QStringLiteral("group"), explanation.record.value(QLatin1String("appGroup")));
            entry.insert(QStringLiteral("installed"), explanation.record.value(QLatin1String("installed")));
        }
        entries.append(entry);
    }
    return entries;
}

} // namespace

int runCatalogue(const QStringList &arguments)
{
    Arguments args(QStringLiteral("catalogue"),
                   QStringLiteral("Prints the analysed app records of a catalogue section (every section by default),\n"
                                  "located on this machine. From \"commonApp\" only installed programs are listed."));
    const QCommandLineOption section(QStringLiteral("section"), QStringLiteral("Only this section."), QStringLiteral("NAME"));
    const QCommandLineOption file(QStringLiteral("file"),
                                  QStringLiteral("Catalogue file (default: envDir defconfigs/orvoApps.ini)."),
                                  QStringLiteral("INI"));
    const QCommandLineOption explain(QStringLiteral("explain"),
                                     QStringLiteral("For each entry: group, registry lookups with their answers,\n"
                                                    "the path tested and why `installed` is what it is."));
    args.addOption(section);
    args.addOption(file);
    args.addOption(explain);
    if (const int code = args.parse(arguments); code >= 0)
        return code;

    const QString catalogueFile = args.isSet(QStringLiteral("file")) ? args.value(QStringLiteral("file")) : defaultCatalogue();
    if (!QFileInfo(catalogueFile).isFile())
        return fail(Failure, QStringLiteral("catalogue file \"%1\" does not exist").arg(catalogueFile));

    OrvoAppInfo *catalogue = OrvoAppInfo::getInstance();
    const QStringList sections = sectionsOf(catalogueFile, args.value(QStringLiteral("section")));
    if (args.isSet(QStringLiteral("explain"))) {
        QJsonArray entries;
        for (const QString &name : sections) {
            for (const QJsonValue &entry : explainSection(catalogueFile, name))
                entries.append(entry);
        }
        printJson(entries);
    } else if (args.isSet(QStringLiteral("section"))) {
        printJson(catalogue->getAppsInfoByGroup(catalogueFile, sections.first()));
    } else {
        QJsonObject all;
        for (const QString &name : sections)
            all.insert(name, catalogue->getAppsInfoByGroup(catalogueFile, name));
        printJson(all);
    }
    return Success;
}

int runSection(const QStringList &arguments)
{
    Arguments args(QStringLiteral("section"),
                   QStringLiteral("Prints the listing of one section of a section file: group, appinfo, title."));
    args.addPositional(QStringLiteral("FILE"), QStringLiteral("Section file (INI, UTF-8)."));
    args.addPositional(QStringLiteral("NAME"), QStringLiteral("Section name."));
    if (const int code = args.parse(arguments); code >= 0)
        return code;
    if (!QFileInfo(args.positional(0)).isFile())
        return fail(Failure, QStringLiteral("section file \"%1\" does not exist").arg(args.positional(0)));
    printJson(ZRCommonUtils::getAppValuesByGroup(args.positional(0), args.positional(1)));
    return Success;
}

int runRecognise(const QStringList &arguments)
{
    Arguments args(QStringLiteral("recognise"),
                   QStringLiteral("Asks the recognisers whether an installed program is one of the suite's own,\n"
                                  "in the order the installed-program scan asks them, up to the first answer."));
    args.addPositional(QStringLiteral("NAME"), QStringLiteral("Display name, as the scan found it."));
    args.addPositional(QStringLiteral("PATH"), QStringLiteral("Executable path."));
    if (const int code = args.parse(arguments); code >= 0)
        return code;

    OrvoAppInfo *catalogue = OrvoAppInfo::getInstance();
    const QString name = args.positional(0), path = args.positional(1);
    QJsonArray asked;
    QString recognisedBy;
    auto ask = [&](const char *recogniser, const QJsonObject &record) {
        asked.append(QJsonObject{{QStringLiteral("recogniser"), QLatin1String(recogniser)},
                                 {QStringLiteral("record"), record}});
        if (!record.isEmpty())
            recognisedBy = QLatin1String(recogniser);
    };
    if (name.contains(QString::fromUtf8("课堂评价")))
        ask("isOldKaloApp", catalogue->isOldKaloApp(name, path));
    if (recognisedBy.isEmpty())
        ask("isOrvoApp", catalogue->isOrvoApp(name));
    if (recognisedBy.isEmpty())
        ask("isOrvoNewApp", catalogue->isOrvoNewApp(name, path));
    printJson(QJsonObject{{QStringLiteral("asked"), asked},
                          {QStringLiteral("recognisedBy"), recognisedBy.isEmpty() ? QJsonValue() : QJsonValue(recognisedBy)}});
    return Success;
}

} // namespace orvodata
