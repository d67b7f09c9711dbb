// orvodata: the library's command-line host, for field technicians and the suite's developers.
#include "command.h"

#include <zrpublicdata.h>

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLoggingCategory>

#include <cstring>
#include <memory>

namespace {

QString defaultEnvironment()
{
    const QString installed = QCoreApplication::applicationDirPath() + QLatin1Char('/')
        + QStringLiteral(ORVODATA_INSTALLED_ENV);
    if (QFileInfo::exists(installed))
        return QDir::cleanPath(installed);
    return QStringLiteral(ORVODATA_SOURCE_ENV); // running from the build tree
}

QString mainHelp()
{
    QString text = QStringLiteral(
        "Usage: orvodata [--app-name NAME] [--env DIR] [--verbose] COMMAND [ARGUMENTS]\n\n"
        "Answers what the suite's shared library answers a host application on this machine.\n\n"
        "Options:\n"
        "  --app-name NAME  application name (default OrvoKiv6)\n"
        "  --env DIR        environment folder registered as \"envDir\"\n"
        "                   (default: the sample environment installed with the library)\n"
        "  --verbose        show the library's debug and info lines on stderr\n"
        "  --help           this text; COMMAND --help describes a command\n"
        "  --version        the program's version\n"
        "--app-name, --env and --verbose may follow the command too.\n\n"
        "Commands:\n");
    for (const orvodata::Command &command : orvodata::commands())
        text += QStringLiteral("  %1%2\n").arg(QLatin1String(command.name), -12).arg(QLatin1String(command.summary));
    text += QStringLiteral("\nExit status: 0 success, 1 failure, 2 bad usage.");
    return text;
}

// Screen questions need a QGuiApplication, which needs a display; every other command runs
// without one. A machine with no display is measured on the offscreen platform.
bool needsScreen(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--app-name") || !std::strcmp(argv[i], "--env"))
            ++i;
        else if (argv[i][0] != '-')
            return !std::strcmp(argv[i], "screen");
    }
    return false;
}

std::unique_ptr<QCoreApplication> createApplication(int &argc, char *argv[])
{
    if (!needsScreen(argc, argv))
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> application = createApplication(argc, argv);
    QCoreApplication &app = *application;
    QCoreApplication::setOrganizationName(QStringLiteral("Tesvari"));
    using namespace orvodata;

    // A file name that is not valid UTF-8 would reach the library as another name.
    for (int i = 1; i < argc; ++i) {
        if (QFile::encodeName(QFile::decodeName(argv[i])) != QByteArray(argv[i]))
            return fail(Usage, QStringLiteral("argument %1 is not valid UTF-8; name the file another way").arg(i));
    }
    QStringList arguments = app.arguments().mid(1);
    QString appName = QStringLiteral("OrvoKiv6");
    QString env = defaultEnvironment();
    bool verbose = false;
    while (!arguments.isEmpty() && arguments.first().startsWith(QLatin1Char('-'))) {
        const QString option = arguments.takeFirst();
        if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
            printLine(mainHelp());
            return Success;
        }
        if (option == QLatin1String("--verbose")) {
            verbose = true;
            continue;
        }
        if (option == QLatin1String("--version")) {
            printLine(QStringLiteral("orvodata " ORVODATA_VERSION));
            return Success;
        }
        if (option != QLatin1String("--app-name") && option != QLatin1String("--env"))
            return fail(Usage, QStringLiteral("unknown option \"%1\" (see orvodata --help)").arg(option));
        if (arguments.isEmpty())
            return fail(Usage, QStringLiteral("%1 needs a value").arg(option));
        (option == QLatin1String("--env") ? env : appName) = arguments.takeFirst();
    }
    if (arguments.isEmpty())
        return fail(Usage, QStringLiteral("missing command (see orvodata --help)"));
    // The global options are accepted after the command too ("orvodata scan --verbose"), up to
    // a "--" that ends the options.
    for (int i = 1; i < arguments.size() && arguments.at(i) != QLatin1String("--");) {
        const QString option = arguments.at(i);
        if (option == QLatin1String("--verbose")) {
            verbose = true;
            arguments.removeAt(i);
        } else if (option == QLatin1String("--app-name") || option == QLatin1String("--env")) {
            if (i + 1 >= arguments.size())
                return fail(Usage, QStringLiteral("%1 needs a value").arg(option));
            (option == QLatin1String("--env") ? env : appName) = arguments.at(i + 1);
            arguments.erase(arguments.begin() + i, arguments.begin() + i + 2);
        } else {
            ++i;
        }
    }
    if (!QFileInfo(env).isDir())
        return fail(Usage, QStringLiteral("environment folder \"%1\" does not exist").arg(env));

    if (!verbose)
        QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false\ndefault.info=false"));

    // What a host application of the suite does before it calls the library.
    QCoreApplication::setApplicationName(appName);
    OrvoKiv::Singleton<ZRPublicData>::getInstance()->setAppName(appName);
    const QString envDir = QDir(env).absolutePath() + QLatin1Char('/');
    QStringList envDirs = {envDir};
    // In the build tree, files generated from env/ (the compiled translations) lie apart.
    if (QDir(env) == QDir(QStringLiteral(ORVODATA_SOURCE_ENV)))
        envDirs << QStringLiteral(ORVODATA_BUILD_ENV "/");
    QDir::setSearchPaths(QStringLiteral("envDir"), envDirs);
    if (qEnvironmentVariableIsEmpty("ORVO_REGISTRY"))
        qputenv("ORVO_REGISTRY", QFile::encodeName(envDir + QStringLiteral("registry")));

    for (const Command &command : commands()) {
        if (arguments.first() == QLatin1String(command.name))
            return command.run(arguments);
    }
    return fail(Usage, QStringLiteral("unknown command \"%1\" (see orvodata --help)").arg(arguments.first()));
}
