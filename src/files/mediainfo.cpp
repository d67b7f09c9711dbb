#include "mediainfo_p.h"

#include <QLibrary>

#include <cstddef>

namespace OrvoKiv {
namespace Files {

namespace {

// The plain C interface of MediaInfoDLL.h, wide-character flavour.
using NewFunction = void *(*)();
using OpenFunction = std::size_t (*)(void *, const wchar_t *);
using GetFunction = const wchar_t *(*)(void *, int streamKind, std::size_t streamNumber,
                                       const wchar_t *parameter, int kindOfInfo, int kindOfSearch);
using DeleteFunction = void (*)(void *);

enum { InfoName = 0, InfoText = 1 };

struct Library
{
    NewFunction create = nullptr;
    OpenFunction open = nullptr;
    GetFunction get = nullptr;
    DeleteFunction destroy = nullptr;

    Library()
    {
        QString name = qEnvironmentVariable("ORVO_MEDIAINFO");
        if (name.isEmpty()) {
#ifdef Q_OS_WIN
            name = QStringLiteral("MediaInfo.dll");
#else
            name = QStringLiteral("libmediainfo.so.0");
#endif
        }
        // Never unloaded: the handles of other probes may still live on other threads.
        QLibrary library(name);
        if (!library.load())
            return;
        create = reinterpret_cast<NewFunction>(library.resolve("MediaInfo_New"));
        open = reinterpret_cast<OpenFunction>(library.resolve("MediaInfo_Open"));
        get = reinterpret_cast<GetFunction>(library.resolve("MediaInfo_Get"));
        destroy = reinterpret_cast<DeleteFunction>(library.resolve("MediaInfo_Delete"));
        if (!create || !open || !get || !destroy)
            create = nullptr;
    }

    bool isLoaded() const { return create != nullptr; }
};

const Library &library()
{
    static const Library loaded;
    return loaded;
}

} // namespace

MediaInfoFile::MediaInfoFile(const QString &path)
{
    const Library &lib = library();
    if (!lib.isLoaded())
        return;
    m_handle = lib.create();
    if (m_handle)
        lib.open(m_handle, path.toStdWString().c_str());
}

MediaInfoFile::~MediaInfoFile()
{
    if (m_handle)
        library().destroy(m_handle);
}

std::wstring MediaInfoFile::format(StreamKind kind) const
{
    if (!library().isLoaded())
        return mediaInfoLoadError;
    if (!m_handle)
        return std::wstring();
    const wchar_t *value = library().get(m_handle, kind, 0, L"Format", InfoText, InfoName);
    return value ? std::wstring(value) : std::wstring();
}

} // namespace Files
} // namespace OrvoKiv
