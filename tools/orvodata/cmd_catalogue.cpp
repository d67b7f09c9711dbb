#include "command.h"

#include "catalogueexplainer_p.h"
#include "installedrecognition_p.h"
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

void explainSection(QSettings &settings, const QString &section, QJsonArray &entries)
{
    for (const OrvoKiv::IniEntry &iniEntry : OrvoKiv::sectionEntries(settings, section)) {
        const QString &key = iniEntry.key, &value = iniEntry.value;
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
    const auto settings = OrvoKiv::openUtf8Ini(catalogueFile);
    // Sections as the catalogue reads them: ascending, without the top level and "General".
    const QStringList sections = args.isSet(QStringLiteral("section")) ? QStringList{args.value(QStringLiteral("section"))}
                                                                        : settings->childGroups();
    if (args.isSet(QStringLiteral("explain"))) {
        QJsonArray entries;
        for (const QString &name : sections)
            explainSection(*settings, name, entries);
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

    const OrvoKiv::Recognition recognition = OrvoKiv::recogniseInstalled(args.positional(0), args.positional(1));
    printJson(QJsonObject{{QStringLiteral("asked"), QJsonArray::fromStringList(recognition.asked)},
                          {QStringLiteral("record"), recognition.record},
                          {QStringLiteral("recognisedBy"), recognition.recognisedBy.isEmpty() ? QJsonValue()
                                                                                              : QJsonValue(recognition.recognisedBy)}});
    return Success;
}

} // namespace orvodata
