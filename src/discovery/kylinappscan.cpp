#include "zrwinapputils.h"

#include "desktopentry_p.h"
#include "kylinappscan_p.h"
#include "lookuptrace_p.h"
#include "orvolog_p.h"
#include "platformbackend_p.h"
#include "zrcommonutils.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>

#include <optional>

using OrvoKiv::DesktopEntry;
using OrvoKiv::LookupTrace;

namespace {

constexpr int commandTimeoutMs = 30000;

const char *const excludedFileWords[] = {"kylin", "ukui", "uninstall", "mvp", "OrvoCenter", "OrvoSmartScreenPro"};
const char *const acceptedIconSizes[] = {"512x512", "256x256", "128x128", "96x96", "80x80",
                                         "72x72",   "64x64",   "56x56",   "48x48", "40x40"};

// Each argument reaches the program as it is: an icon name with blanks or a leading "-" stays one
// argument and cannot turn into an option.
QString commandOutput(const QString &program, const QStringList &arguments)
{
    const QByteArray output =
        OrvoKiv::Platform::backend().runProcess(program, arguments, commandTimeoutMs).standardOutput;
    return QString::fromUtf8(output);
}

QString defaultImageFolder()
{
    return ZRCommonUtils::getDataRootDir() + QStringLiteral("/appImage/");
}

void explain(const QString &line)
{
    if (LookupTrace::isActive())
        LookupTrace::record(line);
}

QString firstLineWithAcceptedSize(const QStringList &lines)
{
    for (const QString &line : lines) {
        for (const char *size : acceptedIconSizes) {
            if (line.contains(QLatin1String(size)))
                return line;
        }
    }
    return QString();
}

QString findIcon(const QString &folder, const QString &icon)
{
    return commandOutput(QStringLiteral("find"),
                         {folder, QStringLiteral("-name"), icon + QStringLiteral(".png")});
}

// Why a parsed record lacks a field, for --explain.
QString missingFields(const DesktopEntry::Fields &fields, const QString &image)
{
    QStringList missing;
    if (fields.appName.isEmpty())
        missing << QStringLiteral("no \"Name=\" value");
    if (fields.name.isEmpty())
        missing << QStringLiteral("no \"Name[zh_CN]=\" value");
    if (fields.appPath.isEmpty())
        missing << QStringLiteral("no \"Exec=\" value");
    if (image.isEmpty()) {
        missing << (fields.icons.isEmpty() ? QStringLiteral("no \"Icon=\" line")
                                           : QStringLiteral("icon \"%1\" not found").arg(fields.icons.last()));
    }
    QString reason = missing.join(QStringLiteral(", "));
    if (fields.stopLine > 0)
        reason += QStringLiteral(" (reading stopped at the categories on line %1)").arg(fields.stopLine);
    return reason;
}

} // namespace

QString OrvoKiv::kylinAppImageFolder()
{
    const QCoreApplication *app = QCoreApplication::instance();
    const QString folder = app ? app->property("globalUserAppImage").toString() : QString();
    return folder.isEmpty() ? defaultImageFolder() : folder;
}

QJsonArray ZRWinAppUtils::linuxKylinAppLinks()
{
    const QString folder = OrvoKiv::Platform::backend().conventions().desktopEntryDir;
    const QString listing = commandOutput(QStringLiteral("ls"), {folder});
    if (listing.isEmpty())
        explain(QStringLiteral("ls %1: no output").arg(folder));
    QStringList paths;
    for (const QString &line : listing.split(QLatin1Char('\n'))) {
        if (!line.contains(QLatin1String(".desktop")))
            continue;
        const char *excluded = nullptr;
        for (const char *word : excludedFileWords) {
            if (line.contains(QLatin1String(word))) {
                excluded = word;
                break;
            }
        }
        if (excluded)
            explain(QStringLiteral("%1%2: dropped: the file name contains \"%3\"").arg(folder, line, QLatin1String(excluded)));
        else
            paths << folder + line;
    }
    return getLinuxKylinAppInfo(paths);
}

QJsonArray ZRWinAppUtils::getLinuxKylinAppInfo(QStringList paths)
{
    struct Selected
    {
        QString path;
        QByteArray content;
    };
    QList<Selected> selected;
    for (const QString &path : qAsConst(paths)) {
        QFile file(path);
        QByteArray content;
        if (file.open(QIODevice::ReadOnly))
            content = file.readAll();
        else
            orvoDebug() << "ZRWinAppUtils::getLinuxKylinAppInfo" << file.errorString();
        const DesktopEntry::Selection selection = DesktopEntry::select(content);
        if (selection == DesktopEntry::Selection::Kept)
            selected.append({path, content});
        else if (file.isOpen())
            explain(QStringLiteral("%1: dropped: %2").arg(path, DesktopEntry::selectionRule(selection)));
        else
            explain(QStringLiteral("%1: dropped: cannot read it: %2").arg(path, file.errorString()));
    }

    QJsonArray records;
    for (const Selected &entry : qAsConst(selected)) {
        const DesktopEntry::Fields fields = DesktopEntry::parse(entry.content);
        QString image;
        QStringList iconSteps;
        {
            std::optional<LookupTrace> iconTrace;
            if (LookupTrace::isActive())
                iconTrace.emplace();
            for (const QString &icon : fields.icons)
                image = getLinuxKylinAppIcon(icon);
            if (iconTrace)
                iconSteps = iconTrace->takeLines();
        }

        QString verdict;
        if (!fields.excludedWord.isEmpty()) {
            verdict = QStringLiteral("dropped: category word \"%1\" on line %2").arg(fields.excludedWord).arg(fields.stopLine);
        } else if (fields.appName.isEmpty() || fields.name.isEmpty() || fields.appPath.isEmpty() || image.isEmpty()) {
            verdict = QStringLiteral("dropped: ") + missingFields(fields, image);
        } else {
            QString appPath = fields.appPath;
            const QString special = DesktopEntry::specialProgram(appPath);
            if (!special.isEmpty())
                appPath = special;
            records.append(QJsonObject{{QStringLiteral("appName"), fields.appName},
                                       {QStringLiteral("enName"), fields.appName},
                                       {QStringLiteral("name"), fields.name},
                                       {QStringLiteral("appPath"), appPath},
                                       {QStringLiteral("image"), image},
                                       {QStringLiteral("appGroup"), QStringLiteral("linux_third")}});
            verdict = special.isEmpty() ? QStringLiteral("kept")
                                        : QStringLiteral("kept, a special program: appPath \"%1\"").arg(special);
        }
        explain(QStringLiteral("%1: %2").arg(entry.path, verdict));
        for (const QString &step : qAsConst(iconSteps))
            explain(QStringLiteral("    ") + step);
    }
    return records;
}

QString ZRWinAppUtils::getLinuxKylinAppIcon(QString icon)
{
    const QString folder = OrvoKiv::kylinAppImageFolder();
    for (const char *ending : {".png", ".ico", ".svg"}) {
        const QString copy = folder + icon + QLatin1String(ending);
        if (QFileInfo::exists(copy)) {
            explain(QStringLiteral("icon \"%1\": already copied: %2").arg(icon, copy));
            return copy;
        }
    }
    if (icon.contains(QLatin1Char('/')))
        return produceAppIcoToConfig(icon);

    const OrvoKiv::Platform::Conventions conventions = OrvoKiv::Platform::backend().conventions();
    QString output = findIcon(conventions.iconThemeDir, icon);
    if (output.isEmpty())
        output = findIcon(conventions.pixmapDir, icon);
    const QStringList lines = output.split(QLatin1Char('\n'));
    QString found = firstLineWithAcceptedSize(lines);
    if (!found.isEmpty()) {
        explain(QStringLiteral("icon \"%1\": found %2 (an accepted size)").arg(icon, found));
    } else if (!lines.first().isEmpty()) {
        found = lines.first();
        explain(QStringLiteral("icon \"%1\": found %2 (no accepted size: the first one)").arg(icon, found));
    } else {
        explain(QStringLiteral("icon \"%1\": not found in %2 or %3").arg(icon, conventions.iconThemeDir, conventions.pixmapDir));
        return QString();
    }
    return produceAppIcoToConfig(found);
}

QString ZRWinAppUtils::produceAppIcoToConfig(QString path)
{
    const QString folder = OrvoKiv::kylinAppImageFolder();
    const QString fileName = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    if (folder == defaultImageFolder())
        QDir().mkpath(folder);
    // "--": a path that starts with "-" is a file, not an option.
    const bool copied = OrvoKiv::Platform::backend()
                            .runProcess(QStringLiteral("cp"), {QStringLiteral("--"), path, folder}, commandTimeoutMs)
                            .succeeded();
    explain(QStringLiteral("%1 %2 -> %3").arg(copied ? QStringLiteral("copied") : QStringLiteral("copy failed:"), path,
                                              folder + fileName));
    return folder + fileName;
}
