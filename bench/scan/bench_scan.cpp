// Times ZRWinAppUtils::appInstallInSystem() on a machine with N uninstall entries (a third of them
// duplicates of others by name or by path, spread over both registry views) and S shortcuts.
//
//   bench_scan [N...]   (default: 1000 2000 5000), S = 1000
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
    qputenv("ORVO_REGISTRY", QFile::encodeName(reg.fileName()));
    qputenv("ORVO_COMMON_PROGRAMS", QFile::encodeName(menu));

    QElapsedTimer timer;
    timer.start();
    const QJsonArray programs = ZRWinAppUtils::appInstallInSystem();
    const double ms = timer.nsecsElapsed() / 1e6;
    std::printf("uninstall entries: %5d  shortcuts: %d  programs found: %5d  scan: %7.1f ms\n", entries,
                shortcutCount, int(programs.size()), ms);
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
