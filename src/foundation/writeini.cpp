#include "zrcommonutils.h"

#include "inifile_p.h"
#include "libraryload_p.h"

#include <QMutexLocker>

void ZRCommonUtils::writeIni(QString filePath, QString key, QString value)
{
    QMutexLocker locker(&OrvoKiv::writeIniMutex);
    const auto settings = OrvoKiv::openUtf8Ini(filePath);
    settings->setValue(key, QVariant(value));
    settings->sync();
}
