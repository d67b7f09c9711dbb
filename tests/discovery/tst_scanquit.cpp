#include "scanmachine.h"

#include <QProcess>
#include <QTest>

// Hosts that quit at different moments of their first scan, on a Start menu large enough that
// the scan is still walking when they do. None may crash on its way out, nor leave the scan
// running past the application object.
class tst_ScanQuit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void quitDuringScanDoesNotCrash()
    {
        QVERIFY(m_machine.setUp());
        const QString program = m_machine.path(QStringLiteral("programs/p.exe"));
        QVERIFY(m_machine.touch(program));
        for (int folder = 0; folder < 100; ++folder) {
            const QString dir = m_machine.commonStartMenu() + QStringLiteral("/f%1").arg(folder);
            QVERIFY(ScanMachine::link(dir, QStringLiteral("P%1.lnk").arg(folder), program));
            for (int sub = 0; sub < 200; ++sub)
                QVERIFY(QDir().mkpath(dir + QStringLiteral("/s%1").arg(sub)));
        }
        qputenv("ORVO_COMMON_PROGRAMS", QFile::encodeName(m_machine.commonStartMenu()));

        QStringList crashes;
        for (int run = 0; run < 20; ++run) {
            QProcess host;
            host.start(QStringLiteral(ORVO_SCAN_QUITTER), {QString::number(run * 10)});
            QVERIFY(host.waitForFinished(60000));
            if (host.exitStatus() != QProcess::NormalExit || host.exitCode() != 0)
                crashes << QStringLiteral("quit after %1 ms: %2").arg(run * 10).arg(host.exitStatus() == QProcess::NormalExit ? host.exitCode() : -1);
        }
        QVERIFY2(crashes.isEmpty(), qPrintable(crashes.join(QStringLiteral(", "))));
    }

private:
    ScanMachine m_machine;
};

QTEST_GUILESS_MAIN(tst_ScanQuit)
#include "tst_scanquit.moc"
