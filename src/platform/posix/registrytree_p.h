#ifndef ORVO_REGISTRYTREE_P_H
#define ORVO_REGISTRYTREE_P_H

#include "orvopublicdata_export.h"

#include <QHash>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace OrvoKiv {
namespace Platform {

// A key path split into its names, the root key spelled out ("HKLM" becomes
// "HKEY_LOCAL_MACHINE"); "/" is an ordinary character of a key name, as in the registry.
class ORVOPUBLICDATA_EXPORT RegistryKeyPath
{
public:
    RegistryKeyPath() = default;

    // Invalid when the path is empty, does not start with a known root key or has an empty name
    // (a doubled, leading or trailing backslash): the registry API opens no key for such a path.
    static RegistryKeyPath fromString(QStringView path);
    // A key name in an export file, where regedit drops empty names instead.
    static RegistryKeyPath fromExportName(QStringView path);

    bool isValid() const { return !m_names.isEmpty(); }
    bool isRoot() const { return m_names.size() == 1; }
    const QStringList &names() const { return m_names; }
    QString toString() const { return m_names.join(QLatin1Char('\\')); }

    // The path as keys are compared: every name folded with fold().
    const QString &folded() const { return m_folded; }

    // The same path with `name` inserted before the name at `index`.
    RegistryKeyPath inserted(int index, const QString &name) const;

    // Key and value names compare case-insensitively, lower-cased; sub-keys sort in that form
    // too, which is the order regedit lists them in.
    static QString fold(QStringView name);

private:
    explicit RegistryKeyPath(QStringList names);
    static RegistryKeyPath parse(QStringView path, bool dropEmptyNames);

    QStringList m_names;
    QString m_folded;
};

struct RegistryValue
{
    // The registry's own type numbers, as "hex(N):" spells them in an export.
    enum Type : quint32 {
        None = 0,
        String = 1,
        ExpandString = 2,
        Binary = 3,
        DWord = 4,
        DWordBigEndian = 5,
        Link = 6,
        MultiString = 7,
        QWord = 11,
    };

    quint32 type = None;
    // What a lookup returns; empty for the types that have no string form.
    QString text;
};

// Keys and values in memory, addressed by full key path. A value type: copies share their data
// until one of them is changed, so a copy handed to another thread costs a reference count.
class ORVOPUBLICDATA_EXPORT RegistryTree
{
public:
    bool isEmpty() const { return m_keys.isEmpty(); }
    int keyCount() const { return m_keys.size(); }
    bool hasKey(const RegistryKeyPath &path) const;

    // `valueName` "." and "" both name the key's default value.
    std::optional<RegistryValue> value(const RegistryKeyPath &path, QStringView valueName) const;
    QString text(const RegistryKeyPath &path, QStringView valueName) const;

    // Names of the immediate sub-keys, as first written, in the order regedit shows them.
    QStringList subKeys(const RegistryKeyPath &path) const;

    // Creates the key and any missing parent; an existing key keeps the case it was made with.
    void createKey(const RegistryKeyPath &path);
    // Removes the key with all its sub-keys. Root keys cannot be removed.
    bool removeKey(const RegistryKeyPath &path);
    void setValue(const RegistryKeyPath &path, QStringView valueName, const RegistryValue &value);
    void removeValue(const RegistryKeyPath &path, QStringView valueName);

    // Adds the keys of `later`; its values replace values of the same name.
    void overlay(const RegistryTree &later);

private:
    struct Key
    {
        QString name;
        QHash<QString, RegistryValue> values; // by folded name; the default value is ""
        QMap<QString, QString> subKeys; // folded name -> name as first written
    };

    Key &ensureKey(const RegistryKeyPath &path);
    Key &ensureChild(const QString &parentFolded, const QString &childFolded,
                     const QString &childName);
    void removeSubtree(const QString &folded);
    void overlayKey(const RegistryTree &later, const QString &folded);

    QHash<QString, Key> m_keys; // by folded full path
};

} // namespace Platform
} // namespace OrvoKiv

#endif
