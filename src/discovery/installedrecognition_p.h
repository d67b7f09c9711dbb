#ifndef ORVO_INSTALLEDRECOGNITION_P_H
#define ORVO_INSTALLEDRECOGNITION_P_H

#include "orvopublicdata_export.h"

#include <QJsonObject>
#include <QStringList>

namespace OrvoKiv {

struct Recognition
{
    QJsonObject record;   // the catalogue's record; empty when the program is not the suite's
    QString recognisedBy; // the recogniser that answered, or empty
    QStringList asked;    // the recognisers asked, in order
};

// Asks the catalogue's recognisers about an installed program in the order the scan relies on:
// the old class evaluation (only for names with "课堂评价"), the catalogue's entries, then the
// suite's install rules; the first answer wins.
ORVOPUBLICDATA_EXPORT Recognition recogniseInstalled(const QString &name, const QString &path);

} // namespace OrvoKiv

#endif
