#include "catalogueexplainer_p.h"

#include "apprecord_p.h"
#include "lookuptrace_p.h"
#include "orvoappinfo.h"

namespace OrvoKiv {

CatalogueExplainer::Explanation CatalogueExplainer::explain(const QString &entry)
{
    Explanation explanation;
    LookupTrace trace;
    explanation.record = OrvoAppInfo::getInstance()->analyzeAppInfo(entry);
    explanation.steps = trace.takeLines();

    const QStringList fields = AppRecord::splitEntry(entry);
    if (explanation.record.isEmpty()) {
        explanation.steps << (fields.size() < 7
                                  ? QStringLiteral("not an application: %1 field(s), the group is field 6 (fields count from 0)").arg(fields.size())
                                  : QStringLiteral("not an application: unknown group \"%1\"").arg(fields.at(6)));
    } else if (explanation.record.value(QLatin1String("appGroup")).toString() == QLatin1String("WebApp")) {
        explanation.steps << QStringLiteral("web applications are always installed");
    } else if (explanation.record.value(QLatin1String("appPath")).toString().isEmpty()) {
        explanation.steps << QStringLiteral("no lookup found the program");
    }
    return explanation;
}

} // namespace OrvoKiv
