#include "zrwinapputils.h"

#include "platformbackend_p.h"
#include "programentry_p.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStandardPaths>

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

// Folders being walked on this thread: a folder link back into one of them would never end.
thread_local QSet<QString> t_walking;

} // namespace

QMap<QString, QString> ZRWinAppUtils::winAppLinks()
{
    QMap<QString, QString> links;
    QStringList folders = {
        QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation).value(0),
        QStandardPaths::standardLocations(QStandardPaths::DesktopLocation).value(0),
        QStringLiteral("C:/Users/Public/Desktop"),
    };
    const QString commonPrograms = OrvoKiv::Platform::backend().commonProgramsFolder();
    if (!commonPrograms.isEmpty())
        folders << commonPrograms;
    // Later folders win: all users' Start menu over the desktops over the user's Start menu.
    for (const QString &folder : qAsConst(folders))
        allLinkFilesInDir(folder, links);
    return links;
}

QMap<QString, QString> ZRWinAppUtils::allLinkFilesInDir(QString folder, QMap<QString, QString> &links)
{
    QDir dir(folder); // sorted by name, ignoring case
    if (!dir.exists())
        return links;
    const QString canonical = dir.canonicalPath();
    if (t_walking.contains(canonical))
        return links;
    t_walking.insert(canonical);

    dir.setFilter(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot);
    const QFileInfoList entries = dir.entryInfoList();
    const OrvoKiv::Platform::Backend &platform = OrvoKiv::Platform::backend();
    for (const QFileInfo &entry : entries) {
        if (entry.isDir()) {
            allLinkFilesInDir(entry.filePath(), links);
            continue;
        }
        const QString fileName = entry.fileName();
        if (isWantedShortcut(fileName))
            links.insert(fileName.chopped(4), platform.shortcutTarget(entry.filePath()));
    }

    t_walking.remove(canonical);
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
