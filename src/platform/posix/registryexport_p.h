#ifndef ORVO_REGISTRYEXPORT_P_H
#define ORVO_REGISTRYEXPORT_P_H

#include "orvopublicdata_export.h"
#include "registrytree_p.h"

#include <QByteArray>
#include <QPair>
#include <QString>
#include <QVector>

namespace OrvoKiv {
namespace Platform {

// One registry export file (.reg) as regedit would import it: the keys and values it leaves,
// plus the keys and values it deletes, which matter when it is read after other files.
class ORVOPUBLICDATA_EXPORT RegistryExport
{
public:
    // Reads the raw bytes of an export: UTF-16 (with or without byte-order mark) or 8-bit text,
    // which is UTF-8 when it decodes as such and GBK otherwise. Lines that cannot be read are
    // skipped with one debug line each naming `source` and the line number.
    static RegistryExport parse(const QByteArray &bytes, const QString &source);

    // False when the header is not one that regedit writes; the export is then empty.
    bool isValid() const { return m_valid; }

    // The keys and values the file leaves behind when imported into an empty registry.
    const RegistryTree &tree() const { return m_tree; }

    // Imports the file into `registry`: its deletions first, then its keys and values.
    void applyTo(RegistryTree *registry) const;

private:
    friend class RegistryExportParser;

    RegistryTree m_tree;
    QVector<RegistryKeyPath> m_removedKeys;
    QVector<QPair<RegistryKeyPath, QString>> m_removedValues;
    bool m_valid = false;
};

} // namespace Platform
} // namespace OrvoKiv

#endif
