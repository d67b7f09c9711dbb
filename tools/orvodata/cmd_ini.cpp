#include "command.h"
#include "inifile_p.h"

#include <zrcommonutils.h>
#include <zriniconfiguremanager.h>

#include <QFileInfo>

namespace orvodata {

namespace {

// The library drops failed writes silently; a technician must hear about them, so read the
// file back the way the next reader will.
bool landed(const QString &file, const QString &key, const QString &value)
{
    if (!OrvoKiv::isReadableAsIni(file))
        return false;
    const auto settings = OrvoKiv::utf8IniSettings(file);
    return settings->status() == QSettings::NoError && settings->value(key).toString() == value;
}

int get(const QStringList &arguments)
{
    Arguments args(QStringLiteral("ini get"),
                   QStringLiteral("Prints the value of KEY in GROUP of FILE, or DEFAULT when it is missing."));
    args.addPositional(QStringLiteral("FILE"), QStringLiteral("INI file (UTF-8)."));
    args.addPositional(QStringLiteral("GROUP"), QStringLiteral("Group; \"\" for the top level."));
    args.addPositional(QStringLiteral("KEY"), QStringLiteral("Key."));
    args.addPositional(QStringLiteral("DEFAULT"), QStringLiteral("Printed when the key is missing."), true);
    if (const int code = args.parse(arguments); code >= 0)
        return code;

    // The library reads a missing file, a folder or a FIFO as empty: the default would look like
    // an answer.
    const QFileInfo file(args.positional(0));
    if (!file.exists())
        return fail(Failure, QStringLiteral("%1 does not exist").arg(args.positional(0)));
    if (!file.isFile())
        return fail(Failure, QStringLiteral("%1 is not a regular file").arg(args.positional(0)));
    if (!OrvoKiv::isReadableAsIni(args.positional(0)))
        return fail(Failure, QStringLiteral("%1 holds a value that cannot be read safely").arg(args.positional(0)));
    ZRIniConfigureManager manager(args.positional(0));
    printLine(manager.getValue(args.positional(1), args.positional(2), args.positional(3)));
    return Success;
}

int set(const QStringList &arguments)
{
    Arguments args(QStringLiteral("ini set"),
                   QStringLiteral("Stores VALUE as text under KEY in GROUP of FILE."));
    args.addPositional(QStringLiteral("FILE"), QStringLiteral("INI file (UTF-8); created if missing."));
    args.addPositional(QStringLiteral("GROUP"), QStringLiteral("Group; \"\" for the top level."));
    args.addPositional(QStringLiteral("KEY"), QStringLiteral("Key."));
    args.addPositional(QStringLiteral("VALUE"), QStringLiteral("Value."));
    if (const int code = args.parse(arguments); code >= 0)
        return code;

    const QString file = args.positional(0), group = args.positional(1), key = args.positional(2);
    {
        ZRIniConfigureManager manager(file);
        manager.setValue(group, key, args.positional(3));
    } // written here
    const QString fullKey = group.isEmpty() ? key : group + QLatin1Char('/') + key;
    if (!landed(file, fullKey, args.positional(3)))
        return fail(Failure, QStringLiteral("could not write \"%1\" to %2").arg(fullKey, file));
    return Success;
}

int write(const QStringList &arguments)
{
    Arguments args(QStringLiteral("ini write"),
                   QStringLiteral("Writes VALUE under KEY (group/name, or a name in the general section)\n"
                                  "of FILE at once, under the library's writer lock."));
    args.addPositional(QStringLiteral("FILE"), QStringLiteral("INI file (UTF-8); created if missing."));
    args.addPositional(QStringLiteral("KEY"), QStringLiteral("Key, optionally group/name."));
    args.addPositional(QStringLiteral("VALUE"), QStringLiteral("Value."));
    if (const int code = args.parse(arguments); code >= 0)
        return code;

    ZRCommonUtils::writeIni(args.positional(0), args.positional(1), args.positional(2));
    if (!landed(args.positional(0), args.positional(1), args.positional(2)))
        return fail(Failure, QStringLiteral("could not write \"%1\" to %2").arg(args.positional(1), args.positional(0)));
    return Success;
}

} // namespace

int runIni(const QStringList &arguments)
{
    return runAction(arguments, {{"get", get}, {"set", set}, {"write", write}},
                     QStringLiteral("Usage: orvodata ini get FILE GROUP KEY [DEFAULT]\n"
                                    "       orvodata ini set FILE GROUP KEY VALUE\n"
                                    "       orvodata ini write FILE KEY VALUE\n"
                                    "Each action takes --help."));
}

} // namespace orvodata
