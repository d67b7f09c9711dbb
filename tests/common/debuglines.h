#ifndef ORVO_TESTS_DEBUGLINES_H
#define ORVO_TESTS_DEBUGLINES_H

#include <QMutex>
#include <QStringList>

// The debug lines the program writes once collectDebugLines() was called, in order; other
// messages go on to the handler before. Call it from initTestCase(): QtTest installs its own
// handler when the test starts.
inline QStringList &debugLines()
{
    static QStringList lines;
    return lines;
}

inline void collectDebugLines()
{
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &text) {
        static QMutex mutex;
        if (type != QtDebugMsg)
            return previous(type, context, text);
        const QMutexLocker locker(&mutex);
        debugLines() << text;
    });
}

#endif
