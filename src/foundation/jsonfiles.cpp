#include "zrcommonutils.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>

namespace {

// A missing, unreadable or malformed file reads as a null document, whose array() and object()
// are empty; so does a document of the other kind.
QJsonDocument readDocument(const QString &filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    file.close();

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    return error.error == QJsonParseError::NoError ? document : QJsonDocument();
}

// The file is deleted first rather than truncated: callers rely on a file that could not be
// written not being there at all, instead of holding a stale copy.
void writeDocument(const QString &filePath, const QJsonDocument &document)
{
    QFile file(filePath);
    if (file.exists())
        file.remove();
    if (!file.open(QIODevice::ReadWrite))
        return;
    file.write(document.toJson(QJsonDocument::Indented));
    file.close();
}

} // namespace

QJsonArray ZRCommonUtils::getJsonArray(const QString &filePath)
{
    return readDocument(filePath).array();
}

QJsonObject ZRCommonUtils::getJsonObject(const QString &filePath)
{
    return readDocument(filePath).object();
}

void ZRCommonUtils::writeJsonArray(const QString &filePath, const QJsonArray &array)
{
    writeDocument(filePath, QJsonDocument(array));
}

void ZRCommonUtils::writeJsonObject(const QString &filePath, const QJsonObject &object)
{
    writeDocument(filePath, QJsonDocument(object));
}

// A non-object element, or one whose member is missing or not a string, reads as "", so an
// empty value removes all of those too.
void ZRCommonUtils::removeValueInJsonArray(QJsonArray &array, const QString &memberName,
                                           const QString &value)
{
    int i = 0;
    while (i < array.size()) {
        if (array.at(i).toObject().value(memberName).toString() == value)
            array.removeAt(i);
        else
            ++i;
    }
}
