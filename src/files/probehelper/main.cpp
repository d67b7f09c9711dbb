// orvo-probe: parses lesson files for ZRKivFileInfo::isAvailable out of the host's process, so a
// parser that crashes, hangs or balloons costs the host one answer, not its life.
//
//   orvo-probe [--memory-limit BYTES]
//
// Reads one JSON request per line on stdin and writes one JSON answer per line on stdout (see
// contentprobe_p.h) until stdin ends.
#include "contentprobe_p.h"
#include "platformbackend_p.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <new>

#ifdef ORVO_PROBE_FAULTS
#include <csignal>
#endif

namespace {

void write(const QJsonObject &answer)
{
    const QByteArray line = QJsonDocument(answer).toJson(QJsonDocument::Compact) + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fflush(stdout);
}

// Allocation failures under the limit end here; the host restarts the helper.
void outOfMemory()
{
    static const char line[] = "{\"error\":\"memory limit\"}\n";
    std::fwrite(line, 1, sizeof line - 1, stdout);
    std::fflush(stdout);
    std::_Exit(3);
}

#ifdef ORVO_PROBE_FAULTS
// The test build misbehaves on demand, chosen by the probed file's name.
void misbehave(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    if (name.contains(QLatin1String("crash-me")))
        std::raise(SIGSEGV);
    if (name.contains(QLatin1String("hang-me")))
        QThread::sleep(3600);
    if (name.contains(QLatin1String("balloon-me"))) {
        static char *volatile last = nullptr; // kept, so the allocations are not optimised away
        for (;;)
            last = new char[64 << 20];
    }
}
#endif

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv); // image format plugins are found through it
    const QStringList arguments = app.arguments();
    const int limitAt = arguments.indexOf(QStringLiteral("--memory-limit"));
    if (limitAt > 0) {
        const qint64 bytes = arguments.value(limitAt + 1).toLongLong();
        if (bytes > 0 && !OrvoKiv::Platform::nativeBackend().limitOwnMemory(bytes))
            std::fprintf(stderr, "orvo-probe: the memory limit could not be set\n");
    }
    std::set_new_handler(outOfMemory);

    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return 1;
    for (;;) {
        const QByteArray line = input.readLine();
        if (line.isEmpty())
            return 0;
        const QJsonObject request = QJsonDocument::fromJson(line).object();
#ifdef ORVO_PROBE_FAULTS
        misbehave(request.value(QLatin1String("path")).toString());
#endif
        write(OrvoKiv::Files::answerRequest(request));
    }
}
