#include "zrwinapputils.h"

#include "platformbackend_p.h"
#include "programentry_p.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStandardPaths>
#include <QThread>

namespace {

bool isWantedShortcut(const QString &fileName)
{
    if (!fileName.endsWith(QLatin1String(".lnk")))
        return false;
    for (const char *excluded : {"卸载", "Uninst", "Uninstall", "OrvoKiv6"}) {
        if (fileName.contains(QString::fromUtf8(excluded)))
            return false;
    }
    return true;
}

using Links = QMap<QString, QString>;

// Depth-first, each real folder once per walk: links that lead back into the tree (cycles) or
// share a sub-folder would otherwise repeat it without bound. A plain sub-folder's real path
// extends its parent's; resolving every one would cost a walk down the whole path per folder.
void walk(const QString &folder, const QString &realPath, Links &links, QSet<QString> &walked,
          const OrvoKiv::Platform::Backend &platform)
{
    if (realPath.isEmpty() || walked.contains(realPath) || QThread::currentThread()->isInterruptionRequested())
        return;
    walked.insert(realPath);

    QDir dir(folder); // sorted by name, ignoring case
    dir.setFilter(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot);
    const QFileInfoList entries = dir.entryInfoList();
    for (const QFileInfo &entry : entries) {
        if (entry.isDir()) {
#ifdef Q_OS_WIN
            const bool link = true; // junctions do not count as links there
#else
            const bool link = entry.isSymLink();
#endif
            walk(entry.filePath(), link ? entry.canonicalFilePath() : realPath + QLatin1Char('/') + entry.fileName(),
                 links, walked, platform);
            continue;
        }
        const QString fileName = entry.fileName();
        if (isWantedShortcut(fileName))
            links.insert(fileName.chopped(4), platform.shortcutTarget(entry.filePath()));
    }
}

} // namespace

QMap<QString, QString> ZRWinAppUtils::winAppLinks()
{
    QMap<QString, QString> links;
    QString desktop = QStandardPaths::standardLocations(QStandardPaths::DesktopLocation).value(0);
    // XDG marks a disabled desktop by pointing it at the home folder, which is no shortcut folder.
    if (QDir(desktop) == QDir::home())
        desktop.clear();
    QStringList folders = {
        QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation).value(0),
        desktop,
        QStringLiteral("C:/Users/Public/Desktop"),
    };
    const QString commonPrograms = OrvoKiv::Platform::backend().commonProgramsFolder();
    if (!commonPrograms.isEmpty())
        folders << commonPrograms;
    // Later folders win: all users' Start menu over the desktops over the user's Start menu.
    for (const QString &folder : qAsConst(folders)) {
        if (!folder.isEmpty()) // QDir("") would be the current folder
            allLinkFilesInDir(folder, links);
    }
    return links;
}

QMap<QString, QString> ZRWinAppUtils::allLinkFilesInDir(QString folder, QMap<QString, QString> &links)
{
    const QDir dir(folder);
    if (!dir.exists())
        return links;
    QSet<QString> walked;
    walk(folder, dir.canonicalPath(), links, walked, OrvoKiv::Platform::backend());
    return links;
}

void ZRWinAppUtils::handleOffice(QStringList &entries)
{
    static const struct
    {
        const char *name;
        const char *path;
    } office[] = {
        {"Access", "C:/Program Files/Microsoft Office/root/Office16/MSACCESS.EXE"},
        {"Excel", "C:/Program Files/Microsoft Office/root/Office16/EXCEL.EXE"},
        {"Outlook", "C:/Program Files/Microsoft Office/root/Office16/OUTLOOK.EXE"},
        {"PowerPoint", "C:/Program Files/Microsoft Office/root/Office16/POWERPNT.EXE"},
        {"Word", "C:/Program Files/Microsoft Office/root/Office16/WINWORD.EXE"},
        {"Publisher", "C:/Program Files/Microsoft Office/root/Office16/MSPUB.EXE"},
        {"OneNote", "C:/Program Files/Microsoft Office/root/Office16/ONENOTE.EXE"},
    };

    QSet<QString> names;
    for (const QString &entry : qAsConst(entries))
        names.insert(OrvoKiv::ProgramEntry::parse(entry).name);
    for (const auto &program : office) {
        if (names.contains(QLatin1String(program.name)))
            return;
    }
    for (const auto &program : office) {
        const QString path = QLatin1String(program.path);
        if (QFile::exists(path))
            entries.append(QLatin1String(program.name) + QLatin1Char('|') + path);
    }
}
