// libFuzzer target for INI reading: the manager's typed reads and the section reader.
#include "fuzzinput.h"
#include "inifile_p.h"
#include "zriniconfiguremanager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    silenceQt();
    const QString path = fuzzFile(fuzzBytes(data, size));
    const auto settings = OrvoKiv::openUtf8Ini(path);
    ZRIniConfigureManager manager(path);
    for (const QString &group : settings->childGroups()) {
        for (const OrvoKiv::IniEntry &entry : OrvoKiv::sectionEntries(*settings, group)) {
            manager.getValue(group, entry.key, 5);
            manager.getValue(group, entry.key, QString());
        }
    }
    for (const QString &key : settings->allKeys())
        manager.getValue(key, QVariant());
    return 0;
}
