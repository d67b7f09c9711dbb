#ifndef ORVO_FUZZINPUT_H
#define ORVO_FUZZINPUT_H

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// The library's debug lines would drown libFuzzer's own output.
inline void silenceQt()
{
    static const bool silenced = (qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {}), true);
    Q_UNUSED(silenced);
}

inline QByteArray fuzzBytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), int(size));
}

// The input as the one file of a scratch folder, for readers that take a path.
inline QString fuzzFile(const QByteArray &bytes)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("input.ini"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
    return path;
}

#endif
