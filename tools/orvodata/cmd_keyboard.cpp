#include "command.h"

#include <virtualkeyboard.h>

#include <QLoggingCategory>

namespace orvodata {

namespace {

QStringList g_lines;

void collect(QtMsgType, const QMessageLogContext &, const QString &message)
{
    g_lines << message;
}

int request(const QStringList &arguments, void (VirtualKeyboard::*action)())
{
    Arguments args(QStringLiteral("keyboard ") + arguments.first(),
                   QStringLiteral("Asks the on-screen keyboard to %1 and prints the library's log lines,\n"
                                  "which tell the decision taken. Linux has no touch keyboard: the lines\n"
                                  "are those of a Windows system without it.")
                       .arg(arguments.first()));
    if (const int code = args.parse(arguments); code >= 0)
        return code;
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=true"));
    const QtMessageHandler previous = qInstallMessageHandler(collect);
    (VirtualKeyboard::getInstence()->*action)();
    qInstallMessageHandler(previous);
    for (const QString &line : qAsConst(g_lines))
        printLine(line);
    return Success;
}

int show(const QStringList &arguments)
{
    return request(arguments, &VirtualKeyboard::showKeyboard);
}

int hide(const QStringList &arguments)
{
    return request(arguments, &VirtualKeyboard::hideKeyboard);
}

} // namespace

int runKeyboard(const QStringList &arguments)
{
    return runAction(arguments, {{"show", show}, {"hide", hide}},
                     QStringLiteral("Usage: orvodata keyboard show|hide\n\n"
                                    "Shows or hides the on-screen keyboard and prints the decision taken."));
}

} // namespace orvodata
