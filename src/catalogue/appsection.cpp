#include "zrcommonutils.h"

#include "apprecord_p.h"
#include "inifile_p.h"

#include <QCoreApplication>
#include <QFile>
#include <QVariant>

using namespace OrvoKiv::AppRecord;

namespace {

// Screen versions from 2021 on run the Android applications.
bool androidAppsSupported()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app && app->property("screenVersion").toInt() >= 2021;
}

// The executable of a seven-field Windows entry, by its registry group; empty when the group
// locates nothing. A failed directory lookup leaves the bare file name, which the caller's
// existence test then looks for in the current directory.
QString windowsAppPath(const QJsonObject &record)
{
    const QString group = text(record, "regGroup");
    const QString regKey = text(record, "regKey");
    const QString appName = text(record, "appName");
    if (group == QLatin1String("Tesvari") || group == QLatin1String("kalo")) {
        const QString shellPath = ZRCommonUtils::getSoftwareRegeditShellPath(regKey, group);
        if (!shellPath.isEmpty())
            return shellPath;
        const QString path = ZRCommonUtils::getSoftwareRegeditPath(regKey, group) + appName;
        if (regKey == QLatin1String("KaloBanban") && path == appName) {
            const QString kalo = QString::fromUtf8("OrvoKalo班班");
            return ZRCommonUtils::getExeInstallPath(kalo) + kalo + QStringLiteral(".exe");
        }
        return path;
    }
    if (group == QLatin1String("dunmore"))
        return ZRCommonUtils::getDunmoreexeInstallPath(regKey) + appName;
    if (group == QLatin1String("wpp"))
        return ZRCommonUtils::getWPPSoftIntallPath(regKey);
    if (group == QLatin1String("tamberly"))
        return ZRCommonUtils::getTMBexeInstallPath(regKey);
    return QString();
}

} // namespace

QJsonObject ZRCommonUtils::getAppValuesByGroup(QString filePath, QString section)
{
    QJsonObject listing;
    listing.insert(QStringLiteral("group"), section);
    QJsonArray apps;

    const auto settings = OrvoKiv::openUtf8Ini(filePath);
    for (const OrvoKiv::IniEntry &entry : OrvoKiv::sectionEntries(*settings, section)) {
        const QString &value = entry.value;
        const QStringList fields = splitEntry(value);
        QJsonObject record{{QStringLiteral("installed"), true}};

        switch (fields.size()) {
        case 1:
            listing.insert(QStringLiteral("title"), value);
            continue;
        case 2: case 3: case 5: case 6:
            continue;
        case 4: {
            assignFields(record, fields, {"enName", "name", "image"});
            const QString platform = fields.at(3);
            if (platform.compare(QLatin1String("Android"), Qt::CaseInsensitive) == 0) {
                if (!androidAppsSupported())
                    continue;
                record.insert(QStringLiteral("appGroup"), QStringLiteral("Android"));
            } else if (platform.compare(QLatin1String("System"), Qt::CaseInsensitive) == 0) {
                record.insert(QStringLiteral("appGroup"), QStringLiteral("System"));
            } else {
                continue;
            }
            break;
        }
        case 7: {
            assignFields(record, fields, {"enName", "name", "image", "appName", "params", "regKey", "regGroup"});
            record.insert(QStringLiteral("appGroup"), QStringLiteral("Windows"));
            if (fields.at(0) == QLatin1String("OrvoPepBook"))
                break;
            const QString path = windowsAppPath(record);
            if (path.isEmpty() || !QFile::exists(path))
                continue;
            record.insert(QStringLiteral("appPath"), path);
            break;
        }
        default: // eight fields or more
            if (fields.at(7) != QLatin1String("WebApp"))
                continue;
            assignFields(record, fields, {"enName", "name", "image", "appName", "appPath", "imageIndex"});
            record.insert(QStringLiteral("appGroup"), fields.at(7));
            break;
        }
        apps.append(record);
    }

    listing.insert(QStringLiteral("appinfo"), apps);
    return listing;
}
