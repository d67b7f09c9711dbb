// libFuzzer target for catalogue entries: each input line through the entry analysis, and the
// whole input as a section file.
#include "catalogueexplainer_p.h"
#include "fuzzinput.h"
#include "zrcommonutils.h"

#include <QSettings>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    silenceQt();
    const QByteArray bytes = fuzzBytes(data, size);
    for (const QByteArray &line : bytes.split('\n'))
        OrvoKiv::CatalogueExplainer::explain(QString::fromUtf8(line));

    const QString path = fuzzFile(bytes);
    QSettings settings(path, QSettings::IniFormat);
    for (const QString &section : settings.childGroups())
        ZRCommonUtils::getAppValuesByGroup(path, section);
    return 0;
}
