#include "command.h"

#include "catalogueexplainer_p.h"
#include "installedrecognition_p.h"
#include "inifile_p.h"

#include <orvoappinfo.h>
#include <zrcommonutils.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QTextCodec>

namespace orvodata {

namespace {

QString defaultCatalogue()
{
    const QStringList envDirs = QDir::searchPaths(QStringLiteral("envDir"));
    return envDirs.isEmpty() ? QString() : envDirs.first() + QStringLiteral("defconfigs/orvoApps.ini");
}

void explainSection(QSettings &settings, const QString &section, QJsonArray &entries)
{
    settings.beginGroup(section);
    const QStringList keys = settings.childKeys();
    for (const QString &key : keys) {
        const QVariant raw = settings.value(key);
        // Qt's INI reading makes a list of a value with an unquoted comma; the catalogue reads
        // it as text, which is empty, and drops the entry.
        if (raw.type() == QVariant::StringList) {
            entries.append(QJsonObject{{QStringLiteral("section"), section}, {QStringLiteral("key"), key},
                                       {QStringLiteral("entry"), raw.toStringList().join(QLatin1String(", "))},
                                       {QStringLiteral("steps"), QJsonArray{QStringLiteral(
                                            "dropped: an unquoted comma makes Qt read the value as a list; quote the entry")}}});
            continue;
        }
        const QString value = raw.toString();
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
    settings.endGroup();
}

// The catalogue is read as UTF-8; other bytes turn into replacement characters unseen.
void warnUnlessUtf8(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QTextCodec::ConverterState state;
    const QByteArray bytes = file.readAll();
    QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    if (state.invalidChars > 0)
        printWarning(QStringLiteral("warning: %1 is not valid UTF-8 (%2 invalid byte sequence(s)); its texts will not read as written")
                         .arg(path).arg(state.invalidChars));
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

    const auto settings = OrvoKiv::openUtf8Ini(catalogueFile);
    if (args.isSet(QStringLiteral("section")) && !settings->childGroups().contains(args.value(QStringLiteral("section"))))
        return fail(Failure, QStringLiteral("catalogue file \"%1\" has no section \"%2\"").arg(catalogueFile, args.value(QStringLiteral("section"))));
    OrvoAppInfo *catalogue = OrvoAppInfo::getInstance();
    // Sections as the catalogue reads them: ascending, without the top level and "General".
    const QStringList sections = args.isSet(QStringLiteral("section")) ? QStringList{args.value(QStringLiteral("section"))}
                                                                        : settings->childGroups();
    if (args.isSet(QStringLiteral("explain"))) {
        warnUnlessUtf8(catalogueFile);
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

    if (!QFileInfo(defaultCatalogue()).isFile())
        return fail(Failure, QStringLiteral("no catalogue to recognise against: \"%1\" does not exist").arg(defaultCatalogue()));
    // The scan hands the recognisers paths with "/"; a technician copies them from Windows.
    const QString path = QString(args.positional(1)).replace(QLatin1Char('\\'), QLatin1Char('/'));
    const OrvoKiv::Recognition recognition = OrvoKiv::recogniseInstalled(args.positional(0), path);
    printJson(QJsonObject{{QStringLiteral("asked"), QJsonArray::fromStringList(recognition.asked)},
                          {QStringLiteral("record"), recognition.record},
                          {QStringLiteral("recognisedBy"), recognition.recognisedBy.isEmpty() ? QJsonValue()
                                                                                              : QJsonValue(recognition.recognisedBy)}});
    return Success;
}

} // namespace orvodata
