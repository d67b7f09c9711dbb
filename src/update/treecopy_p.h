#ifndef ORVO_TREECOPY_P_H
#define ORVO_TREECOPY_P_H

#include "orvopublicdata_export.h"
#include "platformconventions_p.h"

#include <QString>
#include <QStringList>

namespace OrvoKiv {
namespace Update {

// A copy of a folder's contents into another folder, as the platform does it: xcopy on Windows,
// cp on Linux. `text` is the command as one line, for the log.
struct ORVOPUBLICDATA_EXPORT TreeCopy
{
    QString program;
    QStringList arguments;
    QString text;

    // `source` is made absolute by the platform's rules; `destination` is taken as given.
    static TreeCopy command(const Platform::Conventions &conventions, const QString &source,
                            const QString &destination);
};

} // namespace Update
} // namespace OrvoKiv

#endif
