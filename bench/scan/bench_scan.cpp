// Times ZRWinAppUtils::appInstallInSystem() on a machine with N uninstall entries (a third of them
// duplicates of others by name or by path, spread over both registry views) and S shortcuts,
// beside its yardstick: the bare work any scan must do — parse the same registry, read the
// uninstall keys' values, resolve each shortcut and test each program file once.
//
//   bench_scan [N...]   (default: 1000 2000 5000), S = 1000
#include "platformbackend_p.h"

#include <zrwinapputils.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr int shortcutCount = 1000;

void touch(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
}

// The registry reads, shortcut resolutions and file tests of a scan, and nothing else.
double bareMilliseconds(const QString &registryFile, const QString &menu)
{
    using namespace OrvoKiv::Platform;
    const Backend &platform = backend();
    qputenv("ORVO_REGISTRY", QFile::encodeName(registryFile));
    QElapsedTimer timer;
    timer.start();
    int found = 0;
    for (const char *root : {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER"}) {
        for (RegistryView view : {RegistryView::Registry64, RegistryView::Registry32}) {
            const QString key = QLatin1String(root)
                + QLatin1String("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall");
            for (const QString &sub : platform.registrySubKeys(key, view)) {
                const QStringList values = platform.registryValues(
                    key + QLatin1Char('\\') + sub, {QStringLiteral("DisplayName"), QStringLiteral("DisplayIcon")}, view);
                found += QFile::exists(values.at(1).section(QLatin1Char('"'), 1, 1));
            }
        }
    }
    for (const QFileInfo &link : QDir(menu).entryInfoList(QDir::Files))
        found += QFile::exists(platform.shortcutTarget(link.filePath()));
    const double ms = timer.nsecsElapsed() / 1e6;
    if (found == 0)
        qFatal("the yardstick found nothing");
    return ms;
}

double scanMilliseconds(int entries)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    const QString menu = root + QStringLiteral("/menu");
    QDir().mkpath(menu);
    QDir().mkpath(root + QStringLiteral("/programs"));
    for (int i = 0; i < shortcutCount; ++i) {
        const QString exe = root + QStringLiteral("/programs/linked%1.exe").arg(i);
        touch(exe);
        QFile::link(exe, menu + QStringLiteral("/Linked Program %1.lnk").arg(i));
    }

    QFile reg(root + QStringLiteral("/uninstall.reg"));
    reg.open(QIODevice::WriteOnly);
    QTextStream out(&reg);
    out.setCodec("UTF-8");
    out << "Windows Registry Editor Version 5.00\r\n\r\n";
    for (int i = 0; i < entries; ++i) {
        const char *branch = i % 2 ? "SOFTWARE\\WOW6432Node" : "SOFTWARE";
        QString name = QStringLiteral("Program %1 Suite").arg(i);
        QString exe = root + QStringLiteral("/programs/p%1.exe").arg(i);
        if (i % 3 == 1)
            name = QStringLiteral("Program %1 Suite 2.0").arg(i - 1); // same name, later version
        else if (i % 3 == 2)
            exe = root + QStringLiteral("/programs/p%1.exe").arg(i - 2); // same program
        touch(exe);
        out << "[HKEY_LOCAL_MACHINE\\" << branch << "\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{" << i << "}]\r\n"
            << "\"DisplayName\"=\"" << name << "\"\r\n"
            << "\"DisplayIcon\"=\"\\\"" << exe << "\\\",0\"\r\n\r\n";
    }
    out.flush();
    reg.close();
    // The yardstick parses a copy, so that both start from an unparsed registry.
    const QString copy = root + QStringLiteral("/bare.reg");
    QFile::copy(reg.fileName(), copy);
    const double bare = bareMilliseconds(copy, menu);

    qputenv("ORVO_REGISTRY", QFile::encodeName(reg.fileName()));
    qputenv("ORVO_COMMON_PROGRAMS", QFile::encodeName(menu));

    QElapsedTimer timer;
    timer.start();
    const QJsonArray programs = ZRWinAppUtils::appInstallInSystem();
    const double ms = timer.nsecsElapsed() / 1e6;
    std::printf("uninstall entries: %5d  shortcuts: %d  programs found: %5d  scan: %7.1f ms  "
                "bare reads and file tests: %7.1f ms  (bar: 5000 entries under 200 ms)\n",
                entries, shortcutCount, int(programs.size()), ms, bare);
    return ms;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // A host's release set-up: the scan's debug lines go nowhere.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    QStandardPaths::setTestModeEnabled(true);
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes << QByteArray(argv[i]).toInt();
    if (sizes.isEmpty())
        sizes = {1000, 2000, 5000};
    for (int entries : qAsConst(sizes))
        scanMilliseconds(entries);
    return 0;
}
