#ifndef ORVOAPPINFO_H
#define ORVOAPPINFO_H

#include "orvopublicdata_export.h"

#include <QAtomicPointer>
#include <QJsonArray>
#include <QJsonObject>
#include <QMap>
#include <QMutex>
#include <QObject>
#include <QReadWriteLock>
#include <QString>

// The process-wide application catalogue. The first getInstance() loads "orvoApps.ini" from the
// "envDir" search path and locates every entry on this machine before it returns.
class ZRWinAppSearchThread;
namespace OrvoKiv {
class CatalogueExplainer;
}

class ORVOPUBLICDATA_EXPORT OrvoAppInfo : public QObject
{
    Q_OBJECT

public:
    static OrvoAppInfo *getInstance();
    ~OrvoAppInfo() override;

    // The analysed records of one section, in key order; from "commonApp" only installed ones.
    QJsonArray getAppsInfoByGroup(QString filePath, QString section);
    // Whether a record's `name` equals `name` exactly.
    bool checkAppByName(QJsonArray records, QString name);

    // Executable of one of the suite's own programs from its registry key name, or empty.
    QString getOrvoSoftInstallPath(QJsonObject record, QString regKey, QString regGroup);

    // Recognisers asked by the installed-program scan, in the order isOldKaloApp, isOrvoApp,
    // isOrvoNewApp; each gives an empty object when the program is not the suite's.
    QJsonObject isOrvoApp(QString name);
    QJsonObject isOrvoNewApp(QString displayName, QString programPath);
    QJsonObject isOldKaloApp(QString displayName, QString programPath);

    // Starts the installed-program scan unless it is running; the programs arrive through
    // signalWinAppsData() on this object's thread, whose event loop must run.
    void appInstallInWinSystem();
    // A copy of the installed-program cache, which stays empty: the programs come by signal.
    // Starts the scan while the cache is empty.
    QJsonArray getLocalAppsInfo();

Q_SIGNALS:
    void signalWinAppsData(QJsonArray);

protected:
    explicit OrvoAppInfo(QObject *parent = nullptr);

private:
    void getInitAllAppsInfo(QString filePath);
    QJsonObject analyzeAppInfo(QString entry);
    QJsonObject findAppInfo(QString name, const QMap<QString, QJsonObject> &entries);
    void insertApps(QJsonObject &target, QJsonObject source, bool append);

    void registerEntry(const QJsonObject &record);

    Q_DISABLE_COPY(OrvoAppInfo)

    // Read without the lock on the fast path, so it must be an atomic acquire.
    static QAtomicPointer<OrvoAppInfo> m_pAppsInfo;
    static QMutex mutex_m;

    QJsonArray m_localApps;
    // Created on the first scan request, never deleted: it lives as long as the process.
    ZRWinAppSearchThread *m_searchThread = nullptr;
    // Written on the caller's thread, read on the scan thread.
    QMap<QString, QJsonObject> m_entryMap;
    mutable QReadWriteLock m_entryLock;

    friend class OrvoKiv::CatalogueExplainer;
    friend class tst_Catalogue;
};

#endif // ORVOAPPINFO_H
