#include "command.h"

#include "probeexplainer_p.h"

#include <zrkivfileinfo.h>

#include <QJsonArray>
#include <QJsonObject>

namespace orvodata {

namespace {

QString typeName(int type)
{
    static const char *const names[] = {"eOther", "eKl", "eImage", "ePpt", "eZrtx", "eAudio", "eVideo", "eDoc", "ePdf"};
    return type >= 0 && type < 9 ? QLatin1String(names[type]) : QString();
}

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

int runClassify(const QStringList &arguments)
{
    Arguments args(QStringLiteral("classify"),
                   QStringLiteral("Classifies lesson files as the suite's applications do: the type the extension\n"
                                  "names, the formats MediaInfo reads, whether the file passes the availability\n"
                                  "probe, and the step that decided."));
    args.addPositionalList(QStringLiteral("FILE"), QStringLiteral("Files to classify."));
    args.addOption({QStringLiteral("json"), QStringLiteral("Print a JSON array of objects.")});
    if (const int code = args.parse(arguments); code >= 0)
        return code;
    const QStringList files = args.positionals();

    QJsonArray all;
    for (const QString &path : files) {
        const auto e = OrvoKiv::Files::ProbeExplanation::explain(path);
        QJsonObject entry = {{QStringLiteral("path"), path},
                             {QStringLiteral("type"), e.expected},
                             {QStringLiteral("typeName"), typeName(e.expected)},
                             {QStringLiteral("general"), e.general},
                             {QStringLiteral("video"), e.video},
                             {QStringLiteral("audio"), e.audio},
                             {QStringLiteral("available"), e.available},
                             {QStringLiteral("reason"), e.reason}};
        if (!e.incident.isEmpty())
            entry.insert(QStringLiteral("incident"), e.incident);
        if (e.type >= 0) {
            entry.insert(QStringLiteral("contentType"), e.type);
            entry.insert(QStringLiteral("contentTypeName"), typeName(e.type));
        }
        all.append(entry);
        if (args.isSet(QStringLiteral("json")))
            continue;
        printLine(path);
        printLine(QStringLiteral("  type: %1 (%2)").arg(typeName(e.expected)).arg(e.expected));
        if (e.formatsRead)
            printLine(QStringLiteral("  formats: general %1, video %2, audio %3")
                          .arg(quoted(e.general), quoted(e.video), quoted(e.audio)));
        if (!e.incident.isEmpty())
            printLine(QStringLiteral("  incident: ") + e.incident);
        if (e.type >= 0)
            printLine(QStringLiteral("  compared: %1 (%2)").arg(typeName(e.type)).arg(e.type));
        printLine(QStringLiteral("  available: %1").arg(e.available ? QStringLiteral("yes") : QStringLiteral("no")));
        printLine(QStringLiteral("  reason: ") + e.reason);
    }
    if (args.isSet(QStringLiteral("json")))
        printJson(all);
    return Success;
}

} // namespace orvodata
