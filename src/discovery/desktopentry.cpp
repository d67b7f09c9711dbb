#include "desktopentry_p.h"

namespace OrvoKiv {

namespace {

const char *const excludedCategoryWords[] = {"System", "Settings", "Security", "Qt", "Development", "Game"};

} // namespace

DesktopEntry::Selection DesktopEntry::select(const QByteArray &content)
{
    const QString text = QString::fromUtf8(content);
    if (text.contains(QLatin1String("NoDisplay=true")))
        return Selection::NoDisplay;
    if (text.contains(QLatin1String("Terminal=true")))
        return Selection::Terminal;
    if (!text.contains(QLatin1String("Type=Application")))
        return Selection::NotApplication;
    if (!text.contains(QLatin1String("Categories")))
        return Selection::NoCategories;
    return Selection::Kept;
}

QString DesktopEntry::selectionRule(Selection selection)
{
    switch (selection) {
    case Selection::Kept:
        break;
    case Selection::NoDisplay:
        return QStringLiteral("\"NoDisplay=true\" in the file");
    case Selection::Terminal:
        return QStringLiteral("\"Terminal=true\" in the file");
    case Selection::NotApplication:
        return QStringLiteral("no \"Type=Application\" in the file");
    case Selection::NoCategories:
        return QStringLiteral("no \"Categories\" in the file");
    }
    return QString();
}

QString DesktopEntry::lineValue(const QString &line)
{
    return line.mid(line.lastIndexOf(QLatin1Char('=')) + 1);
}

DesktopEntry::Fields DesktopEntry::parse(const QByteArray &content)
{
    Fields fields;
    int number = 0;
    for (int from = 0; from < content.size();) {
        int end = content.indexOf('\n', from);
        if (end < 0)
            end = content.size();
        const QString line = QString::fromUtf8(content.constData() + from, end - from).trimmed();
        from = end + 1;
        ++number;
        const QString value = lineValue(line);

        QString categories;
        if (line.contains(QLatin1String("Categories"))) {
            categories = value;
            for (const char *word : excludedCategoryWords) {
                if (categories.contains(QLatin1String(word))) {
                    fields.excludedWord = QLatin1String(word);
                    fields.stopLine = number;
                    return fields;
                }
            }
        }
        if (fields.appName.isEmpty() && line.contains(QLatin1String("Name=")))
            fields.appName = value;
        if (fields.name.isEmpty() && line.contains(QLatin1String("Name[zh_CN]=")))
            fields.name = value;
        if (fields.appPath.isEmpty() && line.contains(QLatin1String("Exec=")))
            fields.appPath = value;
        if (line.contains(QLatin1String("Icon=")))
            fields.icons << value;
        if (!categories.isEmpty() && !fields.appName.isEmpty() && !fields.name.isEmpty() && !fields.appPath.isEmpty()) {
            fields.stopLine = number;
            break;
        }
    }
    return fields;
}

QString DesktopEntry::specialProgram(const QString &appPath)
{
    if (appPath.contains(QLatin1String("Firefox")))
        return QStringLiteral("firefox-esr");
    for (const QLatin1String program : {QLatin1String("claws-mail"), QLatin1String("pluma")}) {
        if (appPath.contains(program))
            return program;
    }
    return QString();
}

} // namespace OrvoKiv
