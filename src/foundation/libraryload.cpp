// Objects built while the library loads. They live in this one file because hosts rely on their
// order, which C++ fixes only within a translation unit; unloading destroys them in reverse.
#include "libraryload_p.h"
#include "mediainfo_p.h"
#include "orvoappinfo.h"
#include "zruserinfo.h"

namespace OrvoKiv {
QMutex writeIniMutex;
} // namespace OrvoKiv

// Lives for the whole process by contract: never deleted.
ZRUserInfo *ZRUserInfo::instance = new ZRUserInfo();

// Guards the creation of the catalogue singleton.
QMutex OrvoAppInfo::mutex_m;

// What the media probe's format queries answer when the MediaInfo library is missing.
const std::wstring OrvoKiv::Files::mediaInfoLoadError(L"Unable to load MediaInfo.dll");
