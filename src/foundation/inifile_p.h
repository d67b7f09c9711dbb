#ifndef ORVO_INIFILE_P_H
#define ORVO_INIFILE_P_H

#include <QFileInfo>
#include <QSettings>
#include <QVector>

#include <memory>

namespace OrvoKiv {

// QSettings would block on a FIFO and read a device without end: only a regular file, or none
// yet, is an INI file.
inline bool isReadableAsIni(const QString &filePath)
{
    const QFileInfo info(filePath);
    return !info.exists() || info.isFile();
}

// Every INI file of the suite is UTF-8 in Qt's INI conventions. Anything but a regular file reads
// as an empty file that takes no writes.
inline std::unique_ptr<QSettings> openUtf8Ini(const QString &filePath)
{
    auto settings = std::make_unique<QSettings>(isReadableAsIni(filePath) ? filePath : QString(),
                                                QSettings::IniFormat);
    settings->setIniCodec("UTF-8");
    return settings;
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
