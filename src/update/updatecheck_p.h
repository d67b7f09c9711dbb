#ifndef ORVO_UPDATECHECK_P_H
#define ORVO_UPDATECHECK_P_H

#include "orvopublicdata_export.h"

#include <QString>

namespace OrvoKiv {
namespace Update {

// The updater's one argument: the message about the running application as indented JSON,
// UTF-8, standard Base64.
ORVOPUBLICDATA_EXPORT QString updaterArgument(bool autoUpdate, const QString &language);

// The application folder + "/OrvoSoftwareUpdate" + the platform's executable suffix.
ORVOPUBLICDATA_EXPORT QString updaterPath();

} // namespace Update
} // namespace OrvoKiv

#endif
