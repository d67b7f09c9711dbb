#include "installedrecognition_p.h"

#include "orvoappinfo.h"

namespace OrvoKiv {

Recognition recogniseInstalled(const QString &name, const QString &path)
{
    OrvoAppInfo *catalogue = OrvoAppInfo::getInstance();
    Recognition result;
    const auto ask = [&result](const char *recogniser, const QJsonObject &record) {
        result.asked << QLatin1String(recogniser);
        if (!record.isEmpty()) {
            result.record = record;
            result.recognisedBy = QLatin1String(recogniser);
        }
    };
    if (name.contains(QString::fromUtf8("课堂评价")))
        ask("isOldKaloApp", catalogue->isOldKaloApp(name, path));
    if (result.record.isEmpty())
        ask("isOrvoApp", catalogue->isOrvoApp(name));
    if (result.record.isEmpty())
        ask("isOrvoNewApp", catalogue->isOrvoNewApp(name, path));
    return result;
}

} // namespace OrvoKiv
