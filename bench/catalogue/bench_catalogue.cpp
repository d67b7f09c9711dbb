// Times the first OrvoAppInfo::getInstance() on a catalogue of N entries whose programs are
// described by a registry export of N programs (half of them present on disk). The first call
// parses the export, reads the catalogue and locates every entry.
//
//   bench_catalogue [N=2000]
#include <orvoappinfo.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? QByteArray(argv[1]).toInt() : 2000;
    QTemporaryDir dir;
    const QString root = dir.path();
    QDir().mkpath(root + QStringLiteral("/env/defconfigs"));
    QDir().mkpath(root + QStringLiteral("/programs"));

    QFile reg(root + QStringLiteral("/machine.reg"));
    QFile ini(root + QStringLiteral("/env/defconfigs/orvoApps.ini"));
    if (!reg.open(QIODevice::WriteOnly) || !ini.open(QIODevice::WriteOnly))
        return 1;
    QTextStream r(&reg), c(&ini);
    r.setCodec("UTF-8");
    c.setCodec("UTF-8");
    r << "Windows Registry Editor Version 5.00\r\n\r\n";
    const char *groups[] = {"Tesvari", "kalo", "dunmore", "tamberly", "wpp", "third", "third-orvo", "WebApp"};
    for (int i = 0; i < count; ++i) {
        if (i % 100 == 0)
            c << "[section" << i / 100 << "]\n0=Section title\n";
        const QString group = QLatin1String(groups[i % 8]);
        const QString exe = QStringLiteral("app%1.exe").arg(i);
        const QString folder = root + QStringLiteral("/programs/");
        if (i % 2 == 0) {
            QFile program(folder + exe);
            program.open(QIODevice::WriteOnly);
        }
        if (group == QLatin1String("Tesvari") || group == QLatin1String("kalo") || group == QLatin1String("third-orvo"))
            r << "[HKEY_LOCAL_MACHINE\\SOFTWARE\\" << (group == QLatin1String("kalo") ? "kalo" : "Tesvari") << "\\Key" << i << "]\r\n"
              << "\"InstallPath\"=\"" << folder << "\"\r\n\r\n";
        else if (group == QLatin1String("dunmore"))
            r << "[HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Key" << i << "]\r\n"
              << "\"InstallLocation\"=\"" << folder << "\"\r\n\r\n";
        else if (group == QLatin1String("tamberly"))
            r << "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Key" << i << "]\r\n"
              << "\"DisplayIcon\"=\"" << folder << exe << "\"\r\n\r\n";
        else if (group == QLatin1String("wpp"))
            r << "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Apps\\Key" << i << "]\r\n@=\"" << folder << exe << "\"\r\n\r\n";
        const QString regKey = group == QLatin1String("wpp") ? QStringLiteral("HKEY_LOCAL_MACHINE\\\\SOFTWARE\\\\Apps\\\\Key%1").arg(i)
                                                             : QStringLiteral("Key%1").arg(i);
        const QString params = group.startsWith(QLatin1String("third")) ? folder + QStringLiteral("x") + exe : QString();
        c << i + 1 << "=App" << i << "|程序" << i << "|images/app.png|" << exe << '|' << params << '|' << regKey << '|' << group << '\n';
    }
    r.flush();
    c.flush();
    reg.close();
    ini.close();
    qputenv("ORVO_REGISTRY", QFile::encodeName(reg.fileName()));
    QDir::setSearchPaths(QStringLiteral("envDir"), {root + QStringLiteral("/env/")});

    QElapsedTimer timer;
    timer.start();
    OrvoAppInfo *catalogue = OrvoAppInfo::getInstance();
    const qint64 firstCall = timer.nsecsElapsed();
    const bool known = !catalogue->isOrvoApp(QStringLiteral("App0")).isEmpty();

    std::printf("entries: %d  first getInstance: %.1f ms  per entry: %.1f us  (App0 known: %s)\n", count,
                firstCall / 1e6, firstCall / 1e3 / count, known ? "yes" : "no");
    return known ? 0 : 1;
}
