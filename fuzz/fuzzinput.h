#ifndef ORVO_FUZZINPUT_H
#define ORVO_FUZZINPUT_H

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// The library's debug lines would drown libFuzzer's own output. Like its hosts, the targets run
// with an application object: without one Qt aborts on an INI value that holds a serialised GUI
// type (@Variant of a cursor, say).
inline void silenceQt()
{
    static const bool silenced = (qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {}), true);
    Q_UNUSED(silenced);
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QGuiApplication *app = (qputenv("QT_QPA_PLATFORM", "offscreen"), new QGuiApplication(argc, argv));
    Q_UNUSED(app);
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
