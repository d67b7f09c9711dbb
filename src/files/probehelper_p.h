#ifndef ORVO_PROBEHELPER_CLIENT_P_H
#define ORVO_PROBEHELPER_CLIENT_P_H

#include <QJsonObject>
#include <QProcess>
#include <QString>

#include <memory>

namespace OrvoKiv {
namespace Files {

// The warm helper process that parses files for the availability probe: started on the first
// question, kept across questions, restarted after it crashed or hit a limit, killed and reaped
// when its thread or the process ends. One per thread, since a QProcess belongs to the thread
// that started it.
class ProbeHelper
{
public:
    static constexpr int timeLimitMs = 10000;
    static constexpr qint64 memoryLimitBytes = 512LL * 1024 * 1024;

    // The calling thread's helper; nullptr when no helper program is installed.
    static ProbeHelper *forCurrentThread();

    // $ORVO_PROBE_HELPER when set, else "orvo-probe" beside the library's own file; empty when
    // that file does not exist.
    static QString program();

    explicit ProbeHelper(const QString &program);
    ~ProbeHelper();
    ProbeHelper(const ProbeHelper &) = delete;
    ProbeHelper &operator=(const ProbeHelper &) = delete;

    // The helper's answer; on a crash, a hang or a limit an empty object and, in `failure`,
    // what happened in words.
    QJsonObject ask(const QJsonObject &request, QString *failure);

private:
    bool ensureRunning();
    void stop(bool kill);

    QString m_program;
    std::unique_ptr<QProcess> m_process;
};

} // namespace Files
} // namespace OrvoKiv

#endif
