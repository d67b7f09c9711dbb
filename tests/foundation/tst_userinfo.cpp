#include "zruserinfo.h"

#include <QJsonArray>
#include <QTest>

using Getter = QString (ZRUserInfo::*)();

namespace {

// Taken during the test program's own static initialisation, before main(): the library has
// already built the record by then.
ZRUserInfo *const instanceBeforeMain = ZRUserInfo::getInstance();

ZRUserInfo *user()
{
    return ZRUserInfo::getInstance();
}

QJsonObject account(std::initializer_list<QPair<QString, QJsonValue>> members)
{
    QJsonObject object;
    for (const auto &member : members)
        object.insert(member.first, member.second);
    return object;
}

} // namespace

class tst_UserInfo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void existsFromLoad();
    void fields_data();
    void fields();
    void namesSurvivePartialAccounts();
    void loginWindowFlag();
    void accountKeptVerbatim();
};

void tst_UserInfo::existsFromLoad()
{
    QVERIFY(instanceBeforeMain);
    QCOMPARE(instanceBeforeMain, ZRUserInfo::instance);
    QCOMPARE(user()->metaObject()->className(), "ZRUserInfo");
    QVERIFY(!user()->getLoginState());
    QVERIFY(!user()->isLoginWindowVisible());
    QVERIFY(user()->getUserInfo().isEmpty());
    QVERIFY(user()->getuid().isEmpty());
}

Q_DECLARE_METATYPE(Getter)

void tst_UserInfo::fields_data()
{
    QTest::addColumn<QJsonObject>("account");
    QTest::addColumn<Getter>("getter");
    QTest::addColumn<QString>("expected");

    const QJsonValue a(QStringLiteral("first")), b(QStringLiteral("second"));
    struct Pair { const char *tag; const char *key; const char *fallback; Getter getter; };
    const Pair pairs[] = {
        {"subject", "subjectName", "subject", &ZRUserInfo::getsubjectName},
        {"grade", "gradeName", "grade", &ZRUserInfo::getgradeName},
        {"subjectGrade", "subjectGrade", "gradesub", &ZRUserInfo::getsubjectGrade},
        {"subjectID", "subjectID", "subjectid", &ZRUserInfo::getsubjectID},
        {"avatar", "userAvatar", "avatar", &ZRUserInfo::getuserAvatar},
    };
    for (const Pair &p : pairs) {
        const QString key = QLatin1String(p.key), fallback = QLatin1String(p.fallback);
        QTest::addRow("%s: both keys", p.tag) << account({{key, a}, {fallback, b}}) << p.getter << "first";
        QTest::addRow("%s: fallback only", p.tag) << account({{fallback, b}}) << p.getter << "second";
        // The first key wins as soon as it is present, even when it is not a string.
        QTest::addRow("%s: first key not a string", p.tag) << account({{key, 7}, {fallback, b}}) << p.getter << "";
    }

    struct Single { const char *key; Getter getter; };
    const Single singles[] = {
        {"uid", &ZRUserInfo::getuid}, {"token", &ZRUserInfo::gettoken},
        {"h4token", &ZRUserInfo::geth4token}, {"KaloToken", &ZRUserInfo::getKaloToken},
        {"executeStyle", &ZRUserInfo::getexecuteStyle}, {"imsign", &ZRUserInfo::getimsign},
        {"tcSignature", &ZRUserInfo::gettcSignature}, {"usertype", &ZRUserInfo::getusertype},
        {"realname", &ZRUserInfo::getrealName}, {"userName", &ZRUserInfo::getuserName},
    };
    for (const Single &s : singles) {
        const QString key = QLatin1String(s.key);
        QTest::addRow("%s: string", s.key) << account({{key, a}}) << s.getter << "first";
        QTest::addRow("%s: number is not converted", s.key) << account({{key, 12345}}) << s.getter << "";
        QTest::addRow("%s: boolean", s.key) << account({{key, true}}) << s.getter << "";
        QTest::addRow("%s: object", s.key) << account({{key, QJsonObject{{key, a}}}}) << s.getter << "";
    }
    QTest::newRow("key case matters") << account({{QStringLiteral("UID"), a}}) << Getter(&ZRUserInfo::getuid) << "";
}

void tst_UserInfo::fields()
{
    QFETCH(QJsonObject, account);
    QFETCH(Getter, getter);
    QFETCH(QString, expected);
    user()->setUserInfo(QJsonObject(), false); // start each row signed out
    account.insert(QStringLiteral("padding"), 1); // keep the object non-empty in every row
    user()->setUserInfo(account, true);
    QCOMPARE((user()->*getter)(), expected);
}

void tst_UserInfo::namesSurvivePartialAccounts()
{
    user()->setUserInfo(account({{QStringLiteral("realname"), QStringLiteral("王老师")},
                                 {QStringLiteral("userName"), QStringLiteral("wang")},
                                 {QStringLiteral("uid"), QStringLiteral("1")}}), true);
    user()->setUserInfo(account({{QStringLiteral("uid"), QStringLiteral("2")}}), true);
    QCOMPARE(user()->getuid(), QStringLiteral("2"));
    QCOMPARE(user()->getrealName(), QStringLiteral("王老师"));
    QCOMPARE(user()->getuserName(), QStringLiteral("wang"));

    user()->setUserInfo(QJsonObject(), false); // sign-out
    QVERIFY(user()->getrealName().isEmpty());
    QVERIFY(user()->getuserName().isEmpty());
    QVERIFY(user()->getuid().isEmpty());
    QVERIFY(!user()->getLoginState());
}

void tst_UserInfo::loginWindowFlag()
{
    user()->setLoginWindowVisibleState(true);
    user()->setUserInfo(account({{QStringLiteral("uid"), QStringLiteral("3")}}), false);
    QVERIFY(user()->isLoginWindowVisible());
    QVERIFY(!user()->getLoginState());
    QCOMPARE(user()->getuid(), QStringLiteral("3")); // fields are filled even when not signed in

    user()->setUserInfo(QJsonObject(), false);
    QVERIFY(user()->isLoginWindowVisible()); // sign-out keeps it

    user()->setUserInfo(account({{QStringLiteral("uid"), QStringLiteral("4")}}), true);
    QVERIFY(!user()->isLoginWindowVisible());
    QVERIFY(user()->getLoginState());
}

void tst_UserInfo::accountKeptVerbatim()
{
    const QJsonObject original{{QStringLiteral("uid"), 42},
                               {QStringLiteral("schools"), QJsonArray{1, 2}},
                               {QStringLiteral("usertoken"), QStringLiteral("t")}};
    user()->setUserInfo(original, true);
    QCOMPARE(user()->getUserInfo(), original);
}

QTEST_GUILESS_MAIN(tst_UserInfo)
#include "tst_userinfo.moc"
