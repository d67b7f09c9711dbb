#include "probeexplainer_p.h"

#include "zrkivfileinfo.h"

namespace OrvoKiv {
namespace Files {

namespace {
thread_local ProbeExplanation *t_current = nullptr;
}

ProbeExplanation ProbeExplanation::explain(const QString &path)
{
    ProbeExplanation explanation;
    const ZRKivFileInfo file(path);
    explanation.expected = file.fileType();
    t_current = &explanation;
    explanation.available = file.isAvailable();
    t_current = nullptr;
    return explanation;
}

ProbeExplanation *ProbeExplanation::current()
{
    return t_current;
}

} // namespace Files
} // namespace OrvoKiv
