#include "orvoappinfo.h"

#include "apprecord_p.h"
#include "inifile_p.h"
#include "orvolog_p.h"

#include <QDir>
#include <QMutexLocker>
#include <QReadLocker>
#include <QWriteLocker>

using namespace OrvoKiv::AppRecord;

QAtomicPointer<OrvoAppInfo> OrvoAppInfo::m_pAppsInfo;

OrvoAppInfo *OrvoAppInfo::getInstance()
{
    if (OrvoAppInfo *instance = m_pAppsInfo.loadAcquire())
        return instance;
    QMutexLocker locker(&mutex_m);
    if (!m_pAppsInfo.loadRelaxed()) {
        // Lives for the whole process by contract.
        m_pAppsInfo.storeRelease(new OrvoAppInfo());
    }
    return m_pAppsInfo.loadRelaxed();
}

OrvoAppInfo::OrvoAppInfo(QObject *parent)
    : QObject(parent)
{
    const QStringList envDirs = QDir::searchPaths(QStringLiteral("envDir"));
    if (envDirs.isEmpty()) {
        orvoDebug() << "OrvoAppInfo::OrvoAppInfo" << "no \"envDir\" search path: the catalogue is empty";
        return;
    }
    getInitAllAppsInfo(envDirs.first() + QStringLiteral("defconfigs/") + QStringLiteral("orvoApps.ini"));
}

OrvoAppInfo::~OrvoAppInfo() = default;

void OrvoAppInfo::getInitAllAppsInfo(QString filePath)
{
    const auto settings = OrvoKiv::openUtf8Ini(filePath);
    // childGroups() leaves out the top level and "General", whose keys are not catalogue entries.
    const QStringList sections = settings->childGroups();
    for (const QString &section : sections) {
        for (const OrvoKiv::IniEntry &entry : OrvoKiv::sectionEntries(*settings, section))
            analyzeAppInfo(entry.value);
    }
}

QJsonArray OrvoAppInfo::getAppsInfoByGroup(QString filePath, QString section)
{
    const bool installedOnly = section == QLatin1String("commonApp");
    QJsonArray records;
    const auto settings = OrvoKiv::openUtf8Ini(filePath);
    for (const OrvoKiv::IniEntry &entry : OrvoKiv::sectionEntries(*settings, section)) {
        if (!entry.value.contains(QLatin1Char('|'))) // a one-field title line
            continue;
        const QJsonObject record = analyzeAppInfo(entry.value);
        if (record.isEmpty())
            continue;
        if (installedOnly && !record.value(QLatin1String("installed")).toBool())
            continue;
        records.append(record);
    }
    return records;
}

QJsonObject OrvoAppInfo::findAppInfo(QString name, const QMap<QString, QJsonObject> &entries)
{
    for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
        if (splitEntry(it.key()).contains(name))
            return it.value();
    }
    return QJsonObject();
}

bool OrvoAppInfo::checkAppByName(QJsonArray records, QString name)
{
    for (const QJsonValue &record : qAsConst(records)) {
        if (record.toObject().value(QLatin1String("name")).toString() == name)
            return true;
    }
    return false;
}

void OrvoAppInfo::insertApps(QJsonObject &target, QJsonObject source, bool append)
{
    const QJsonObject &first = append ? target : source;
    const QJsonObject &second = append ? source : target;
    QJsonArray merged = first.value(QLatin1String("appinfo")).toArray();
    const QJsonArray tail = second.value(QLatin1String("appinfo")).toArray();
    for (const QJsonValue &record : tail)
        merged.append(record.toObject());
    target.insert(QStringLiteral("appinfo"), merged);
}

QJsonObject OrvoAppInfo::isOrvoApp(QString name)
{
    QReadLocker locker(&m_entryLock);
    return findAppInfo(name, m_entryMap);
}

void OrvoAppInfo::registerEntry(const QJsonObject &record)
{
    QWriteLocker locker(&m_entryLock);
    m_entryMap.insert(entryKey(record), record);
}
