// libFuzzer target for the desktop-entry reader of the Kylin scan. Not part of the build; with clang:
//
//   clang++ -std=c++17 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined \
//       -DQT_NO_CAST_FROM_ASCII -DQT_NO_CAST_TO_ASCII -DQT_USE_QSTRINGBUILDER \
//       -I<build>/src -Isrc/discovery $(pkg-config --cflags Qt5Core) fuzz/desktopentry_fuzz.cpp \
//       src/discovery/desktopentry.cpp $(pkg-config --libs Qt5Core) -o desktopentry_fuzz
//   ./desktopentry_fuzz -max_len=65536 fuzz/corpus/desktopentry_fuzz tests/data/desktop/entries

#include "desktopentry_p.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using OrvoKiv::DesktopEntry;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    const DesktopEntry::Selection selection = DesktopEntry::select(bytes);
    DesktopEntry::selectionRule(selection);
    const DesktopEntry::Fields fields = DesktopEntry::parse(bytes);

    // What the reader promises whatever the input: values come from one line each, so they hold
    // no line break, and reading stops on a line that exists.
    for (const QString &value : {fields.appName, fields.name, fields.appPath}) {
        if (value.contains(QLatin1Char('\n')))
            __builtin_trap();
    }
    if (fields.stopLine < 0 || fields.stopLine > bytes.count('\n') + 1)
        __builtin_trap();
    if (!fields.excludedWord.isEmpty() && fields.stopLine == 0)
        __builtin_trap();
    DesktopEntry::specialProgram(fields.appPath);
    return 0;
}
