#include "virtualkeyboard.h"
#include "zrcommonutils.h"
#include "zruserinfo.h"

#include <QResource>
#include <QTest>

#include <dlfcn.h>

// Watches the library's load: this program exports qRegisterResourceData, so the library's
// registration of its mask resource comes here first. By then the user record and the keyboard
// must exist; a keyboard not yet built crashes this program.
namespace {

QStringList &events()
{
    static QStringList list; // built on first use, during the library's load
    return list;
}

void collect(QtMsgType, const QMessageLogContext &, const QString &message)
{
    events() << message;
}

using Register = bool (*)(int, const unsigned char *, const unsigned char *, const unsigned char *);

} // namespace

__attribute__((visibility("default"))) bool qRegisterResourceData(
    int version, const unsigned char *tree, const unsigned char *name, const unsigned char *data)
{
    const bool maskBefore = QResource(QStringLiteral(":/images/mask.png")).isValid();
    static const auto next = reinterpret_cast<Register>(dlsym(RTLD_NEXT, "_Z21qRegisterResourceDataiPKhS0_S0_"));
    const bool registered = next && next(version, tree, name, data);
    if (maskBefore || !QResource(QStringLiteral(":/images/mask.png")).isValid())
        return registered; // somebody else's resources
    events() << (ZRUserInfo::instance ? QStringLiteral("user record") : QStringLiteral("no user record"));
    const QtMessageHandler previous = qInstallMessageHandler(collect);
    VirtualKeyboard::getInstence()->hideKeyboard();
    qInstallMessageHandler(previous);
    events() << QStringLiteral("mask");
    return registered;
}

class tst_LoadOrder : public QObject
{
    Q_OBJECT

private slots:
    void maskRegisteredLast()
    {
        QCOMPARE(events(), QStringList({"user record", "[virtualkeyboard] hide keyboard",
                                        "[virtualkeyboard] Failed to get keyboard rect! frameworkInputPane is NULL!",
                                        "mask"}));
    }

    // This host has no screen: a QCoreApplication.
    void screenlessFallbacks()
    {
        QCOMPARE(ZRCommonUtils::getPixsPerMm(), 3.7795277f);
        QCOMPARE(ZRCommonUtils::getPixsPerPound(), float(3.7795277f * 25.4 / 72.0)); // about 1.3333
        QVERIFY(!ZRCommonUtils::getScreenRect().isValid());
    }
};

QTEST_GUILESS_MAIN(tst_LoadOrder)
#include "tst_loadorder.moc"
