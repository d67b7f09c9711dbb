#ifndef ORVO_INIFILE_P_H
#define ORVO_INIFILE_P_H

#include "inivalues_p.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTextCodec>
#include <QVector>

#include <memory>

namespace OrvoKiv {

// QSettings would block on a FIFO and read a device without end, and trusts the sizes inside a
// "@Variant(" value: only a regular file whose values it can read safely, or none yet, is an INI
// file.
inline bool isReadableAsIni(const QString &filePath)
{
    const QFileInfo info(filePath);
    if (!info.exists())
        return true;
    QFile file(filePath);
    return info.isFile()
        && (!file.open(QIODevice::ReadOnly) || iniVariantsAreSafe(file.readAll(), QTextCodec::codecForName("UTF-8")));
}

// Every INI file of the suite is UTF-8 in Qt's INI conventions. For a file the caller has found
// readable.
inline std::unique_ptr<QSettings> utf8IniSettings(const QString &filePath)
{
    auto settings = std::make_unique<QSettings>(filePath, QSettings::IniFormat);
    settings->setIniCodec("UTF-8");
    return settings;
}

// Anything but a readable INI file reads as an empty file that takes no writes.
inline std::unique_ptr<QSettings> openUtf8Ini(const QString &filePath)
{
    return utf8IniSettings(isReadableAsIni(filePath) ? filePath : QString());
}

struct IniEntry
{
    QString key;
    QString value; // QVariant::toString() of the value, as Qt's INI reader gives it
};

// The entries of one section in key order (the order of QSettings::childKeys()).
inline QVector<IniEntry> sectionEntries(QSettings &settings, const QString &section)
{
    QVector<IniEntry> entries;
    settings.beginGroup(section);
    const QStringList keys = settings.childKeys();
    entries.reserve(keys.size());
    for (const QString &key : keys)
        entries.append({key, settings.value(key).toString()});
    settings.endGroup();
    return entries;
}

} // namespace OrvoKiv

#endif
