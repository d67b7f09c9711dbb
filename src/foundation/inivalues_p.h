#ifndef ORVO_INIVALUES_P_H
#define ORVO_INIVALUES_P_H

#include "orvopublicdata_export.h"

#include <QByteArray>
#include <QStringList>
#include <QVector>

QT_BEGIN_NAMESPACE
class QTextCodec;
QT_END_NAMESPACE

namespace OrvoKiv {

// Every value of an INI text as QSettings unescapes it, in file order: the elements of a
// comma-separated list, else the one string. Keys, sections and comments are left out.
ORVOPUBLICDATA_EXPORT QVector<QStringList> iniValues(const QByteArray &data, QTextCodec *codec);

// Whether QSettings can read `data` without trusting a size it cannot check. A "@Variant(" or
// "@DateTime(" value is a QDataStream, and Qt 5 reserves room for a container's declared element
// count before reading a single element: a few corrupt bytes would ask for gigabytes and take
// the host down. False when such a value declares more elements than it holds, nests deeper than
// 32 containers, or holds a type whose size this check does not know.
ORVOPUBLICDATA_EXPORT bool iniVariantsAreSafe(const QByteArray &data, QTextCodec *codec);

} // namespace OrvoKiv

#endif
