#include "zrversioninfo.h"

template struct OrvoKiv::Singleton<ZRVersionInfo>;

ZRVersionInfo::ZRVersionInfo()
    : QObject(nullptr)
{
}

ZRVersionInfo::~ZRVersionInfo() = default;

QString ZRVersionInfo::projectName() const { return m_projectName; }
void ZRVersionInfo::setProjectName(const QString &value) { m_projectName = value; }
QString ZRVersionInfo::cloudhost() const { return m_cloudHost; }
void ZRVersionInfo::setCloudhost(const QString &value) { m_cloudHost = value; }
QString ZRVersionInfo::AppserviceHost() const { return m_appServiceHost; }
void ZRVersionInfo::setAppserviceHost(const QString &value) { m_appServiceHost = value; }
QString ZRVersionInfo::ssoHost() const { return m_ssoHost; }
void ZRVersionInfo::setSSOhost(const QString &value) { m_ssoHost = value; }
QString ZRVersionInfo::kalohost() const { return m_kaloHost; }
void ZRVersionInfo::setKalohost(const QString &value) { m_kaloHost = value; }
QString ZRVersionInfo::appKey() const { return m_appKey; }
void ZRVersionInfo::setAppKey(const QString &value) { m_appKey = value; }
QString ZRVersionInfo::appName() const { return m_appName; }
void ZRVersionInfo::setAppName(const QString &value) { m_appName = value; }
QString ZRVersionInfo::appVersion() const { return m_appVersion; }
void ZRVersionInfo::setAppVersion(const QString &value) { m_appVersion = value; }
QString ZRVersionInfo::copyRight() const { return m_copyRight; }
void ZRVersionInfo::setCopyRight(const QString &value) { m_copyRight = value; }
QString ZRVersionInfo::icoPath() const { return m_icoPath; }
void ZRVersionInfo::setIcoPath(const QString &value) { m_icoPath = value; }
QString ZRVersionInfo::appsHost() const { return m_appsHost; }
void ZRVersionInfo::setAppsHost(const QString &value) { m_appsHost = value; }
QString ZRVersionInfo::platform() const { return m_platform; }
void ZRVersionInfo::setPlatform(const QString &value) { m_platform = value; }
int ZRVersionInfo::uploadSize() const { return m_uploadSize; }
void ZRVersionInfo::setUploadSize(int value) { m_uploadSize = value; }
QString ZRVersionInfo::kaloSdkVersion() const { return m_kaloSdkVersion; }
void ZRVersionInfo::setKaloSdkVersion(const QString &value) { m_kaloSdkVersion = value; }
QString ZRVersionInfo::webToolConfig() const { return m_webToolConfig; }
void ZRVersionInfo::setWebToolConfig(const QString &value) { m_webToolConfig = value; }
QString ZRVersionInfo::defEditorVersion() const { return m_defEditorVersion; }
void ZRVersionInfo::setDefEditorVersion(const QString &value) { m_defEditorVersion = value; }
QString ZRVersionInfo::netWorkUrl() const { return m_netWorkUrl; }
void ZRVersionInfo::setNetWorkUrl(const QString &value) { m_netWorkUrl = value; }
