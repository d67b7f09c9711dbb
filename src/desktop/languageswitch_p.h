#ifndef ORVO_LANGUAGESWITCH_P_H
#define ORVO_LANGUAGESWITCH_P_H

#include "orvopublicdata_export.h"

#include <QString>

namespace OrvoKiv {

// The absolute path of the translation file switchLanguage loads for `name` and `language`.
ORVOPUBLICDATA_EXPORT QString translationFilePath(const QString &name, const QString &language);

} // namespace OrvoKiv

#endif
