#include "command.h"

#include "platformbackend_p.h"

namespace orvodata {

namespace {

using OrvoKiv::Platform::RegistryView;

const QCommandLineOption viewOption(QStringLiteral("view"),
                                    QStringLiteral("Registry view: 32 or 64 (default: the process's own)."),
                                    QStringLiteral("32|64"));

bool parseView(const Arguments &args, RegistryView *view)
{
    const QString text = args.value(viewOption.names().first());
    if (text.isEmpty())
        *view = RegistryView::Default;
    else if (text == QLatin1String("32"))
        *view = RegistryView::Registry32;
    else if (text == QLatin1String("64"))
        *view = RegistryView::Registry64;
    else
        return false;
    return true;
}

int get(const QStringList &arguments)
{
    Arguments args(QStringLiteral("reg get"),
                   QStringLiteral("Prints the string form of value NAME under KEY (\".\" for the default value)."));
    args.addPositional(QStringLiteral("KEY"), QStringLiteral("Full key path, e.g. HKEY_LOCAL_MACHINE\\SOFTWARE\\Tesvari."));
    args.addPositional(QStringLiteral("NAME"), QStringLiteral("Value name."));
    args.addOption(viewOption);
    RegistryView view;
    if (const int code = args.parse(arguments); code >= 0)
        return code;
    if (!parseView(args, &view))
        return fail(Usage, QStringLiteral("reg get: --view takes 32 or 64"));

    const QString value = OrvoKiv::Platform::backend().registryValue(args.positional(0), args.positional(1), view);
    if (value.isEmpty())
        return fail(Failure, QStringLiteral("no value \"%1\" under %2 (or it is empty)").arg(args.positional(1), args.positional(0)));
    printLine(value);
    return Success;
}

int keys(const QStringList &arguments)
{
    Arguments args(QStringLiteral("reg keys"), QStringLiteral("Lists the sub-keys of KEY, one a line."));
    args.addPositional(QStringLiteral("KEY"), QStringLiteral("Full key path."));
    args.addOption(viewOption);
    RegistryView view;
    if (const int code = args.parse(arguments); code >= 0)
        return code;
    if (!parseView(args, &view))
        return fail(Usage, QStringLiteral("reg keys: --view takes 32 or 64"));

    for (const QString &key : OrvoKiv::Platform::backend().registrySubKeys(args.positional(0), view))
        printLine(key);
    return Success;
}

} // namespace

int runReg(const QStringList &arguments)
{
    return runAction(arguments, {{"get", get}, {"keys", keys}},
                     QStringLiteral("Usage: orvodata reg get KEY NAME [--view 32|64]\n"
                                    "       orvodata reg keys KEY [--view 32|64]\n"
                                    "On Linux the registry is read from the .reg files named by $ORVO_REGISTRY\n"
                                    "(a file or a folder), else from the environment's registry/ folder."));
}

} // namespace orvodata
