#ifndef ORVO_MEDIAINFO_P_H
#define ORVO_MEDIAINFO_P_H

#include <QString>

#include <string>

namespace OrvoKiv {
namespace Files {

// What every format query answers when the MediaInfo library cannot be loaded. Created while
// the library loads (libraryload.cpp).
extern const std::wstring mediaInfoLoadError;

// One MediaInfo handle on one file, through the library's C interface, loaded at run time on
// first use and kept for the life of the process. "MediaInfo.dll" on Windows,
// "libmediainfo.so.0" on Linux; $ORVO_MEDIAINFO names another file (tests use it to make the
// library missing).
class MediaInfoFile
{
public:
    enum StreamKind { General = 0, Video = 1, Audio = 2 };

    // The result of opening is not looked at: a file the library cannot read gives empty values.
    explicit MediaInfoFile(const QString &path);
    ~MediaInfoFile();
    MediaInfoFile(const MediaInfoFile &) = delete;
    MediaInfoFile &operator=(const MediaInfoFile &) = delete;

    // "Format" of the first stream of `kind`; empty when there is none.
    std::wstring format(StreamKind kind) const;

private:
    void *m_handle = nullptr;
};

} // namespace Files
} // namespace OrvoKiv

#endif
