// libFuzzer target for the registry export parser; built and run by scripts/fuzz.sh.

#include "fuzzinput.h"
#include "registryexport_p.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    silenceQt();

    using namespace OrvoKiv::Platform;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    const RegistryExport parsed = RegistryExport::parse(bytes, QStringLiteral("fuzz.reg"));

    // Layering the export over itself exercises deletion and merging on the same keys.
    RegistryTree registry;
    parsed.applyTo(&registry);
    parsed.applyTo(&registry);
    for (const QString &root : {QStringLiteral("HKLM"), QStringLiteral("HKCU"), QStringLiteral("HKCR")}) {
        const RegistryKeyPath path = RegistryKeyPath::fromString(root);
        for (const QString &child : registry.subKeys(path)) {
            const QString childPath = root + QLatin1Char('\\') + child;
            registry.text(RegistryKeyPath::fromString(childPath), QStringLiteral("."));
        }
    }
    return 0;
}
