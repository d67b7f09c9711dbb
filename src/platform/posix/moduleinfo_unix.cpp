#include "moduleinfo_p.h"

#include <QFile>
#include <QFileInfo>

#include <dlfcn.h>
#include <sys/resource.h>

namespace OrvoKiv {
namespace Platform {

QString sharedObjectPath()
{
    Dl_info info = {};
    if (!dladdr(reinterpret_cast<void *>(&sharedObjectPath), &info) || !info.dli_fname)
        return QString();
    return QFileInfo(QFile::decodeName(info.dli_fname)).absoluteFilePath();
}

bool limitAddressSpace(qint64 bytes)
{
    rlimit limit = {};
    limit.rlim_cur = limit.rlim_max = rlim_t(bytes);
    return setrlimit(RLIMIT_AS, &limit) == 0;
}

} // namespace Platform
} // namespace OrvoKiv
