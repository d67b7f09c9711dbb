// Cost per availability probe: a bare in-process MediaInfo parse of each file, the whole probe
// in-process, and the whole probe through the warm helper process. The fixtures of the probe's
// tests serve as files (all but the one that crashes libmediainfo).
//
//   bench_probe [ROUNDS=50]
#include "contentprobe_p.h"

#include <zrkivfileinfo.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>

#include <cstdio>
#include <functional>

namespace {

double perProbeMs(const QStringList &files, int rounds, const std::function<void(const QString &)> &probe)
{
    QElapsedTimer clock;
    clock.start();
    for (int round = 0; round < rounds; ++round) {
        for (const QString &file : files)
            probe(file);
    }
    return clock.nsecsElapsed() / 1e6 / (rounds * files.size());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    std::fflush(stderr);
    std::freopen("/dev/null", "w", stderr); // libpng's complaints about the broken pictures
    const int rounds = argc > 1 ? QByteArray(argv[1]).toInt() : 50;
    const QDir dir(QStringLiteral(ORVO_FIXTURES));
    QStringList media, pictures, huge;
    for (const QString &name : dir.entryList(QDir::Files)) {
        if (name == QLatin1String("crash.pdf") || name.endsWith(QLatin1String(".sh")))
            continue;
        const QString path = dir.filePath(name);
        if (name == QLatin1String("huge.png"))
            huge << path;
        else if (ZRKivFileInfo(path).fileType() == ZRKivFileInfo::eImage)
            pictures << path;
        else
            media << path;
    }
    const auto available = [](const QString &file) { ZRKivFileInfo(file).isAvailable(); };
    const auto bareParse = [](const QString &file) { OrvoKiv::Files::readFormats(file); };
    const QByteArray noHelper = QFile::encodeName(dir.filePath(QStringLiteral("no-such-helper")));

    bareParse(media.first()); // loads MediaInfo
    QElapsedTimer start;
    start.start();
    available(media.first()); // starts the helper
    const double startMs = start.nsecsElapsed() / 1e6;

    std::printf("ms per probe, %d rounds; helper start and first probe: %.1f ms\n", rounds, startMs);
    std::printf("%-34s %10s %10s %10s\n", "files", "bare parse", "in-process", "helper");
    const auto report = [&](const char *what, const QStringList &files, bool withBare) {
        const double helper = perProbeMs(files, rounds, available);
        qputenv("ORVO_PROBE_HELPER", noHelper);
        const double inProcess = perProbeMs(files, rounds, available);
        qunsetenv("ORVO_PROBE_HELPER");
        const QString label = QStringLiteral("%1 (%2)").arg(QLatin1String(what)).arg(files.size());
        if (withBare)
            std::printf("%-34s %10.3f %10.3f %10.3f\n", qPrintable(label), perProbeMs(files, rounds, bareParse),
                        inProcess, helper);
        else
            std::printf("%-34s %10s %10.3f %10.3f\n", qPrintable(label), "", inProcess, helper);
    };
    report("sound, video, documents, other", media, true);
    report("pictures", pictures, false);
    report("16000 x 16000 PNG", huge, false);
    return 0;
}
