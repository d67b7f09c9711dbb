#ifndef ORVO_CATALOGUEEXPLAINER_P_H
#define ORVO_CATALOGUEEXPLAINER_P_H

#include "orvopublicdata_export.h"

#include <QJsonObject>
#include <QStringList>

namespace OrvoKiv {

// Lets the command-line host show how the catalogue decides about one entry. Not part of the
// interface that host applications use.
class ORVOPUBLICDATA_EXPORT CatalogueExplainer
{
public:
    struct Explanation
    {
        QJsonObject record; // exactly what the catalogue makes of the entry (and registers)
        QStringList steps;  // registry lookups, file tests and conclusions, in order
    };

    static Explanation explain(const QString &entry);
};

} // namespace OrvoKiv

#endif
