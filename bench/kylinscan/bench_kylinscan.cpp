// Times ZRWinAppUtils::linuxKylinAppLinks() twice over N generated desktop entries whose icons sit
// in a generated icon theme (five sizes each, among F other icons), with the real ls, find and cp.
// The second scan finds every icon already copied and starts no find.
//
//   bench_kylinscan [N [F]]   (default: 200 20000)
#include <zrwinapputils.h>

#include "fakebackend.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <atomic>
#include <cstdio>

namespace {

// Real processes, counted; the rest of FakeBackend's answers go unused.
struct CountingBackend : FakeBackend
{
    mutable std::atomic<int> finds{0};
    mutable std::atomic<int> processes{0};

    OrvoKiv::Platform::ProcessResult runProcess(const QString &program, const QStringList &arguments, int timeoutMs,
                                                const QString &workingDirectory) const override
    {
        ++processes;
        if (program == QLatin1String("find"))
            ++finds;
        return Backend::runProcess(program, arguments, timeoutMs, workingDirectory);
    }
};

void write(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    const int entries = argc > 1 ? QByteArray(argv[1]).toInt() : 200;
    const int filler = argc > 2 ? QByteArray(argv[2]).toInt() : 20000;

    QTemporaryDir dir;
    const QString root = dir.path();
    CountingBackend backend;
    backend.platformConventions = OrvoKiv::Platform::Conventions::posix();
    backend.platformConventions.desktopEntryDir = root + QStringLiteral("/applications/");
    backend.platformConventions.iconThemeDir = root + QStringLiteral("/icons");
    backend.platformConventions.pixmapDir = root + QStringLiteral("/pixmaps");
    const char *sizes[] = {"16x16", "24x24", "48x48", "128x128", "256x256"};
    for (const char *size : sizes)
        QDir().mkpath(root + QStringLiteral("/icons/hicolor/%1/apps").arg(QLatin1String(size)));
    QDir().mkpath(backend.platformConventions.desktopEntryDir);
    QDir().mkpath(backend.platformConventions.pixmapDir);
    for (int i = 0; i < filler; ++i)
        write(root + QStringLiteral("/icons/hicolor/%1/apps/other%2.png").arg(QLatin1String(sizes[i % 5])).arg(i), "png");
    for (int i = 0; i < entries; ++i) {
        for (const char *size : sizes)
            write(root + QStringLiteral("/icons/hicolor/%1/apps/app%2.png").arg(QLatin1String(size)).arg(i), "png");
        write(backend.platformConventions.desktopEntryDir + QStringLiteral("app%1.desktop").arg(i),
              QStringLiteral("[Desktop Entry]\nType=Application\nName=App %1\nName[zh_CN]=应用 %1\nIcon=app%1\n"
                             "Exec=app%1 %U\nTerminal=false\nCategories=Utility;Education;\n")
                  .arg(i)
                  .toUtf8());
    }
    app.setProperty("globalUserAppImage", root + QStringLiteral("/images/"));
    QDir().mkpath(root + QStringLiteral("/images"));
    OrvoKiv::Platform::ScopedBackendOverride override(backend);

    for (const char *scan : {"first", "second"}) {
        backend.finds = 0;
        backend.processes = 0;
        QElapsedTimer timer;
        timer.start();
        const QJsonArray apps = ZRWinAppUtils::linuxKylinAppLinks();
        std::printf("%-6s scan: %4d entries, %5d other icons: %4d apps, %4d processes (%4d find): %8.1f ms\n", scan,
                    entries, filler, int(apps.size()), backend.processes.load(), backend.finds.load(),
                    timer.nsecsElapsed() / 1e6);
    }
    return 0;
}
