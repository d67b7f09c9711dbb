#include "command.h"

#include <zrcommonutils.h>

#include <cstdio>

namespace orvodata {

int runProcesses(const QStringList &arguments)
{
    Arguments args(QStringLiteral("processes"),
                   QStringLiteral("Prints the running tasks as the system lists them (tasklist on Windows,\n"
                                  "ps -e on Linux), or with NAME the id of the first process of that exact\n"
                                  "image name (\"OrvoKiv6.exe\" on Windows, the process name on Linux)."));
    args.addPositional(QStringLiteral("NAME"), QStringLiteral("An image name, compared case-sensitively."), true);
    if (const int code = args.parse(arguments); code >= 0)
        return code;

    if (args.positionalCount() == 0) {
        const QString listing = ZRCommonUtils::getRunningProcesses();
        if (listing.isEmpty())
            return fail(Failure, QStringLiteral("processes: the process listing gave no output"));
        std::fputs(listing.toLocal8Bit().constData(), stdout);
        return Success;
    }
    const QString name = args.positional(0);
    const unsigned long pid = ZRCommonUtils::GetProcessIDByName(name);
    if (pid == 0)
        return fail(Failure, QStringLiteral("processes: no process named \"%1\"").arg(name));
    printLine(QString::number(pid));
    return Success;
}

int runWindows(const QStringList &arguments)
{
    Arguments args(QStringLiteral("windows"),
                   QStringLiteral("Prints the handle of the process's first visible top-level window in\n"
                                  "z-order (on Linux the X11 window id, from the window manager's stacking list)."));
    args.addPositional(QStringLiteral("PID"), QStringLiteral("A process id."));
    if (const int code = args.parse(arguments); code >= 0)
        return code;
    bool ok = false;
    const unsigned long pid = args.positional(0).toULong(&ok);
    if (!ok || pid == 0)
        return fail(Usage, QStringLiteral("windows: PID must be a positive number"));

    const HWND window = ZRCommonUtils::hGetProcessWnd(pid);
    if (!window)
        return fail(Failure, QStringLiteral("windows: process %1 has no visible top-level window").arg(pid));
    printLine(QStringLiteral("0x%1").arg(reinterpret_cast<quintptr>(window), 0, 16));
    return Success;
}

int runFullscreen(const QStringList &arguments)
{
    Arguments args(QStringLiteral("fullscreen"),
                   QStringLiteral("Prints true when the window in front covers the screen (or is maximised) and\n"
                                  "is not the suite's main application, else false."));
    if (const int code = args.parse(arguments); code >= 0)
        return code;
    printLine(ZRCommonUtils::checkFullscreenExist() ? QStringLiteral("true") : QStringLiteral("false"));
    return Success;
}

int runMachine(const QStringList &arguments)
{
    Arguments args(QStringLiteral("machine"),
                   QStringLiteral("Prints the hardware address of the first active network interface, the\n"
                                  "machine identifier, its six-digit id and the settings file that holds it\n"
                                  "(the identifier is created there on first demand)."));
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Print one JSON object."));
    args.addOption(json);
    if (const int code = args.parse(arguments); code >= 0)
        return code;

    const QList<QPair<QString, QString>> values = {
        {QStringLiteral("macAddress"), ZRCommonUtils::getHostMacAddress()},
        {QStringLiteral("pcGUID"), ZRCommonUtils::getPcGUID()},
        {QStringLiteral("pcUid"), ZRCommonUtils::getPcUid()},
        {QStringLiteral("settingsFile"), ZRCommonUtils::getPirvateConfigFile()},
    };
    printFields(values, args.isSet(json.names().first()));
    return Success;
}

} // namespace orvodata
