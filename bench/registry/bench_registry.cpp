// Times the Linux registry: the first lookup, which parses and merges the exports, and then
// 10,000 lookups (hits and misses, default and 32-bit views) that only check the files for
// changes. The exports are generated the way regedit writes them: UTF-16LE with a byte-order
// mark, CRLF, hex lists wrapped at 80 columns.
//
//   bench_registry [megabytes]     (default 5)

#include "registrystore_p.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

#include <sys/time.h>

using namespace OrvoKiv::Platform;

namespace {

QString hexList(const QString &prefix, const QByteArray &bytes)
{
    QString out = prefix;
    int column = prefix.size();
    for (int i = 0; i < bytes.size(); ++i) {
        const QString piece = QString::asprintf(i + 1 < bytes.size() ? "%02x," : "%02x", quint8(bytes[i]));
        if (column + piece.size() + 1 > 80) {
            out += QLatin1String("\\\r\n  ");
            column = 2;
        }
        out += piece;
        column += piece.size();
    }
    return out + QLatin1String("\r\n");
}

QByteArray utf16z(const QString &text)
{
    QByteArray bytes(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    return bytes.append(2, '\0');
}

QString appKey(int vendor, int app, bool wow)
{
    return QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\%1Vendor%2\\Application %3")
        .arg(wow ? QStringLiteral("WOW6432Node\\") : QString())
        .arg(vendor)
        .arg(app);
}

// One export file of about `bytes` bytes; returns the key paths it holds.
QStringList writeExport(const QString &path, qint64 bytes, int firstVendor)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QStringList keys;
    QString text = QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n");
    for (int vendor = firstVendor; text.size() * 2 < bytes; ++vendor) {
        for (int app = 0; app < 10; ++app) {
            const bool wow = app % 3 == 0;
            const QString key = appKey(vendor, app, wow);
            const QString folder = QStringLiteral("C:\\Program Files%1\\Vendor %2\\Application %3")
                                       .arg(wow ? QStringLiteral(" (x86)") : QString())
                                       .arg(vendor)
                                       .arg(app);
            keys.append(key);
            text += QLatin1Char('[') + key + QLatin1String("]\r\n");
            text += QLatin1String("@=\"Application ") + QString::number(app) + QLatin1String("\"\r\n");
            text += QLatin1String("\"InstallPath\"=\"") + QString(folder).replace(QLatin1String("\\"), QLatin1String("\\\\"))
                + QLatin1String("\"\r\n");
            text += QLatin1String("\"Version\"=dword:") + QString::asprintf("%08x", vendor * 10 + app)
                + QLatin1String("\r\n");
            text += hexList(QStringLiteral("\"DisplayIcon\"=hex(2):"),
                            utf16z(QStringLiteral("%ProgramFiles%\\Vendor %1\\app%2.exe,0").arg(vendor).arg(app)));
            text += hexList(QStringLiteral("\"Licence\"=hex:"), QByteArray(48, char(app)));
            text += QLatin1String("\r\n[") + key + QLatin1String("\\Plugins\\Default]\r\n\"Enabled\"=dword:00000001\r\n\r\n");
        }
    }
    QByteArray encoded("\xFF\xFE", 2);
    encoded.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    file.write(encoded);
    return keys;
}

struct Lookup
{
    QString key;
    QString name;
    RegistryView view;
};

// Half hits, half misses (unknown value, unknown key, wrong view), in both views.
QVector<Lookup> lookups(const QStringList &keys, int count)
{
    QRandomGenerator random(42);
    QVector<Lookup> result;
    result.reserve(count);
    for (int i = 0; i < count; ++i) {
        QString key = keys.at(random.bounded(keys.size()));
        const bool wow = key.contains(QLatin1String("WOW6432Node"));
        RegistryView view = RegistryView::Default;
        QString name = QStringLiteral("InstallPath");
        switch (i % 6) {
        case 0: // hit, 32-bit view through the redirection
            if (wow) {
                key.remove(QStringLiteral("WOW6432Node\\"));
                view = RegistryView::Registry32;
            }
            break;
        case 1: // hit, default value
            name = QStringLiteral(".");
            break;
        case 2: // hit, dword
            name = QStringLiteral("version");
            break;
        case 3: // miss: no such value
            name = QStringLiteral("InstPath");
            break;
        case 4: // miss: no such key
            key += QStringLiteral("\\Missing");
            break;
        case 5: // miss: the other view
            view = wow ? RegistryView::Default : RegistryView::Registry32;
            if (wow)
                key.remove(QStringLiteral("WOW6432Node\\"));
            break;
        }
        result.append({key, name, view});
    }
    return result;
}

double run(const char *label, const QString &source, const QStringList &keys)
{
    qputenv("ORVO_REGISTRY", QFile::encodeName(source));
    const QVector<Lookup> work = lookups(keys, 10000);
    RegistryStore store;

    QElapsedTimer timer;
    timer.start();
    store.value(keys.first(), QStringLiteral("InstallPath"));
    const double first = timer.nsecsElapsed() / 1e6;

    int hits = 0;
    timer.restart();
    for (const Lookup &lookup : work)
        hits += !store.value(lookup.key, lookup.name, lookup.view).isEmpty();
    const double all = timer.nsecsElapsed() / 1e6;

    timer.restart();
    int listed = 0;
    for (int i = 0; i < 1000; ++i)
        listed += store.subKeys(keys.at(i % keys.size()) + QStringLiteral("\\Plugins")).size();
    const double subKeys = timer.nsecsElapsed() / 1e6;

    std::printf("%-28s keys %6d  first lookup %8.1f ms  10000 lookups %7.1f ms (%d hits)  "
                "1000 sub-key lists %6.1f ms\n",
                label, store.tree().keyCount(), first, all, hits, subKeys);
    return all;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const double megabytes = argc > 1 ? QString::fromLocal8Bit(argv[1]).toDouble() : 5.0;
    const qint64 bytes = qint64(megabytes * 1024 * 1024);

    QTemporaryDir dir;
    if (!dir.isValid())
        qFatal("no temporary folder");

    const QString single = dir.filePath(QStringLiteral("all.reg"));
    const QStringList keys = writeExport(single, bytes, 0);
    {
        QFile file(single);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        QElapsedTimer timer;
        timer.start();
        const RegistryExport parsed = RegistryExport::parse(bytes, single);
        std::printf("one export of %.1f MB: parsed in %.1f ms, %d keys\n", bytes.size() / 1048576.0,
                    timer.nsecsElapsed() / 1e6, parsed.tree().keyCount());
    }
    const double file = run("one file", single, keys);

    const QString folder = dir.filePath(QStringLiteral("folder"));
    QDir().mkpath(folder);
    QStringList folderKeys;
    for (int i = 0; i < 8; ++i) {
        const QString part = dir.filePath(QStringLiteral("folder/%1-part.reg").arg(i, 2, 10, QLatin1Char('0')));
        folderKeys += writeExport(part, bytes / 8, i * 100000);
    }
    const double changed = run("folder, just changed", folder, folderKeys);
    // as installed: the folder has not changed for a while
    const timeval longAgo[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
    utimes(QFile::encodeName(folder).constData(), longAgo);
    const double settled = run("folder, settled", folder, folderKeys);
    std::printf("10000 lookups, folder / one file: just changed %.2f, settled %.2f (bar 1.5)\n",
                changed / file, settled / file);
    return 0;
}
