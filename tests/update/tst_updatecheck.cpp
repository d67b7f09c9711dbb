#include "scriptedbackend.h"
#include "zrcommonutils.h"
#include "zrpublicdata.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

using OrvoKiv::Platform::ScopedBackendOverride;

namespace {

// The message the updater must receive, from the fixture with its placeholders filled in.
QByteArray expectedMessage(const QString &appName, const QString &version, const QString &language,
                           bool autoUpdate)
{
    QFile file(QStringLiteral(ORVO_TEST_DATA "/update/message.json"));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    const auto json = [](QString text) {
        return text.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
    };
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QStringLiteral("@APPDIR@"), json(QCoreApplication::applicationDirPath()))
        .replace(QStringLiteral("@APPNAME@"), json(appName))
        .replace(QStringLiteral("@VERSION@"), json(version))
        .replace(QStringLiteral("@LANGUAGE@"), json(language))
        .replace(QStringLiteral("\"@AUTO@\""), autoUpdate ? QStringLiteral("true") : QStringLiteral("false"));
    // Qt's indented form, members in Qt's order.
    return QJsonDocument::fromJson(text.toUtf8()).toJson();
}

QByteArray stubMessage(const QByteArray &json)
{
    return json.toBase64();
}

} // namespace

class tst_UpdateCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void message_data();
    void message();
    void realUpdaterReceivesTheArgument();
    void missingUpdater();
    void stubValidates_data();
    void stubValidates();

private:
    QTemporaryDir m_work;
};

void tst_UpdateCheck::initTestCase()
{
    QVERIFY(m_work.isValid());
    qputenv("ORVO_REGISTRY", ORVO_TEST_DATA "/update/registry.reg");
}

void tst_UpdateCheck::message_data()
{
    QTest::addColumn<QString>("appName");
    QTest::addColumn<bool>("autoUpdate");
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("started");
    QTest::addColumn<QString>("version");

    QTest::newRow("automatic, zh_CN") << "tst_updatecheck" << true << "zh_CN" << true << "6.2.0.118";
    QTest::newRow("manual, language unchanged") << "tst_updatecheck" << false << " en-US/x\"" << true << "6.2.0.118";
    QTest::newRow("no registry key") << "未安装的程序" << true << "zh_CN" << true << "";
    QTest::newRow("shell refuses") << "tst_updatecheck" << false << "" << false << "6.2.0.118";
}

void tst_UpdateCheck::message()
{
    QFETCH(QString, appName);
    QFETCH(bool, autoUpdate);
    QFETCH(QString, language);
    QFETCH(bool, started);
    QFETCH(QString, version);

    ScriptedBackend platform;
    platform.shellAnswer = started;
    ScopedBackendOverride use(platform);
    QCoreApplication::setApplicationName(appName);
    // The updater describes the process, not the shared UI state's name.
    OrvoKiv::Singleton<ZRPublicData>::getInstance()->setAppName(QStringLiteral("OrvoKiv6"));

    QTest::ignoreMessage(QtDebugMsg, "ZRCommonUtils::checkUpdate");
    QCOMPARE(ZRCommonUtils::checkUpdate(autoUpdate, language), started);
    QCOMPARE(platform.starts.size(), 1);
    const QStringList call = platform.starts.first().split(QLatin1Char('|'));
    QCOMPARE(call.size(), 2);
    QCOMPARE(call.at(0), QStringLiteral("open ") + QCoreApplication::applicationDirPath()
                             + QStringLiteral("/OrvoSoftwareUpdate.exe"));
    const QString argument = call.at(1);
    QVERIFY(!argument.contains(QLatin1Char(' ')) && !argument.contains(QLatin1Char('"')));
    QCOMPARE(QByteArray::fromBase64(argument.toLatin1(), QByteArray::AbortOnBase64DecodingErrors),
             expectedMessage(appName, version, language, autoUpdate));
}

// A real process started the Linux way receives the argument whole.
void tst_UpdateCheck::realUpdaterReceivesTheArgument()
{
    FakeBackend platform;
    platform.platformConventions = OrvoKiv::Platform::Conventions::posix();
    ScopedBackendOverride use(platform);
    QCoreApplication::setApplicationName(QStringLiteral("tst_updatecheck"));
    const QString output = m_work.filePath(QStringLiteral("received.json"));
    qputenv("ORVO_UPDATE_STUB_OUTPUT", QFile::encodeName(output));

    QTest::ignoreMessage(QtDebugMsg, "ZRCommonUtils::checkUpdate");
    QVERIFY(ZRCommonUtils::checkUpdate(true, QStringLiteral("zh_CN")));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(output), 10000);
    QFile file(output);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), expectedMessage(QStringLiteral("tst_updatecheck"), QStringLiteral("6.2.0.118"),
                                             QStringLiteral("zh_CN"), true));
}

// "OrvoSoftwareUpdate.exe" is not beside this Linux test program.
void tst_UpdateCheck::missingUpdater()
{
    FakeBackend platform;
    ScopedBackendOverride use(platform);
    QTest::ignoreMessage(QtDebugMsg, "ZRCommonUtils::checkUpdate");
    QVERIFY(!ZRCommonUtils::checkUpdate(false, QStringLiteral("zh_CN")));
}

void tst_UpdateCheck::stubValidates_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");

    const QByteArray good = expectedMessage(QStringLiteral("a"), QString(), QStringLiteral("zh_CN"), true);
    const auto edited = [&good](const char *from, const char *to) {
        return QStringList{QString::fromLatin1(stubMessage(QByteArray(good).replace(from, to)))};
    };
    QTest::newRow("valid") << QStringList{QString::fromLatin1(stubMessage(good))} << 0;
    QTest::newRow("style as a number") << edited("\"style\": \"3\"", "\"style\": 3") << 1;
    QTest::newRow("autoupdate as text") << edited("\"autoupdate\": true", "\"autoupdate\": \"true\"") << 1;
    QTest::newRow("member missing") << edited("\"hoverColor\"", "\"hoverColour\"") << 1;
    QTest::newRow("member twice") << edited("\"style\": \"3\"", "\"style\": \"3\", \"style\": \"3\"") << 1;
    QTest::newRow("other event") << edited("_UPDATE_CMD", "_OTHER") << 1;
    QTest::newRow("not JSON") << edited("}", "") << 1;
    QTest::newRow("blank in the Base64") << QStringList{QString::fromLatin1(stubMessage(good)).insert(8, QLatin1Char(' '))} << 1;
    QTest::newRow("no argument") << QStringList() << 2;
}

void tst_UpdateCheck::stubValidates()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    qunsetenv("ORVO_UPDATE_STUB_OUTPUT");
    const OrvoKiv::Platform::ProcessResult result = OrvoKiv::Platform::runProcess(
        QCoreApplication::applicationDirPath() + QStringLiteral("/OrvoSoftwareUpdate"), arguments, 10000);
    QVERIFY(result.started);
    QCOMPARE(result.exitCode, exitCode);
    QCOMPARE(result.standardOutput.isEmpty(), exitCode != 0);
    if (exitCode == 0)
        QCOMPARE(result.standardOutput.toBase64(), arguments.first().toLatin1());
}

QTEST_GUILESS_MAIN(tst_UpdateCheck)
#include "tst_updatecheck.moc"
