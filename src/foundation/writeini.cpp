#include "zrcommonutils.h"

#include "inifile_p.h"
#include "libraryload_p.h"
#include "orvolog_p.h"

#include <QDeadlineTimer>
#include <QLockFile>
#include <QMutexLocker>
#include <QThread>

namespace {

// Several processes of the suite write the same files; QSettings merges only what it read, so
// the whole read-modify-write runs under a lock file beside the INI file. A write takes
// milliseconds: a holder older than the stale time has hung, and a writer waits no longer
// than the bound, so one stuck file holds up writes to other files at most that long.
constexpr int lockStaleMs = 30000;
constexpr int lockWaitMs = 10000;
constexpr int lockPollMs = 5;

// QLockFile::tryLock(timeout) doubles its sleep up to seconds between attempts, which turns a
// queue of short writers into a crawl; a short fixed poll keeps them moving. A folder that refuses
// the lock file may still take the write, which then goes unguarded.
bool acquire(QLockFile &lock)
{
    QDeadlineTimer deadline(lockWaitMs);
    while (!lock.tryLock(0)) {
        if (lock.error() == QLockFile::PermissionError)
            return true;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(lockPollMs);
    }
    return true;
}

} // namespace

void ZRCommonUtils::writeIni(QString filePath, QString key, QString value)
{
    QMutexLocker locker(&OrvoKiv::writeIniMutex);
    if (!OrvoKiv::isReadableAsIni(filePath)) {
        orvoDebug() << "ZRCommonUtils::writeIni" << "not a readable INI file:" << filePath;
        return;
    }
    // Not "FILE.lock": QSettings takes that one itself around its own sync.
    QLockFile lock(filePath + QStringLiteral(".writelock"));
    lock.setStaleLockTime(lockStaleMs);
    if (!acquire(lock)) {
        orvoDebug() << "ZRCommonUtils::writeIni" << "lock timeout, write dropped:" << filePath << key;
        return;
    }
    const auto settings = OrvoKiv::utf8IniSettings(filePath);
    settings->setValue(key, QVariant(value));
    settings->sync();
    if (settings->status() != QSettings::NoError)
        orvoDebug() << "ZRCommonUtils::writeIni" << "write failed:" << filePath << key;
}
