#ifndef ORVO_APPRECORD_P_H
#define ORVO_APPRECORD_P_H

#include <QJsonObject>
#include <QStringList>

#include <initializer_list>

namespace OrvoKiv {
namespace AppRecord {

// A catalogue entry's fields: split at every "|", empty fields kept; "|" cannot be escaped.
inline QStringList splitEntry(const QString &entry)
{
    return entry.split(QLatin1Char('|'));
}

// Copies fields[i] into keys[i] for every key that is not null.
inline void assignFields(QJsonObject &record, const QStringList &fields,
                         std::initializer_list<const char *> keys)
{
    int i = 0;
    for (const char *key : keys) {
        if (key && i < fields.size())
            record.insert(QLatin1String(key), fields.at(i));
        ++i;
    }
}

inline QString text(const QJsonObject &record, const char *key)
{
    return record.value(QLatin1String(key)).toString();
}

// Identifies a record in the catalogue's entry map.
inline QString entryKey(const QJsonObject &record)
{
    return text(record, "enName") + QLatin1Char('|') + text(record, "name") + QLatin1Char('|')
        + text(record, "appName");
}

} // namespace AppRecord
} // namespace OrvoKiv

#endif
