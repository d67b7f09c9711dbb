#include "command.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <limits>

namespace orvodata {

int runPaths(const QStringList &arguments);
int runIni(const QStringList &arguments);
int runReg(const QStringList &arguments);
int runJson(const QStringList &arguments);
int runInitial(const QStringList &arguments);
int runCatalogue(const QStringList &arguments);
int runSection(const QStringList &arguments);
int runRecognise(const QStringList &arguments);
int runScan(const QStringList &arguments);
int runUpdate(const QStringList &arguments);
int runNginx(const QStringList &arguments);
int runClassify(const QStringList &arguments);
int runScreen(const QStringList &arguments);
int runLanguage(const QStringList &arguments);
int runKeyboard(const QStringList &arguments);
int runProcesses(const QStringList &arguments);
int runWindows(const QStringList &arguments);
int runFullscreen(const QStringList &arguments);
int runMachine(const QStringList &arguments);

const QList<Command> &commands()
{
    static const QList<Command> all = {
        {"paths", "Folders and files the library resolves for the application", runPaths},
        {"ini", "Read and write INI settings (get, set, write)", runIni},
        {"reg", "Read the registry (get, keys); on Linux from .reg exports", runReg},
        {"json", "Read a JSON file as the library does (get)", runJson},
        {"initial", "The letter a name is listed under", runInitial},
        {"catalogue", "App records of the catalogue, located on this machine (--explain: why)", runCatalogue},
        {"section", "The listing of one section of a section file", runSection},
        {"recognise", "Whether an installed program is one of the suite's own", runRecognise},
        {"scan", "Programs installed besides the suite's own, as the launcher gets them", runScan},
        {"update", "Start the suite's updater with this application's message (--dry-run: show it)", runUpdate},
        {"nginx", "The local web server: status, deploy, start, editor", runNginx},
        {"classify", "Lesson files: type by extension, formats, availability and why", runClassify},
        {"screen", "Screen size and density, board and touch-screen answers", runScreen},
        {"language", "Switch to a translation and show which file was loaded", runLanguage},
        {"keyboard", "Show or hide the on-screen keyboard (show, hide)", runKeyboard},
        {"processes", "The running tasks, or the id of the process of one name", runProcesses},
        {"windows", "The visible top-level window of a process", runWindows},
        {"fullscreen", "Whether another program covers the screen", runFullscreen},
        {"machine", "Network address, machine identifier and its six-digit id", runMachine},
    };
    return all;
}

Arguments::Arguments(const QString &command, const QString &description)
    : m_command(command)
{
    m_parser.setApplicationDescription(description);
    m_parser.addHelpOption();
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
}

void Arguments::addPositional(const QString &name, const QString &description, bool optional)
{
    m_parser.addPositionalArgument(name, description, optional ? QLatin1Char('[') + name + QLatin1Char(']') : name);
    ++m_total;
    if (!optional)
        m_required = m_total;
}

void Arguments::addPositionalList(const QString &name, const QString &description)
{
    m_parser.addPositionalArgument(name, description, name + QStringLiteral("..."));
    m_required = m_total + 1;
    m_total = std::numeric_limits<int>::max();
}

int Arguments::parse(const QStringList &arguments)
{
    QStringList withProgram = arguments;
    withProgram.first() = QStringLiteral("orvodata ") + m_command;
    if (!m_parser.parse(withProgram))
        return fail(Usage, m_parser.errorText());
    if (m_parser.isSet(QStringLiteral("help"))) {
        // Qt names the program by its full path; a subcommand reads better.
        QString help = m_parser.helpText();
        const int options = help.indexOf(QLatin1String(" [options]"));
        if (help.startsWith(QLatin1String("Usage: ")) && options > 0)
            help.replace(7, options - 7, QStringLiteral("orvodata ") + m_command);
        std::fputs(help.toUtf8().constData(), stdout);
        return Success;
    }
    const int count = positionalCount();
    if (count < m_required)
        return fail(Usage, QStringLiteral("%1: missing arguments (see orvodata %1 --help)").arg(m_command));
    if (count > m_total)
        return fail(Usage, QStringLiteral("%1: unexpected argument \"%2\"").arg(m_command, positional(m_total)));
    return -1;
}

int runAction(const QStringList &arguments, std::initializer_list<Action> actions, const QString &usage)
{
    const QString command = arguments.value(0), action = arguments.value(1);
    for (const Action &candidate : actions) {
        if (action == QLatin1String(candidate.name))
            return candidate.run(arguments.mid(1));
    }
    if (action == QLatin1String("--help") || action == QLatin1String("-h")) {
        printLine(usage);
        return Success;
    }
    QStringList names;
    for (const Action &candidate : actions)
        names << QLatin1String(candidate.name);
    return fail(Usage, action.isEmpty()
                           ? QStringLiteral("%1: missing action (%2)").arg(command, names.join(QLatin1String(", ")))
                           : QStringLiteral("%1: unknown action \"%2\"").arg(command, action));
}

int fail(int code, const QString &message)
{
    std::fprintf(stderr, "orvodata: %s\n", qPrintable(message));
    return code;
}

void printWarning(const QString &message)
{
    fail(Success, message);
}

void printLine(const QString &line)
{
    std::fprintf(stdout, "%s\n", line.toUtf8().constData());
}

void printJson(const QJsonValue &value)
{
    const QJsonDocument document = value.isArray() ? QJsonDocument(value.toArray())
                                                   : QJsonDocument(value.toObject());
    std::fputs(document.toJson(QJsonDocument::Indented).constData(), stdout);
}

void printFields(const QList<QPair<QString, QString>> &fields, bool json)
{
    if (json) {
        QJsonObject object;
        for (const auto &field : fields)
            object.insert(field.first, field.second);
        printJson(object);
    } else {
        for (const auto &field : fields)
            printLine(field.first + QStringLiteral(": ") + field.second);
    }
}

} // namespace orvodata
