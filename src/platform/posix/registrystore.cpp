#include "registrystore_p.h"

#include "orvolog_p.h"

#include <QFile>
#include <QMutexLocker>

#include <algorithm>
#include <cstring>

#include <dirent.h>
#include <strings.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace OrvoKiv {
namespace Platform {

namespace {

const char sourceVariable[] = "ORVO_REGISTRY";
const QLatin1String defaultSource("/etc/Tesvari/registry");
// More than any file system's timestamp granularity (FAT: two seconds).
constexpr qint64 trustedAfter = 3 * qint64(1000000000);

// Like the shell's *.reg: hidden files are left out, the suffix matches in any case.
bool isExportName(const char *name)
{
    const size_t length = strlen(name);
    return name[0] != '.' && length > 4 && strcasecmp(name + length - 4, ".reg") == 0;
}

} // namespace

bool RegistryStore::FileStamp::operator==(const FileStamp &other) const
{
    return path == other.path && size == other.size && modified == other.modified
        && inode == other.inode;
}

RegistryStore::RegistryStore() = default;
RegistryStore::~RegistryStore() = default;

RegistryStore &RegistryStore::instance()
{
    static RegistryStore store;
    return store;
}

QString RegistryStore::sourcePath()
{
    const QString path = qEnvironmentVariable(sourceVariable);
    return path.isEmpty() ? QString(defaultSource) : path;
}

RegistryKeyPath RegistryStore::inView(const RegistryKeyPath &path, RegistryView view)
{
    if (view != RegistryView::Registry32 || path.names().size() < 2
        || path.names().constFirst() != QLatin1String("HKEY_LOCAL_MACHINE")
        || path.names().at(1).compare(QLatin1String("SOFTWARE"), Qt::CaseInsensitive) != 0)
        return path;
    const QLatin1String redirected("WOW6432Node");
    if (path.names().size() > 2
        && path.names().at(2).compare(redirected, Qt::CaseInsensitive) == 0)
        return path;
    return path.inserted(2, redirected);
}

QString RegistryStore::value(const QString &keyPath, const QString &valueName,
                             RegistryView view) const
{
    const RegistryKeyPath path = RegistryKeyPath::fromString(keyPath);
    if (!path.isValid())
        return QString();
    return tree().text(inView(path, view), valueName);
}

QStringList RegistryStore::values(const QString &keyPath, const QStringList &valueNames,
                                  RegistryView view) const
{
    QStringList result;
    result.reserve(valueNames.size());
    const RegistryKeyPath path = inView(RegistryKeyPath::fromString(keyPath), view);
    const RegistryTree registry = path.isValid() ? tree() : RegistryTree();
    for (const QString &name : valueNames)
        result.append(path.isValid() ? registry.text(path, name) : QString());
    return result;
}

QStringList RegistryStore::subKeys(const QString &keyPath, RegistryView view) const
{
    const RegistryKeyPath path = RegistryKeyPath::fromString(keyPath);
    if (!path.isValid())
        return QStringList();
    return tree().subKeys(inView(path, view));
}

int RegistryStore::parseCount() const
{
    QMutexLocker locker(&m_mutex);
    return m_parseCount;
}

namespace {

qint64 nanoseconds(const timespec &time)
{
    return qint64(time.tv_sec) * 1000000000 + time.tv_nsec;
}

} // namespace

RegistryStore::ChangeWatch::ChangeWatch() = default;

RegistryStore::ChangeWatch::~ChangeWatch()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool RegistryStore::ChangeWatch::watch(const QByteArray &folder)
{
    reset();
    if (m_fd < 0)
        m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_fd < 0)
        return false;
    // Events of a folder's entries (their contents, times, creation, removal, renaming) are
    // reported on the folder itself.
    m_watch = ::inotify_add_watch(m_fd, folder.constData(),
                                  IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_CREATE | IN_DELETE
                                      | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF
                                      | IN_ONLYDIR);
    return m_watch >= 0;
}

bool RegistryStore::ChangeWatch::changed()
{
    if (m_watch < 0)
        return true;
    bool any = false;
    alignas(inotify_event) char buffer[4096];
    while (::read(m_fd, buffer, sizeof buffer) > 0)
        any = true;
    return any;
}

void RegistryStore::ChangeWatch::reset()
{
    if (m_watch >= 0)
        ::inotify_rm_watch(m_fd, m_watch);
    m_watch = -1;
    if (m_fd >= 0) { // events of the old watch must not count for the new one
        alignas(inotify_event) char buffer[4096];
        while (::read(m_fd, buffer, sizeof buffer) > 0) {
        }
    }
}

// The files in effect. `watchFolder` receives the folder whose events tell of every change to
// them, or stays empty when there is none (a missing source, a symbolic link among the files:
// a change of its target is not an event of the folder).
std::vector<RegistryStore::FileStamp> RegistryStore::currentFiles(const QString &source,
                                                                  QByteArray *watchFolder) const
{
    std::vector<FileStamp> files;
    bool watchable = true;
    const auto add = [&](const QByteArray &path) {
        struct stat info;
        if (::lstat(path.constData(), &info) != 0)
            return;
        if (S_ISLNK(info.st_mode)) {
            watchable = false;
            if (::stat(path.constData(), &info) != 0)
                return;
        }
        if (S_ISREG(info.st_mode))
            files.push_back({path, qint64(info.st_size), nanoseconds(info.st_mtim), quint64(info.st_ino)});
    };

    const QByteArray path = QFile::encodeName(source);
    struct stat info;
    if (::stat(path.constData(), &info) != 0)
        return files;
    if (!S_ISDIR(info.st_mode)) {
        add(path);
        const int slash = path.lastIndexOf('/');
        if (watchable)
            *watchFolder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
        return files;
    }
    for (const QByteArray &file : folderExports(path, nanoseconds(info.st_mtim), quint64(info.st_ino)))
        add(file);
    if (watchable)
        *watchFolder = path;
    return files;
}

// Adding, removing or renaming a file moves the folder's modification time, but only by the
// granularity of the file system's clock. A listing taken well after the last such move is
// therefore kept until the folder changes; a younger one is taken again on every lookup.
const std::vector<QByteArray> &RegistryStore::folderExports(const QByteArray &path,
                                                            qint64 modified, quint64 inode) const
{
    FolderListing &listing = m_listing;
    if (listing.path == path && listing.modified == modified && listing.inode == inode
        && listing.listedAt - modified > trustedAfter)
        return listing.files;

    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    listing = FolderListing{path, modified, inode, nanoseconds(now), {}};
    DIR *dir = ::opendir(path.constData());
    if (!dir)
        return listing.files;
    const QByteArray prefix = path.endsWith('/') ? path : path + '/';
    while (const dirent *entry = ::readdir(dir)) {
        if (isExportName(entry->d_name))
            listing.files.push_back(prefix + entry->d_name);
    }
    ::closedir(dir);
    std::sort(listing.files.begin(), listing.files.end());
    return listing.files;
}

RegistryExport RegistryStore::parseFile(const FileStamp &file) const
{
    ++m_parseCount;
    const QString name = QFile::decodeName(file.path);
    QFile reader(name);
    if (!reader.open(QIODevice::ReadOnly)) {
        orvoDebug().noquote() << QLatin1String("RegistryStore::parseFile: cannot read") << name
                              << QLatin1String("-") << reader.errorString();
        return RegistryExport();
    }
    return RegistryExport::parse(reader.readAll(), name);
}

RegistryTree RegistryStore::tree() const
{
    const QString source = sourcePath();
    QMutexLocker locker(&m_mutex);
    if (source == m_watchedSource && !m_watch.changed())
        return m_merged;

    // Watch first, then look: a change made after this point is an event for the next lookup.
    QByteArray watchFolder;
    m_watchedSource.clear();
    std::vector<FileStamp> files = currentFiles(source, &watchFolder);
    if (!watchFolder.isEmpty() && m_watch.watch(watchFolder)) {
        // Anything that changed between the listing above and the watch is seen by listing again.
        QByteArray again;
        std::vector<FileStamp> recheck = currentFiles(source, &again);
        if (again == watchFolder) {
            files = std::move(recheck);
            m_watchedSource = source;
        }
    }
    if (files == m_mergedFrom)
        return m_merged;

    RegistryTree merged;
    for (const FileStamp &file : files) {
        auto cached = m_parsed.find(file.path);
        if (cached == m_parsed.end() || !(cached->stamp == file))
            cached = m_parsed.insert(file.path, ParsedFile{file, parseFile(file)});
        cached->contents.applyTo(&merged);
    }
    // Files out of effect stay parsed for when the variable points back at them, unless
    // they are gone.
    for (auto it = m_parsed.begin(); it != m_parsed.end();) {
        struct stat info;
        if (::stat(it.key().constData(), &info) != 0)
            it = m_parsed.erase(it);
        else
            ++it;
    }
    m_merged = std::move(merged);
    m_mergedFrom = std::move(files);
    return m_merged;
}

} // namespace Platform
} // namespace OrvoKiv
