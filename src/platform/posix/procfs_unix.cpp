#include "procfs_p.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace OrvoKiv {
namespace Platform {

namespace {

// The kernel keeps at most 15 bytes of a process's name.
constexpr int CommLength = 15;

QByteArray readSmallFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return QByteArray();
    return file.read(4096);
}

// The name a process runs under: its kernel name (what ps shows), completed from the program
// name it was started with when the kernel cut it short.
QString processName(const QString &dir)
{
    QByteArray comm = readSmallFile(dir + QStringLiteral("/comm"));
    if (comm.endsWith('\n'))
        comm.chop(1);
    if (comm.size() == CommLength) {
        const QByteArray cmdline = readSmallFile(dir + QStringLiteral("/cmdline"));
        QByteArray argv0 = cmdline.left(cmdline.indexOf('\0'));
        argv0 = argv0.mid(argv0.lastIndexOf('/') + 1);
        if (argv0.startsWith(comm))
            comm = argv0;
    }
    return QString::fromUtf8(comm);
}

} // namespace

QList<ProcessInfo> procProcesses(const QString &procRoot)
{
    QList<qint64> ids;
    const QStringList names = QDir(procRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        bool ok = false;
        const qint64 pid = name.toLongLong(&ok);
        if (ok && pid > 0)
            ids.append(pid);
    }
    std::sort(ids.begin(), ids.end());

    QList<ProcessInfo> result;
    result.reserve(ids.size());
    for (qint64 pid : qAsConst(ids)) {
        const QString name = processName(procRoot + QLatin1Char('/') + QString::number(pid));
        if (!name.isEmpty()) // gone meanwhile
            result.append({pid, name});
    }
    return result;
}

} // namespace Platform
} // namespace OrvoKiv
