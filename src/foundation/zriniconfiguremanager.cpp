#include "zriniconfiguremanager.h"

#include "inifile_p.h"
#include "orvolog_p.h"
#include "zrcommonutils.h"


namespace {

QString defaultFile()
{
    return ZRCommonUtils::getAppRootDir() + QStringLiteral("/version.ini");
}

// No settings object for a FIFO, a device or a file Qt cannot read safely: reads then give their
// defaults, writes go nowhere.
QSettings *openIni(const QString &filePath)
{
    return OrvoKiv::isReadableAsIni(filePath) ? OrvoKiv::utf8IniSettings(filePath).release() : nullptr;
}

} // namespace

ZRIniConfigureManager::ZRIniConfigureManager(const QString &filePath)
    : m_settings(openIni(filePath.isEmpty() ? defaultFile() : filePath))
{
}

ZRIniConfigureManager::~ZRIniConfigureManager()
{
    orvoDebug() << "ZRIniConfigureManager::~ZRIniConfigureManager";
}

QString ZRIniConfigureManager::getValue(const QString &group, const QString &key,
                                        const QString &defaultValue)
{
    return getValue(group, key, QVariant(defaultValue)).toString();
}

QString ZRIniConfigureManager::getValue(const QString &group, const QString &key,
                                        const char *defaultValue)
{
    return getValue(group, key, QVariant(QString::fromUtf8(defaultValue))).toString();
}

int ZRIniConfigureManager::getValue(const QString &group, const QString &key, int defaultValue)
{
    return getValue(group, key, QVariant(defaultValue)).toInt();
}

QVariant ZRIniConfigureManager::getValue(const QString &key, const QVariant &defaultValue)
{
    return m_settings ? m_settings->value(key, defaultValue) : defaultValue;
}

QVariant ZRIniConfigureManager::getValue(const QString &group, const QString &key,
                                         const QVariant &defaultValue)
{
    if (!m_settings)
        return defaultValue;
    m_settings->beginGroup(group);
    const QVariant value = m_settings->value(key, defaultValue);
    m_settings->endGroup();
    return value;
}

void ZRIniConfigureManager::setValue(const QString &group, const QString &key, const QString &value)
{
    setValue(group, key, QVariant(value));
}

void ZRIniConfigureManager::setValue(const QString &group, const QString &key, int value)
{
    setValue(group, key, QVariant(value));
}

void ZRIniConfigureManager::setValue(const QString &group, const QString &key, const char *value)
{
    setValue(group, key, QVariant(QString::fromUtf8(value)));
}

void ZRIniConfigureManager::setValue(const QString &key, const QVariant &value)
{
    if (m_settings)
        m_settings->setValue(key, value);
}

void ZRIniConfigureManager::setValue(const QString &group, const QString &key, const QVariant &value)
{
    if (!m_settings)
        return;
    m_settings->beginGroup(group);
    m_settings->setValue(key, value);
    m_settings->endGroup();
}

void ZRIniConfigureManager::removeKey(const QString &group, const QString &key)
{
    if (!m_settings)
        return;
    m_settings->beginGroup(group);
    m_settings->remove(key);
    m_settings->endGroup();
}

void ZRIniConfigureManager::reload(const QString &filePath)
{
    // Pending changes go out first, under the old object's codec: Qt shares one cache per file
    // between settings objects, and the new one, built before its codec is set, would write
    // them as escapes. reset() deletes the old object only after the new one is in place.
    if (m_settings)
        m_settings->sync();
    m_settings.reset(openIni(filePath));
}

void ZRIniConfigureManager::reload()
{
    reload(defaultFile());
}
