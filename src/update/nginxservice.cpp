#include "zrcommonutils.h"

#include "nginxlayout_p.h"
#include "orvolog_p.h"
#include "platformbackend_p.h"
#include "treecopy_p.h"

#include <QDir>
#include <QFileInfo>

using OrvoKiv::Platform::backend;
using OrvoKiv::Update::NginxLayout;
using OrvoKiv::Update::TreeCopy;

namespace {

constexpr int CopyTimeoutMs = 30000;

// Neither the copy's output nor its exit code tells anything: the caller tests what arrived.
void copyTree(const TreeCopy &copy)
{
    backend().runProcess(copy.program, copy.arguments, CopyTimeoutMs);
}

TreeCopy treeCopy(const QString &source, const QString &destination)
{
    const OrvoKiv::Platform::Conventions conventions = backend().conventions();
    // xcopy /i creates the whole destination path; cp needs the parent to exist.
    if (!conventions.windowsPaths)
        QDir().mkpath(QFileInfo(destination).absolutePath());
    return TreeCopy::command(conventions, source, destination);
}

} // namespace

bool ZRCommonUtils::checkAndCopyNginxServer()
{
    orvoDebug() << "ZRCommonUtils::checkAndCopyNginxServer";
    const NginxLayout layout = NginxLayout::current();
    if (QFileInfo::exists(layout.nginxExecutable))
        return true;
    copyTree(treeCopy(layout.shippedServer, layout.serviceDir));
    return QFileInfo::exists(layout.nginxExecutable);
}

bool ZRCommonUtils::checkAndInstallNginxServer()
{
    orvoDebug() << "ZRCommonUtils::checkAndInstallNginxServer";
    const NginxLayout layout = NginxLayout::current();
    if (QFileInfo::exists(layout.nginxExecutable))
        return true;
    backend().shellRunHidden(layout.installer, QStringLiteral("/SILENT /VERYSILENT"));
    return QFileInfo::exists(layout.nginxExecutable);
}

void ZRCommonUtils::checkNginxIsRunningOrStartIt()
{
    const OrvoKiv::Platform::Backend &platform = backend();
    const NginxLayout layout = NginxLayout::current();
    const QString name = QStringLiteral("nginx") + platform.conventions().executableSuffix;
    // An empty list is an unreadable snapshot (the caller itself is always in a readable one):
    // nginx is started, as when the snapshot cannot be taken.
    QList<qint64> dwPidList;
    for (const OrvoKiv::Platform::ProcessInfo &process : platform.runningProcesses()) {
        if (process.name == name)
            dwPidList.append(process.pid);
    }
    orvoDebug() << "ZRCommonUtils::checkNginxIsRunningOrStartIt" << "dwPidList:" << dwPidList;
    if (!dwPidList.isEmpty())
        return;
    const QChar separator = platform.conventions().windowsPaths ? QLatin1Char('\\') : QLatin1Char('/');
    const QString folder = layout.nginxExecutable.left(layout.nginxExecutable.lastIndexOf(separator));
    platform.startDetached(layout.nginxExecutable, QStringList(), folder);
}

bool ZRCommonUtils::checkAndCopyNginxContentEditor()
{
    orvoDebug() << "ZRCommonUtils::checkAndCopyNginxContentEditor";
    const NginxLayout layout = NginxLayout::current();
    if (QFileInfo::exists(layout.editorMarker)) {
        orvoDebug() << "nginx content editor exists, return";
        return true;
    }
    const TreeCopy copy = treeCopy(layout.shippedEditor, layout.contentEditorDir);
    orvoDebug() << "start copy:" << copy.text;
    copyTree(copy);
    orvoDebug() << "copy finished.";
    const bool copied = QFileInfo::exists(layout.editorMarker);
    orvoDebug() << "ZRCommonUtils::checkAndCopyNginxContentEditor" << "end, return:" << copied;
    return copied;
}
