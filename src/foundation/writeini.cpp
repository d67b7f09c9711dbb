#include "zrcommonutils.h"

#include "libraryload_p.h"

#include <QMutexLocker>
#include <QSettings>

void ZRCommonUtils::writeIni(QString filePath, QString key, QString value)
{
    QMutexLocker locker(&OrvoKiv::writeIniMutex);
    QSettings settings(filePath, QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    settings.setValue(key, QVariant(value));
    settings.sync();
}
