#include "zrwinapputils.h"

#include "installedrecognition_p.h"
#include "lookuptrace_p.h"
#include "orvolog_p.h"
#include "platformbackend_p.h"
#include "programentry_p.h"
#include "substringindex_p.h"

#include <QCollator>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSet>
#include <QThread>

#include <algorithm>
#include <vector>

using OrvoKiv::ProgramEntry;
using OrvoKiv::Platform::RegistryView;

namespace {

// Moves programs to the front of the result; lives as long as the process (see place()).
int s_pinCounter = 0;

// Entries a teacher would not launch: system parts, developer tools, drivers.
bool isExcluded(const QString &name, const QString &path)
{
    if (name.contains(QLatin1String("Microsoft")) && !name.contains(QLatin1String("Edge")))
        return true;
    if (path.contains(QLatin1String("cmd.exe")) || path.contains(QLatin1String("powershell.exe")))
        return true;
    for (const char *word : {"Qt", "Git", "Developer", "PowerShell", "Defender", "Realtek", "ODBC", "Speech"}) {
        if (name.contains(QLatin1String(word)))
            return true;
    }
    return path.contains(QLatin1String("OrvoAnnotation")) || name.contains(QLatin1String("LAV"));
}

// Windows paths use both separators; the scan compares and reports them with "/".
QString withSlashes(QString path)
{
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

bool isExecutable(const QString &path)
{
    return QFileInfo(path).suffix().toLower() == QLatin1String("exe");
}

// Drops what the regular expression "\s" matches (ASCII white space, as Qt compiles it) and
// every ".", so "Foo Player 2.0" and "FooPlayer20" compare equal.
QString compact(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u != '.' && u != ' ' && (u < 0x09 || u > 0x0d))
            out.append(c);
    }
    return out;
}

// Why a candidate was kept, merged or dropped, for `orvodata scan --explain`; costs nothing
// unless a trace is active on this thread.
template <typename Text>
void explain(Text text)
{
    if (OrvoKiv::LookupTrace::isActive())
        OrvoKiv::LookupTrace::record(text());
}

// The scan thread is asked to stop when the application quits; a partial answer is dropped.
bool quitting()
{
    return QThread::currentThread()->isInterruptionRequested();
}

QStringList uninstallEntries()
{
    struct Source
    {
        const char *key;
        RegistryView view;
    };
    const Source sources[] = {
        {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall", RegistryView::Registry64},
        {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall", RegistryView::Registry32},
        {"HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall", RegistryView::Registry64},
        {"HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall", RegistryView::Registry32},
    };
    const QStringList valueNames = {QStringLiteral("DisplayName"), QStringLiteral("DisplayIcon"),
                                    QStringLiteral("SystemComponent"), QStringLiteral("ParentKeyName"),
                                    QStringLiteral("ParentDisplayName")};
    const OrvoKiv::Platform::Backend &platform = OrvoKiv::Platform::backend();
    QStringList entries;
    QSet<QString> seen;
    for (const Source &source : sources) {
        const QString root = QLatin1String(source.key) + QLatin1Char('\\');
        const QStringList subKeys = platform.registrySubKeys(QLatin1String(source.key), source.view);
        for (const QString &subKey : subKeys) {
            if (quitting())
                return entries;
            const QString key = root + subKey;
            const QStringList values = platform.registryValues(key, valueNames, source.view);
            const QString &displayName = values.at(0);
            QString displayIcon = values.at(1);
            if (displayIcon.startsWith(QLatin1Char('"')) || displayIcon.endsWith(QLatin1Char('"')))
                displayIcon.remove(QLatin1Char('"'));
            // Updates name their parent product; system components are not programs to launch.
            if (displayName.isEmpty() || values.at(2).toInt() == 1 || !values.at(3).isEmpty()
                || !values.at(4).isEmpty()) {
                explain([&] { return QStringLiteral("uninstall key %1: dropped (no DisplayName, a system component or an update)").arg(key); });
                continue;
            }
            const QString text = displayName + QLatin1Char('|') + displayIcon;
            if (!seen.contains(text)) {
                seen.insert(text);
                entries.append(text);
                explain([&] { return QStringLiteral("uninstall key %1: listed as \"%2\"").arg(key, text); });
            } else {
                explain([&] { return QStringLiteral("uninstall key %1: merged, \"%2\" is listed already").arg(key, text); });
            }
        }
    }
    return entries;
}

// The final list, with the accepted names (compacted) and paths indexed for the duplicate test.
class FinalList
{
public:
    // Name and path as the entry text reads back: a "|" inside a shortcut name splits it there.
    void append(const ProgramEntry &entry)
    {
        m_texts.append(entry.text());
        const ProgramEntry stored = ProgramEntry::parse(m_texts.last());
        m_compactNames.add(compact(stored.name));
        m_paths.add(stored.path);
    }

    // The first accepted entry the candidate duplicates (an accepted compacted name occurs in
    // the candidate's, or an accepted path in the candidate's path), or -1.
    int duplicateOf(const ProgramEntry &candidate) const
    {
        const int byName = m_compactNames.firstOccurringIn(compact(candidate.name));
        const int byPath = m_paths.firstOccurringIn(candidate.path);
        return byName < 0 ? byPath : byPath < 0 ? byName : qMin(byName, byPath);
    }

    QStringList &texts() { return m_texts; }

private:
    QStringList m_texts;
    OrvoKiv::SubstringIndex m_compactNames;
    OrvoKiv::SubstringIndex m_paths;
};

// Registry candidates reach the list only as an existing executable that no accepted entry
// already covers. The suite's own programs come through their shortcuts only.
void addRegistryEntry(FinalList &list, const QString &text)
{
    const auto dropped = [&text](const QString &why) {
        explain([&] { return QStringLiteral("registry entry \"%1\": dropped, %2").arg(text, why); });
    };
    ProgramEntry entry = ProgramEntry::parse(text);
    if (entry.path.isEmpty())
        return dropped(QStringLiteral("no DisplayIcon"));
    if (!QFile::exists(entry.path)) {
        entry.path = entry.path.section(QLatin1Char(','), 0, 0); // drop an icon index such as ",0"
        if (!QFile::exists(entry.path))
            return dropped(QStringLiteral("no file at \"%1\"").arg(entry.path));
    }
    entry.path = withSlashes(entry.path);
    if (!isExecutable(entry.path))
        return dropped(QStringLiteral("not an .exe"));
    if (entry.name.contains(QLatin1String("Orvo")) || entry.path.contains(QLatin1String("Orvo")))
        return dropped(QStringLiteral("the suite's own (\"Orvo\"), found through its shortcuts only"));
    if (isExcluded(entry.name, entry.path))
        return dropped(QStringLiteral("excluded by name or path"));
    if (const int duplicate = list.duplicateOf(entry); duplicate >= 0)
        return dropped(QStringLiteral("merged into \"%1\"").arg(list.texts().at(duplicate)));
    list.append(entry);
    explain([&] { return QStringLiteral("registry entry \"%1\": kept as \"%2\"").arg(text, entry.text()); });
}

QJsonObject thirdPartyRecord(const ProgramEntry &entry)
{
    return QJsonObject{
        {QStringLiteral("enName"), entry.name},       {QStringLiteral("name"), entry.name},
        {QStringLiteral("image"), entry.path},        {QStringLiteral("appName"), entry.name},
        {QStringLiteral("params"), entry.path},       {QStringLiteral("regKey"), QString()},
        {QStringLiteral("regGroup"), QStringLiteral("third")},
        {QStringLiteral("appGroup"), QStringLiteral("third")},
        {QStringLiteral("appPath"), entry.path},      {QStringLiteral("installed"), true},
    };
}

QJsonObject recordFor(const ProgramEntry &entry)
{
    const QJsonObject record = OrvoKiv::recogniseInstalled(entry.name, entry.path).record;
    return record.isEmpty() ? thirdPartyRecord(entry) : record;
}

// The first DodiDuvu program ("vuri") and the three after it in sorted order go to the front;
// the counter carries over to the next scan of the process.
void place(QJsonArray &result, const QString &name, const QJsonObject &record)
{
    if (name.contains(QLatin1String("vuri")) || (s_pinCounter >= 1 && s_pinCounter <= 3)) {
        result.prepend(record);
        ++s_pinCounter;
    } else {
        result.append(record);
    }
}

} // namespace

QJsonArray ZRWinAppUtils::appInstallInSystem()
{
    const QMap<QString, QString> links = winAppLinks();
    const QStringList registryList = uninstallEntries();

    FinalList list;
    for (auto it = links.cbegin(); it != links.cend(); ++it) {
        const ProgramEntry entry{it.key(), withSlashes(it.value())};
        if (isExcluded(entry.name, entry.path) || entry.name == QString::fromUtf8("Orvo驱动程序")
            || entry.name == QString::fromUtf8("Orvo双师课堂")) {
            explain([&] { return QStringLiteral("shortcut %1: dropped, excluded by name or path").arg(entry.name); });
            continue;
        }
        if (isExecutable(entry.path))
            list.append(entry);
        explain([&] {
            return QStringLiteral("shortcut %1: %2").arg(entry.name, isExecutable(entry.path) ? QStringLiteral("kept as \"%1\"").arg(entry.text())
                                                                                                : QStringLiteral("dropped, target \"%1\" is not an .exe").arg(entry.path));
        });
    }
    for (const QString &text : registryList) {
        if (quitting())
            return {};
        addRegistryEntry(list, text);
    }

    QStringList &finalApps = list.texts();
    handleOffice(finalApps);

    if (orvoDebugEnabled()) {
        orvoDebug() << "ZRWinAppUtils::appInstallInSystem" << "appLinks: " << links;
        orvoDebug() << "ZRWinAppUtils::appInstallInSystem" << "appList: " << registryList;
        orvoDebug() << "ZRWinAppUtils::appInstallInSystem" << "listFinalApps: " << finalApps;
    }

    const QCollator collator{QLocale(QLocale::Chinese, QLocale::AnyCountry)};
    std::sort(finalApps.begin(), finalApps.end(), collator);

    QJsonArray result;
    for (const QString &text : qAsConst(finalApps)) {
        if (quitting())
            return {};
        const ProgramEntry entry = ProgramEntry::parse(text);
        place(result, entry.name, recordFor(entry));
    }
    return result;
}
