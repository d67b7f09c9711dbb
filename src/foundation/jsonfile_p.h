#ifndef ORVO_JSONFILE_P_H
#define ORVO_JSONFILE_P_H

#include "orvopublicdata_export.h"

#include <QJsonDocument>
#include <QString>

namespace OrvoKiv {

// The document getJsonArray and getJsonObject read: null for anything but a regular file that
// holds well-formed JSON. `problem`, when given, says why it is null.
ORVOPUBLICDATA_EXPORT QJsonDocument readJsonFile(const QString &filePath, QString *problem = nullptr);

} // namespace OrvoKiv

#endif
