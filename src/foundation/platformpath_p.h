#ifndef ORVO_PLATFORMPATH_P_H
#define ORVO_PLATFORMPATH_P_H

#include "platformconventions_p.h"

#include <QString>

namespace OrvoKiv {

// QDir::absolutePath() / QFileInfo::absoluteFilePath() of `path` with the rules of the platform
// the path comes from (forward slashes, "." and ".." resolved, no trailing separator), so that a
// Windows path gives the same answer when the logic runs on Linux in a test.
QString absolutePathFor(QString path, const Platform::Conventions &conventions);

} // namespace OrvoKiv

#endif
