#include "fakebackend.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>

using namespace OrvoKiv::Platform;

class tst_Platform : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nativeExecutableIsThisProgram();
    void overridesNestAndRestore();
    void windowsConventions();
    void posixConventions_data();
    void posixConventions();
};

void tst_Platform::nativeExecutableIsThisProgram()
{
    QCOMPARE(QFileInfo(nativeBackend().executablePath()).canonicalFilePath(),
             QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath());
}

void tst_Platform::overridesNestAndRestore()
{
    QCOMPARE(&backend(), &nativeBackend());
    FakeBackend outer;
    {
        ScopedBackendOverride o1(outer);
        QCOMPARE(&backend(), &outer);
        FakeBackend inner;
        {
            ScopedBackendOverride o2(inner);
            QCOMPARE(&backend(), &inner);
        }
        QCOMPARE(&backend(), &outer);
    }
    QCOMPARE(&backend(), &nativeBackend());
}

void tst_Platform::windowsConventions()
{
    const Conventions c = Conventions::windows();
    QCOMPARE(c.machineDataDir, QStringLiteral("C:\\ProgramData\\Tesvari\\"));
    QCOMPARE(c.executableSuffix, QStringLiteral(".exe"));
    QCOMPARE(c.registrySeparator, QLatin1Char('\\'));
    QVERIFY(c.windowsPaths);
}

void tst_Platform::posixConventions_data()
{
    QTest::addColumn<QByteArray>("programData");
    QTest::addColumn<QString>("expected");

    const QString xdg = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QTest::newRow("unset: XDG data home") << QByteArray() << xdg + QStringLiteral("/Tesvari/");
    QTest::newRow("set, gains a separator") << QByteArray("/srv/orvo") << QStringLiteral("/srv/orvo/");
    QTest::newRow("set with separator") << QByteArray("/srv/orvo/") << QStringLiteral("/srv/orvo/");
}

void tst_Platform::posixConventions()
{
    QFETCH(QByteArray, programData);
    QFETCH(QString, expected);
    if (programData.isNull())
        qunsetenv("ORVO_PROGRAMDATA");
    else
        qputenv("ORVO_PROGRAMDATA", programData);

    const Conventions c = Conventions::posix();
    QCOMPARE(c.machineDataDir, expected);
    QVERIFY(c.executableSuffix.isEmpty());
    QCOMPARE(c.registrySeparator, QLatin1Char('/'));
    QVERIFY(!c.windowsPaths);
    qunsetenv("ORVO_PROGRAMDATA");
}

QTEST_GUILESS_MAIN(tst_Platform)
#include "tst_platform.moc"
