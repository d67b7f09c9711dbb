#ifndef ORVODATA_COMMAND_H
#define ORVODATA_COMMAND_H

#include <QCommandLineParser>
#include <QJsonValue>
#include <QString>
#include <QStringList>

namespace orvodata {

enum ExitCode {
    Success = 0,
    Failure = 1, // the library could not do what was asked (a write that did not land, ...)
    Usage = 2,
};

struct Command
{
    const char *name;
    const char *summary;
    int (*run)(const QStringList &arguments); // arguments[0] is the subcommand's name
};

// Every subcommand, in the order --help lists them.
const QList<Command> &commands();

// A subcommand's parser: --help prints its usage; missing or extra positional arguments are a
// usage error. Returns -1 when the command should go on, else the exit code to return.
class Arguments
{
public:
    Arguments(const QString &command, const QString &description);
    void addPositional(const QString &name, const QString &description, bool optional = false);
    // One or more arguments, after any single ones: "NAME...".
    void addPositionalList(const QString &name, const QString &description);
    void addOption(const QCommandLineOption &option) { m_parser.addOption(option); }
    int parse(const QStringList &arguments);

    QString positional(int index) const { return m_parser.positionalArguments().value(index); }
    int positionalCount() const { return m_parser.positionalArguments().size(); }
    QStringList positionals() const { return m_parser.positionalArguments(); }
    bool isSet(const QString &name) const { return m_parser.isSet(name); }
    QString value(const QString &name) const { return m_parser.value(name); }

private:
    QCommandLineParser m_parser;
    QString m_command;
    int m_required = 0;
    int m_total = 0;
};

struct Action
{
    const char *name;
    int (*run)(const QStringList &arguments); // arguments[0] is the action's name
};

// A command made of actions ("ini get ..."): runs the one named by arguments[1].
int runAction(const QStringList &arguments, std::initializer_list<Action> actions, const QString &usage);

// One line on stderr, prefixed with the program name; returns `code`.
int fail(int code, const QString &message);
void printLine(const QString &line);
// One line on stderr, prefixed with the program name; the command goes on.
void printWarning(const QString &message);
void printJson(const QJsonValue &value);
// Named values as "name: value" lines, or as one JSON object of strings.
void printFields(const QList<QPair<QString, QString>> &fields, bool json);

} // namespace orvodata

#endif
