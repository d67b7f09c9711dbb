#include "treecopy_p.h"

#include "platformpath_p.h"

namespace OrvoKiv {
namespace Update {

namespace {

QString quoted(const QString &path)
{
    return QLatin1Char('"') + path + QLatin1Char('"');
}

} // namespace

TreeCopy TreeCopy::command(const Platform::Conventions &conventions, const QString &source,
                           const QString &destination)
{
    const QString from = absolutePathFor(source, conventions);
    TreeCopy copy;
    if (conventions.windowsPaths) {
        // Subdirectories, go on after errors, restartable, overwrite, destination is a folder,
        // list full names. The switches keep their "/": only the paths take "\".
        const QStringList switches{QStringLiteral("/s"), QStringLiteral("/c"), QStringLiteral("/z"),
                                   QStringLiteral("/y"), QStringLiteral("/i"), QStringLiteral("/f")};
        QString nativeFrom = from, nativeTo = destination;
        nativeFrom.replace(QLatin1Char('/'), QLatin1Char('\\'));
        nativeTo.replace(QLatin1Char('/'), QLatin1Char('\\'));
        copy.program = QStringLiteral("xcopy");
        copy.arguments = QStringList{nativeFrom, nativeTo} + switches;
        // Both paths quoted, so a folder with a blank copies too; QProcess quotes the same way.
        copy.text = QStringLiteral("xcopy ") + quoted(nativeFrom) + QLatin1Char(' ') + quoted(nativeTo)
            + QLatin1Char(' ') + switches.join(QLatin1Char(' '));
    } else {
        // "SOURCE/." copies the folder's contents, into DESTINATION whether or not it exists.
        copy.program = QStringLiteral("cp");
        copy.arguments = QStringList{QStringLiteral("-R"), from + QStringLiteral("/."), destination};
        copy.text = QStringLiteral("cp -R ") + quoted(copy.arguments.at(1)) + QLatin1Char(' ')
            + quoted(destination);
    }
    return copy;
}

} // namespace Update
} // namespace OrvoKiv
