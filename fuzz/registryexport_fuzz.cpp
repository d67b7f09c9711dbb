// libFuzzer target for the registry export parser. Not part of the build; with clang:
//
//   clang++ -std=c++17 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined \
//       -DQT_NO_CAST_FROM_ASCII -DQT_NO_CAST_TO_ASCII -DQT_USE_QSTRINGBUILDER \
//       -I<build>/src -Isrc/platform/posix -Isrc/platform -Isrc/foundation \
//       $(pkg-config --cflags Qt5Core) fuzz/registryexport_fuzz.cpp \
//       src/platform/posix/registryexport.cpp src/platform/posix/registrytree.cpp \
//       $(pkg-config --libs Qt5Core) -o registryexport_fuzz
//   ./registryexport_fuzz -max_len=65536 tests/data/registry tests/data/registry/exported

#include "registryexport_p.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

void quiet(QtMsgType, const QMessageLogContext &, const QString &)
{
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool silenced = (qInstallMessageHandler(quiet), true);
    Q_UNUSED(silenced);

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
