#ifndef ZRVERSIONINFO_H
#define ZRVERSIONINFO_H

#include "orvokivsingleton.h"
#include "orvopublicdata_export.h"

#include <QObject>
#include <QString>

class ZRVersionInfo;
extern template struct ORVOPUBLICDATA_EXPORT OrvoKiv::Singleton<ZRVersionInfo>;

// What the running product is and where its online services live. The host fills it at
// start-up; the library only holds the values.
class ORVOPUBLICDATA_EXPORT ZRVersionInfo : public QObject, public OrvoKiv::Singleton<ZRVersionInfo>
{
    Q_OBJECT

public:
    ~ZRVersionInfo() override;

    QString projectName() const;
    void setProjectName(const QString &value);
    QString cloudhost() const;
    void setCloudhost(const QString &value);
    QString AppserviceHost() const;
    void setAppserviceHost(const QString &value);
    QString ssoHost() const;
    void setSSOhost(const QString &value);
    QString kalohost() const;
    void setKalohost(const QString &value);
    QString appKey() const;
    void setAppKey(const QString &value);
    QString appName() const;
    void setAppName(const QString &value);
    QString appVersion() const;
    void setAppVersion(const QString &value);
    QString copyRight() const;
    void setCopyRight(const QString &value);
    QString icoPath() const;
    void setIcoPath(const QString &value);
    QString appsHost() const;
    void setAppsHost(const QString &value);
    QString platform() const;
    void setPlatform(const QString &value);
    int uploadSize() const;
    void setUploadSize(int value);
    QString kaloSdkVersion() const;
    void setKaloSdkVersion(const QString &value);
    QString webToolConfig() const;
    void setWebToolConfig(const QString &value);
    QString defEditorVersion() const;
    void setDefEditorVersion(const QString &value);
    QString netWorkUrl() const;
    void setNetWorkUrl(const QString &value);

private:
    ZRVersionInfo();
    friend struct OrvoKiv::Singleton<ZRVersionInfo>;

    QString m_projectName;
    QString m_cloudHost;
    QString m_appServiceHost;
    QString m_ssoHost;
    QString m_kaloHost;
    QString m_appKey;
    QString m_appName;
    QString m_appVersion;
    QString m_copyRight;
    QString m_icoPath;
    QString m_appsHost;
    QString m_platform;
    int m_uploadSize = 0;
    QString m_kaloSdkVersion;
    QString m_webToolConfig;
    QString m_defEditorVersion;
    QString m_netWorkUrl;
};

#endif // ZRVERSIONINFO_H
