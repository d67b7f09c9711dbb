#ifndef ORVO_INIFILE_P_H
#define ORVO_INIFILE_P_H

#include <QSettings>

#include <memory>

namespace OrvoKiv {

// Every INI file of the suite is UTF-8 in Qt's INI conventions.
inline std::unique_ptr<QSettings> openUtf8Ini(const QString &filePath)
{
    auto settings = std::make_unique<QSettings>(filePath, QSettings::IniFormat);
    settings->setIniCodec("UTF-8");
    return settings;
}

} // namespace OrvoKiv

#endif
