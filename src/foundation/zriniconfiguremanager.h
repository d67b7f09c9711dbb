#ifndef ZRINICONFIGUREMANAGER_H
#define ZRINICONFIGUREMANAGER_H

#include "orvopublicdata_export.h"

#include <QScopedPointer>
#include <QString>
#include <QVariant>

class QSettings;

// Typed access to one UTF-8 INI file in Qt's INI conventions. Writes reach the file when the
// manager is destroyed or reloaded, or when Qt's deferred write runs. Not locked: one thread at
// a time.
class ORVOPUBLICDATA_EXPORT ZRIniConfigureManager
{
public:
    // An empty path opens "version.ini" in the application root directory.
    explicit ZRIniConfigureManager(const QString &filePath = QString());
    ~ZRIniConfigureManager();

    QString getValue(const QString &group, const QString &key, const QString &defaultValue);
    QString getValue(const QString &group, const QString &key, const char *defaultValue);
    // A stored text that is not a number reads as 0, not as the default.
    int getValue(const QString &group, const QString &key, int defaultValue);
    // The key is addressed from the top of the file, so it may be written as group/name.
    QVariant getValue(const QString &key, const QVariant &defaultValue);

    void setValue(const QString &group, const QString &key, const QString &value);
    void setValue(const QString &group, const QString &key, int value);
    void setValue(const QString &group, const QString &key, const char *value);
    void setValue(const QString &key, const QVariant &value);

    void removeKey(const QString &group, const QString &key);

    // Both forms write the old file's pending changes before the new file is read.
    // An empty path here does not mean the default file.
    void reload(const QString &filePath);
    // Switches to the default file, whatever file the manager was built on.
    void reload();

private:
    QVariant getValue(const QString &group, const QString &key, const QVariant &defaultValue);
    void setValue(const QString &group, const QString &key, const QVariant &value);

    Q_DISABLE_COPY(ZRIniConfigureManager)
    QScopedPointer<QSettings> m_settings;
};

#endif // ZRINICONFIGUREMANAGER_H
