#include "orvoappinfo.h"

#include "apprecord_p.h"
#include "lookuptrace_p.h"
#include "zrcommonutils.h"

#include <QFile>

using namespace OrvoKiv::AppRecord;
using OrvoKiv::LookupTrace;

namespace {

const QString kalo = QString::fromUtf8("OrvoKalo班班");

bool isRegisteredGroup(const QString &group)
{
    static const QStringList groups = {QStringLiteral("Tesvari"), QStringLiteral("kalo"),
                                       QStringLiteral("dunmore"), QStringLiteral("tamberly"),
                                       QStringLiteral("wpp")};
    return groups.contains(group);
}

// A directory lookup that found nothing leaves only the file name: that is no path.
QString unlessBare(const QString &path, const QString &fileName)
{
    return path == fileName ? QString() : path;
}

bool existsTraced(const QString &path)
{
    const bool exists = !path.isEmpty() && QFile::exists(path);
    if (!path.isEmpty() && LookupTrace::isActive())
        LookupTrace::record(QStringLiteral("exists \"%1\" -> %2").arg(path, exists ? QStringLiteral("yes") : QStringLiteral("no")));
    return exists;
}

QString registeredAppPath(const QJsonObject &record)
{
    const QString group = text(record, "regGroup");
    const QString regKey = text(record, "regKey");
    const QString appName = text(record, "appName");
    if (group == QLatin1String("Tesvari") || group == QLatin1String("kalo")) {
        // A recorded start path wins over every special case.
        const QString shellPath = ZRCommonUtils::getSoftwareRegeditShellPath(regKey, group);
        if (!shellPath.isEmpty())
            return shellPath;
        if (regKey == QLatin1String("KaloBanban")) {
            const QString exe = kalo + QStringLiteral(".exe");
            return unlessBare(ZRCommonUtils::getExeInstallPath(kalo) + exe, exe);
        }
        if (appName == QLatin1String("OrvoAIToolkit.exe")) {
            return ZRCommonUtils::getExeInstallPath(QStringLiteral("Tesvari\\OrvoAIToolkit"))
                + QStringLiteral("OrvoOneInClass.exe");
        }
        return unlessBare(ZRCommonUtils::getSoftwareRegeditPath(regKey, group) + appName, appName);
    }
    if (group == QLatin1String("dunmore"))
        return unlessBare(ZRCommonUtils::getDunmoreexeInstallPath(regKey) + appName, appName);
    if (group == QLatin1String("wpp"))
        return ZRCommonUtils::getWPPSoftIntallPath(regKey);
    return ZRCommonUtils::getTMBexeInstallPath(regKey); // "tamberly"
}

} // namespace

// Entries of two to six fields have no group field; they are not applications.
QJsonObject OrvoAppInfo::analyzeAppInfo(QString entry)
{
    const QStringList fields = splitEntry(entry);
    if (fields.size() < 7)
        return QJsonObject();

    const QString group = fields.at(6);
    QJsonObject record;
    if (group == QLatin1String("WebApp")) {
        assignFields(record, fields, {"enName", "name", "image", "appName", "appPath", "imageIndex"});
        record.insert(QStringLiteral("appGroup"), group);
        record.insert(QStringLiteral("installed"), true);
        return record;
    }

    const bool registered = isRegisteredGroup(group);
    const bool third = group == QLatin1String("third");
    const bool thirdOrvo = group == QLatin1String("third-orvo");
    if (!registered && !third && !thirdOrvo)
        return QJsonObject();

    assignFields(record, fields, {"enName", "name", "image", "appName", "params", "regKey", "regGroup"});
    record.insert(QStringLiteral("appGroup"), group);

    if (registered) {
        if (fields.size() == 8)
            record.insert(QStringLiteral("realName"), fields.at(7));
        const QString path = registeredAppPath(record);
        record.insert(QStringLiteral("appPath"), path);
        bool installed = existsTraced(path);
        if (fields.at(0) == QLatin1String("OrvoPepBook")) {
            installed = true;
            LookupTrace::record(QStringLiteral("OrvoPepBook counts as installed"));
        }
        record.insert(QStringLiteral("installed"), installed);
        if (group == QLatin1String("dunmore") && fields.at(2).contains(QLatin1String("applicationCenter/"))) {
            LookupTrace::record(QStringLiteral("not kept: application-centre icon"));
            return record;
        }
        registerEntry(record);
        return record;
    }

    // "third" and "third-orvo" name their executable in params.
    const QString params = fields.at(4);
    record.insert(QStringLiteral("appPath"), params);
    bool installed = existsTraced(params);
    if (thirdOrvo && !installed) {
        const QString found = getOrvoSoftInstallPath(record, fields.at(5), QStringLiteral("Tesvari"));
        if (!found.isEmpty()) {
            record.insert(QStringLiteral("appPath"), found);
            installed = true;
            LookupTrace::record(QStringLiteral("found by the suite's own install rules: \"%1\"").arg(found));
        }
    }
    record.insert(QStringLiteral("installed"), installed);
    if (thirdOrvo)
        registerEntry(record);
    return record;
}
