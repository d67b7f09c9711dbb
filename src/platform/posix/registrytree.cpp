#include "registrytree_p.h"

#include <QVector>

namespace OrvoKiv {
namespace Platform {

namespace {

struct RootKey
{
    QLatin1String name;
    QLatin1String alias;
};

const RootKey rootKeys[] = {
    {QLatin1String("HKEY_LOCAL_MACHINE"), QLatin1String("HKLM")},
    {QLatin1String("HKEY_CURRENT_USER"), QLatin1String("HKCU")},
    {QLatin1String("HKEY_CLASSES_ROOT"), QLatin1String("HKCR")},
    {QLatin1String("HKEY_USERS"), QLatin1String("HKU")},
    {QLatin1String("HKEY_CURRENT_CONFIG"), QLatin1String("HKCC")},
};

QString rootKeyName(QStringView name)
{
    for (const RootKey &root : rootKeys) {
        if (name.compare(root.name, Qt::CaseInsensitive) == 0
            || name.compare(root.alias, Qt::CaseInsensitive) == 0)
            return root.name;
    }
    return QString();
}

// The registry's own limits; they also keep a hostile path from costing quadratic memory.
constexpr int maxNameLength = 255;
constexpr int maxDepth = 512;

const QLatin1Char separator('\\');

QString defaultValueOr(QStringView valueName)
{
    if (valueName.size() == 1 && valueName.front() == QLatin1Char('.'))
        return QString();
    return RegistryKeyPath::fold(valueName);
}

} // namespace

RegistryKeyPath::RegistryKeyPath(QStringList names)
    : m_names(std::move(names))
    , m_folded(fold(toString()))
{
}

RegistryKeyPath RegistryKeyPath::fromString(QStringView path)
{
    return parse(path, false);
}

RegistryKeyPath RegistryKeyPath::fromExportName(QStringView path)
{
    return parse(path, true);
}

RegistryKeyPath RegistryKeyPath::parse(QStringView path, bool dropEmptyNames)
{
    QStringList names;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        if (i < path.size() && path.at(i) != separator)
            continue;
        if (i == start && !dropEmptyNames && !path.isEmpty())
            return RegistryKeyPath();
        if (i > start) {
            if (i - start > maxNameLength || names.size() == maxDepth)
                return RegistryKeyPath();
            names.append(path.mid(start, i - start).toString());
        }
        start = i + 1;
    }
    if (names.isEmpty())
        return RegistryKeyPath();
    QString root = rootKeyName(names.constFirst());
    if (root.isEmpty())
        return RegistryKeyPath();
    names.first() = std::move(root);
    return RegistryKeyPath(std::move(names));
}

RegistryKeyPath RegistryKeyPath::inserted(int index, const QString &name) const
{
    QStringList names = m_names;
    names.insert(index, name);
    return RegistryKeyPath(std::move(names));
}

QString RegistryKeyPath::fold(QStringView name)
{
    return name.toString().toLower();
}

bool RegistryTree::hasKey(const RegistryKeyPath &path) const
{
    return m_keys.contains(path.folded());
}

std::optional<RegistryValue> RegistryTree::value(const RegistryKeyPath &path,
                                                 QStringView valueName) const
{
    const auto key = m_keys.constFind(path.folded());
    if (key == m_keys.cend())
        return std::nullopt;
    const auto value = key->values.constFind(defaultValueOr(valueName));
    if (value == key->values.cend())
        return std::nullopt;
    return *value;
}

QString RegistryTree::text(const RegistryKeyPath &path, QStringView valueName) const
{
    const auto found = value(path, valueName);
    return found ? found->text : QString();
}

QStringList RegistryTree::subKeys(const RegistryKeyPath &path) const
{
    const auto key = m_keys.constFind(path.folded());
    return key == m_keys.cend() ? QStringList() : key->subKeys.values();
}

void RegistryTree::createKey(const RegistryKeyPath &path)
{
    if (path.isValid())
        ensureKey(path);
}

RegistryTree::Key &RegistryTree::ensureKey(const RegistryKeyPath &path)
{
    const auto existing = m_keys.find(path.folded());
    if (existing != m_keys.end())
        return *existing;

    const QStringList &names = path.names();
    QString folded = RegistryKeyPath::fold(names.constFirst());
    if (!m_keys.contains(folded))
        m_keys.insert(folded, Key{names.constFirst(), {}, {}});
    for (int i = 1; i < names.size(); ++i) {
        const QString child = RegistryKeyPath::fold(names.at(i));
        ensureChild(folded, child, names.at(i));
        folded += separator + child;
    }
    return m_keys[path.folded()];
}

RegistryTree::Key &RegistryTree::ensureChild(const QString &parentFolded,
                                             const QString &childFolded,
                                             const QString &childName)
{
    const QString folded = parentFolded + separator + childFolded;
    auto it = m_keys.find(folded);
    if (it == m_keys.end()) {
        it = m_keys.insert(folded, Key{childName, {}, {}});
        m_keys[parentFolded].subKeys.insert(childFolded, childName);
    }
    return *it;
}

bool RegistryTree::removeKey(const RegistryKeyPath &path)
{
    if (!path.isValid() || path.isRoot() || !m_keys.contains(path.folded()))
        return false;
    const QString &folded = path.folded();
    removeSubtree(folded);
    const int cut = folded.lastIndexOf(separator);
    const auto parent = m_keys.find(folded.left(cut));
    if (parent != m_keys.end())
        parent->subKeys.remove(folded.mid(cut + 1));
    return true;
}

void RegistryTree::removeSubtree(const QString &folded)
{
    QVector<QString> pending{folded};
    while (!pending.isEmpty()) {
        const QString current = pending.takeLast();
        const Key key = m_keys.take(current);
        for (auto it = key.subKeys.cbegin(); it != key.subKeys.cend(); ++it)
            pending.append(current + separator + it.key());
    }
}

void RegistryTree::setValue(const RegistryKeyPath &path, QStringView valueName,
                            const RegistryValue &value)
{
    if (path.isValid())
        ensureKey(path).values.insert(RegistryKeyPath::fold(valueName), value);
}

void RegistryTree::removeValue(const RegistryKeyPath &path, QStringView valueName)
{
    const auto key = m_keys.find(path.folded());
    if (key != m_keys.end())
        key->values.remove(RegistryKeyPath::fold(valueName));
}

void RegistryTree::overlay(const RegistryTree &later)
{
    if (&later == this)
        return;
    if (m_keys.isEmpty()) {
        m_keys = later.m_keys;
        return;
    }
    for (auto it = later.m_keys.cbegin(); it != later.m_keys.cend(); ++it) {
        if (it.key().contains(separator))
            continue;
        if (!m_keys.contains(it.key()))
            m_keys.insert(it.key(), Key{it->name, {}, {}});
        overlayKey(later, it.key());
    }
}

void RegistryTree::overlayKey(const RegistryTree &later, const QString &rootFolded)
{
    QVector<QString> pending{rootFolded};
    while (!pending.isEmpty()) {
        const QString folded = pending.takeLast();
        const Key &theirs = *later.m_keys.constFind(folded);
        Key &mine = m_keys[folded];
        if (mine.values.isEmpty()) {
            mine.values = theirs.values;
        } else {
            for (auto value = theirs.values.cbegin(); value != theirs.values.cend(); ++value)
                mine.values.insert(value.key(), value.value());
        }
        for (auto child = theirs.subKeys.cbegin(); child != theirs.subKeys.cend(); ++child) {
            ensureChild(folded, child.key(), child.value());
            pending.append(folded + separator + child.key());
        }
    }
}

} // namespace Platform
} // namespace OrvoKiv
