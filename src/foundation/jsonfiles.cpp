#include "zrcommonutils.h"

#include "jsonfile_p.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>

namespace {

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

// A FIFO would block the open and a device would be read without end, so only regular files
// are opened.
QJsonDocument OrvoKiv::readJsonFile(const QString &filePath, QString *problem)
{
    const auto failed = [problem](const QString &why) {
        if (problem)
            *problem = why;
        return QJsonDocument();
    };
    const QFileInfo info(filePath);
    if (!info.exists())
        return failed(QStringLiteral("does not exist"));
    if (!info.isFile())
        return failed(QStringLiteral("is not a regular file"));
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return failed(QStringLiteral("cannot be read"));
    const QByteArray data = file.readAll();
    file.close();

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError)
        return failed(QStringLiteral("holds no valid JSON (%1 at offset %2)").arg(error.errorString()).arg(error.offset));
    return document;
}

QJsonArray ZRCommonUtils::getJsonArray(const QString &filePath)
{
    return OrvoKiv::readJsonFile(filePath).array();
}

QJsonObject ZRCommonUtils::getJsonObject(const QString &filePath)
{
    return OrvoKiv::readJsonFile(filePath).object();
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
