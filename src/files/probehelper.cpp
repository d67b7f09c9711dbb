#include "probehelper_p.h"

#include "platformbackend_p.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonDocument>

namespace OrvoKiv {
namespace Files {

ProbeHelper *ProbeHelper::forCurrentThread()
{
    thread_local std::unique_ptr<ProbeHelper> helper;
    if (!helper) {
        const QString path = program();
        if (path.isEmpty())
            return nullptr;
        helper.reset(new ProbeHelper(path));
    }
    return helper.get();
}

QString ProbeHelper::program()
{
    QString path = qEnvironmentVariable("ORVO_PROBE_HELPER");
    if (path.isEmpty()) {
        const Platform::Backend &native = Platform::nativeBackend();
        path = QFileInfo(native.libraryFilePath()).absolutePath() + QStringLiteral("/orvo-probe")
            + native.conventions().executableSuffix;
    }
    return QFileInfo(path).isFile() ? path : QString();
}

ProbeHelper::ProbeHelper(const QString &program)
    : m_program(program)
{
}

ProbeHelper::~ProbeHelper()
{
    stop(false);
}

bool ProbeHelper::ensureRunning()
{
    if (m_process && m_process->state() == QProcess::Running)
        return true;
    stop(true);
    m_process.reset(new QProcess);
    m_process->setProgram(m_program);
    m_process->setArguments({QStringLiteral("--memory-limit"), QString::number(memoryLimitBytes)});
    // Decoders complain on stderr about the very files they are asked to judge.
    m_process->setStandardErrorFile(QProcess::nullDevice());
    m_process->start();
    return m_process->waitForStarted(timeLimitMs);
}

void ProbeHelper::stop(bool kill)
{
    if (!m_process)
        return;
    if (m_process->state() != QProcess::NotRunning) {
        if (!kill) {
            // End of input tells the helper to leave.
            m_process->closeWriteChannel();
            kill = !m_process->waitForFinished(1000);
        }
        if (kill) {
            m_process->kill();
            m_process->waitForFinished(-1); // reap
        }
    }
    m_process.reset();
}

QJsonObject ProbeHelper::ask(const QJsonObject &request, QString *failure)
{
    if (!ensureRunning()) {
        *failure = QStringLiteral("the probe helper %1 could not be started").arg(m_program);
        stop(true);
        return QJsonObject();
    }
    m_process->write(QJsonDocument(request).toJson(QJsonDocument::Compact) + '\n');
    QElapsedTimer clock;
    clock.start();
    while (!m_process->canReadLine()) {
        const qint64 left = timeLimitMs - clock.elapsed();
        if (left > 0 && m_process->waitForReadyRead(int(left)))
            continue;
        if (m_process->canReadLine())
            break;
        *failure = m_process->state() == QProcess::NotRunning
            ? QStringLiteral("the probe helper crashed")
            : QStringLiteral("the probe helper gave no answer within %1 s").arg(timeLimitMs / 1000);
        stop(true);
        return QJsonObject();
    }
    const QJsonObject answer = QJsonDocument::fromJson(m_process->readLine()).object();
    if (answer.contains(QLatin1String("error"))) {
        *failure = QStringLiteral("the probe helper ran out of its %1 MB of memory").arg(memoryLimitBytes >> 20);
        stop(true);
        return QJsonObject();
    }
    return answer;
}

} // namespace Files
} // namespace OrvoKiv
