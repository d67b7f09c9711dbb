#ifndef ORVO_REGISTRYSTORE_P_H
#define ORVO_REGISTRYSTORE_P_H

#include "orvopublicdata_export.h"
#include "platformbackend_p.h"
#include "registryexport_p.h"
#include "registrytree_p.h"

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <vector>

namespace OrvoKiv {
namespace Platform {

// The registry of the Linux build: the export files named by $ORVO_REGISTRY (one file, or a
// folder whose *.reg files are read in name order, later ones winning), by default the folder
// /etc/Tesvari/registry. The variable is read on every lookup; a file is parsed again only
// when its size, modification time or inode changed. While nothing in the watched folder changes,
// a lookup touches no file at all. Lookups may come from any thread.
class ORVOPUBLICDATA_EXPORT RegistryStore
{
public:
    RegistryStore();
    ~RegistryStore();
    RegistryStore(const RegistryStore &) = delete;
    RegistryStore &operator=(const RegistryStore &) = delete;

    // The store the backend answers from.
    static RegistryStore &instance();

    // The file or folder in effect now.
    static QString sourcePath();

    QString value(const QString &keyPath, const QString &valueName,
                  RegistryView view = RegistryView::Default) const;
    QStringList values(const QString &keyPath, const QStringList &valueNames,
                       RegistryView view = RegistryView::Default) const;
    QStringList subKeys(const QString &keyPath, RegistryView view = RegistryView::Default) const;

    // All files in effect, merged.
    RegistryTree tree() const;

    // Files parsed by this store so far.
    int parseCount() const;

    // The 32-bit view sees HKLM\SOFTWARE\X under HKLM\SOFTWARE\WOW6432Node\X.
    static RegistryKeyPath inView(const RegistryKeyPath &path, RegistryView view);

private:
    struct FileStamp
    {
        QByteArray path;
        qint64 size = 0;
        qint64 modified = 0; // nanoseconds
        quint64 inode = 0;
        bool operator==(const FileStamp &other) const;
    };
    struct ParsedFile
    {
        FileStamp stamp;
        RegistryExport contents;
    };

    struct FolderListing
    {
        QByteArray path;
        qint64 modified = 0;
        quint64 inode = 0;
        qint64 listedAt = 0;
        std::vector<QByteArray> files; // full paths, in name order
    };

    // Watches the folder that holds the files in effect (inotify), so that an unchanged registry
    // costs one read() that finds no event instead of a stat() of every file.
    class ChangeWatch
    {
    public:
        ChangeWatch();
        ~ChangeWatch();
        // Starts watching `folder`, dropping what was watched before; false when it cannot.
        bool watch(const QByteArray &folder);
        // Drains pending events; true when there was any (or nothing is watched).
        bool changed();
        void reset();

    private:
        int m_fd = -1;
        int m_watch = -1;
    };

    std::vector<FileStamp> currentFiles(const QString &source, QByteArray *watchFolder) const;
    const std::vector<QByteArray> &folderExports(const QByteArray &path, qint64 modified,
                                                 quint64 inode) const;
    RegistryExport parseFile(const FileStamp &file) const;

    mutable QMutex m_mutex;
    mutable ChangeWatch m_watch;
    mutable QString m_watchedSource; // empty: nothing trusted, check the files
    mutable FolderListing m_listing;
    mutable std::vector<FileStamp> m_mergedFrom;
    mutable RegistryTree m_merged;
    mutable QHash<QByteArray, ParsedFile> m_parsed;
    mutable int m_parseCount = 0;
};

} // namespace Platform
} // namespace OrvoKiv

#endif
