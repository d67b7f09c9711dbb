#ifndef ORVO_CONTENTPROBE_P_H
#define ORVO_CONTENTPROBE_P_H

#include "orvopublicdata_export.h"

#include <QJsonObject>
#include <QString>

#include <string>

namespace OrvoKiv {
namespace Files {

// "Format" of the first general, video and audio stream.
struct MediaFormats
{
    std::wstring general, video, audio;
};

// The parsers proper, run where they are called. The helper program answers with these; the
// library calls them itself only when the helper is missing.
ORVOPUBLICDATA_EXPORT MediaFormats readFormats(const QString &path);
ORVOPUBLICDATA_EXPORT bool pictureLoads(const QString &path);

// The helper's line protocol, one compact JSON object per line each way:
//   {"op":"formats","path":P}  ->  {"general":G,"video":V,"audio":A}
//   {"op":"picture","path":P}  ->  {"loaded":true|false}
//   any request                ->  {"error":"memory limit"} when the helper ran out of memory
ORVOPUBLICDATA_EXPORT QJsonObject answerRequest(const QJsonObject &request);

// The content questions of one availability probe, asked of the warm helper process when it
// is installed. A helper that crashes, hangs past its time limit or runs out of memory yields
// what an unreadable file yields (empty formats, a picture that does not load) and one warning
// line naming the file; later questions of the same probe are not asked again.
class ContentProbe
{
public:
    explicit ContentProbe(const QString &path);

    MediaFormats formats();
    bool pictureLoads();

private:
    // Empty object after a failure.
    QJsonObject ask(const QString &op);

    QString m_path;
    bool m_failed = false;
};

} // namespace Files
} // namespace OrvoKiv

#endif
