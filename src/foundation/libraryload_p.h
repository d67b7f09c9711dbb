#ifndef LIBRARYLOAD_P_H
#define LIBRARYLOAD_P_H

#include <QMutex>

namespace OrvoKiv {

// Serialises ZRCommonUtils::writeIni and nothing else.
extern QMutex writeIniMutex;

} // namespace OrvoKiv

#endif
