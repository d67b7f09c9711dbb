#include "command.h"

#include "nginxlayout_p.h"
#include "platformbackend_p.h"

#include <zrcommonutils.h>

#include <QFileInfo>
#include <QThread>

namespace orvodata {

namespace {

// The nginx processes as the library counts them: by exact executable name.
QStringList nginxProcesses()
{
    const OrvoKiv::Platform::Backend &platform = OrvoKiv::Platform::backend();
    const QString name = QStringLiteral("nginx") + platform.conventions().executableSuffix;
    QStringList pids;
    for (const OrvoKiv::Platform::ProcessInfo &process : platform.runningProcesses()) {
        if (process.name == name)
            pids << QString::number(process.pid);
    }
    return pids;
}

QString presence(const QString &path)
{
    return path + (QFileInfo::exists(path) ? QStringLiteral(" (present)") : QStringLiteral(" (missing)"));
}

void printState()
{
    const OrvoKiv::Update::NginxLayout layout = OrvoKiv::Update::NginxLayout::current();
    const QStringList pids = nginxProcesses();
    printLine(QStringLiteral("server: ") + presence(layout.nginxExecutable));
    printLine(QStringLiteral("content editor: ") + presence(layout.editorMarker));
    printLine(QStringLiteral("running: ")
              + (pids.isEmpty() ? QStringLiteral("no") : QStringLiteral("pid ") + pids.join(QStringLiteral(", "))));
}

int runStatus(const QStringList &arguments)
{
    Arguments args(QStringLiteral("nginx status"), QStringLiteral("Where the local web server and the content editor are, and whether it runs."));
    if (const int code = args.parse(arguments); code >= 0)
        return code;
    const OrvoKiv::Update::NginxLayout layout = OrvoKiv::Update::NginxLayout::current();
    printLine(QStringLiteral("shipped server: ") + presence(layout.shippedServer));
    printLine(QStringLiteral("shipped content editor: ") + presence(layout.shippedEditor));
    printLine(QStringLiteral("installer: ") + presence(layout.installer));
    printLine(QStringLiteral("update folder: ") + ZRCommonUtils::getNginxUpdateDir());
    printState();
    return Success;
}

int runDeploy(const QStringList &arguments)
{
    Arguments args(QStringLiteral("nginx deploy"),
                   QStringLiteral("Copies the server files shipped beside orvodata into the data folder unless the\n"
                                  "server is there; with --install, runs the update service's installer when the\n"
                                  "copy left no server."));
    args.addOption({QStringLiteral("install"), QStringLiteral("Fall back to the installer.")});
    if (const int code = args.parse(arguments); code >= 0)
        return code;
    bool deployed = ZRCommonUtils::checkAndCopyNginxServer();
    printLine(QStringLiteral("copy: ") + (deployed ? QStringLiteral("server in place") : QStringLiteral("no server after the copy")));
    if (!deployed && args.isSet(QStringLiteral("install"))) {
        deployed = ZRCommonUtils::checkAndInstallNginxServer();
        printLine(QStringLiteral("installer: ") + (deployed ? QStringLiteral("server in place") : QStringLiteral("no server after the installer")));
    }
    printState();
    return deployed ? Success : fail(Failure, QStringLiteral("nginx deploy: the server is not in place"));
}

int runStart(const QStringList &arguments)
{
    Arguments args(QStringLiteral("nginx start"),
                   QStringLiteral("Starts the local web server unless a process named nginx runs. On Linux the\n"
                                  "server listens on 127.0.0.1, port $ORVO_NGINX_PORT or 18080."));
    if (const int code = args.parse(arguments); code >= 0)
        return code;
    const bool running = !nginxProcesses().isEmpty();
    ZRCommonUtils::checkNginxIsRunningOrStartIt();
    if (running) {
        printLine(QStringLiteral("already running: nothing started"));
    } else {
        printLine(QStringLiteral("started ") + OrvoKiv::Update::NginxLayout::current().nginxExecutable);
        // The server forks into the background; give it a moment to show in the process list.
        for (int i = 0; i < 50 && nginxProcesses().isEmpty(); ++i)
            QThread::msleep(100);
    }
    printState();
    return nginxProcesses().isEmpty() ? fail(Failure, QStringLiteral("nginx start: no nginx process runs")) : Success;
}

int runEditor(const QStringList &arguments)
{
    Arguments args(QStringLiteral("nginx editor"),
                   QStringLiteral("Copies the content editor shipped beside orvodata into the server's update\n"
                                  "folder unless it is there."));
    if (const int code = args.parse(arguments); code >= 0)
        return code;
    const bool copied = ZRCommonUtils::checkAndCopyNginxContentEditor();
    printState();
    return copied ? Success : fail(Failure, QStringLiteral("nginx editor: the content editor is not in place"));
}

} // namespace

int runNginx(const QStringList &arguments)
{
    return runAction(arguments,
                     {{"status", runStatus}, {"deploy", runDeploy}, {"start", runStart}, {"editor", runEditor}},
                     QStringLiteral("usage: orvodata nginx status|deploy|start|editor (each takes --help)"));
}

} // namespace orvodata
