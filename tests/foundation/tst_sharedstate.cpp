#include "tsvrows.h"
#include "zrpublicdata.h"
#include "zruserinfo.h"
#include "zrversioninfo.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

// Taken during the program's static initialisation: the library built the record before main().
ZRUserInfo *const userAtLoad = ZRUserInfo::getInstance();

ZRPublicData *ui() { return OrvoKiv::Singleton<ZRPublicData>::getInstance(); }
ZRVersionInfo *version() { return OrvoKiv::Singleton<ZRVersionInfo>::getInstance(); }
ZRUserInfo *user() { return ZRUserInfo::getInstance(); }

using VersionGetter = QString (ZRVersionInfo::*)() const;
using VersionSetter = void (ZRVersionInfo::*)(const QString &);
const struct { VersionGetter get; VersionSetter set; } versionFields[] = {
    {&ZRVersionInfo::projectName, &ZRVersionInfo::setProjectName}, {&ZRVersionInfo::cloudhost, &ZRVersionInfo::setCloudhost},
    {&ZRVersionInfo::AppserviceHost, &ZRVersionInfo::setAppserviceHost}, {&ZRVersionInfo::ssoHost, &ZRVersionInfo::setSSOhost},
    {&ZRVersionInfo::kalohost, &ZRVersionInfo::setKalohost}, {&ZRVersionInfo::appKey, &ZRVersionInfo::setAppKey},
    {&ZRVersionInfo::appName, &ZRVersionInfo::setAppName}, {&ZRVersionInfo::appVersion, &ZRVersionInfo::setAppVersion},
    {&ZRVersionInfo::copyRight, &ZRVersionInfo::setCopyRight}, {&ZRVersionInfo::icoPath, &ZRVersionInfo::setIcoPath},
    {&ZRVersionInfo::appsHost, &ZRVersionInfo::setAppsHost}, {&ZRVersionInfo::platform, &ZRVersionInfo::setPlatform},
    {&ZRVersionInfo::kaloSdkVersion, &ZRVersionInfo::setKaloSdkVersion}, {&ZRVersionInfo::webToolConfig, &ZRVersionInfo::setWebToolConfig},
    {&ZRVersionInfo::defEditorVersion, &ZRVersionInfo::setDefEditorVersion}, {&ZRVersionInfo::netWorkUrl, &ZRVersionInfo::setNetWorkUrl},
};

// The account's text fields by the keys tests/data/foundation/userfields.tsv names them with.
using UserGetter = QString (ZRUserInfo::*)();
const QHash<QByteArray, UserGetter> userGetters = {
    {"subjectName", &ZRUserInfo::getsubjectName}, {"gradeName", &ZRUserInfo::getgradeName},
    {"subjectGrade", &ZRUserInfo::getsubjectGrade}, {"subjectID", &ZRUserInfo::getsubjectID},
    {"userAvatar", &ZRUserInfo::getuserAvatar}, {"uid", &ZRUserInfo::getuid}, {"token", &ZRUserInfo::gettoken},
    {"h4token", &ZRUserInfo::geth4token}, {"KaloToken", &ZRUserInfo::getKaloToken},
    {"executeStyle", &ZRUserInfo::getexecuteStyle}, {"imsign", &ZRUserInfo::getimsign},
    {"tcSignature", &ZRUserInfo::gettcSignature}, {"usertype", &ZRUserInfo::getusertype},
    {"realname", &ZRUserInfo::getrealName}, {"userName", &ZRUserInfo::getuserName},
};

} // namespace

class tst_SharedState : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initialState() // first: sees the records as their first use builds them
    {
        QVERIFY(userAtLoad && userAtLoad == ZRUserInfo::instance);
        QVERIFY(!user()->getLoginState() && !user()->isLoginWindowVisible() && user()->getuid().isEmpty());

        ZRPublicData *d = ui();
        QCOMPARE(d, OrvoKiv::Singleton<ZRPublicData>::getInstance());
        QCOMPARE((QList<int>{d->m_iSetting1, d->m_iSetting2, d->m_iSetting4, d->m_iSetting5, d->m_iSetting6}), (QList<int>{3, 8, 1, 30, 1}));
        QCOMPARE(d->m_iPlain1 | d->m_iPlain2 | d->m_iPlain3 | d->m_iPlain4, 0);
        QCOMPARE(d->m_fSetting3, 0.5f);
        QCOMPARE(d->m_defaultColor, QColor(QStringLiteral("#ffffff")));
        QCOMPARE(d->getAppName(), QStringLiteral("OrvoKiv6"));
        QCOMPARE(d->getScaleFactor(), 1.0);
        QCOMPARE(d->getIIPVersion(), 2021);
        QCOMPARE(d->toolbarOrientation(), Qt::Vertical);
        const bool flags[] = {d->isBootWithFile(), d->isSupportDoubleScreen(), d->isPPTStartApp(), d->isPPTShowing(),
                              d->isOrvoScreen(), d->isForcingLogin(), d->isExitAppByLoginWindowClose(), d->isInAddDodiDuvu(),
                              d->isSkipLogin(), d->isStartPrepareMode(), d->isFullscreenPlay(), d->curIndexBarVisible(),
                              d->isArearecognition(), d->isUsageTips(), d->isMultiFingerWriting(), d->isSupportPenSwitch(),
                              d->isAppAnnOpened(), d->curToolBarStatus() != ToolBarStatusNone};
        QVERIFY(std::none_of(std::begin(flags), std::end(flags), [](bool f) { return f; }));

        for (const auto &field : versionFields)
            QVERIFY((version()->*field.get)().isEmpty());
        QCOMPARE(version()->uploadSize(), 0);
        QCOMPARE(version()->metaObject()->className(), "ZRVersionInfo");
        void *base = version()->qt_metacast("OrvoKiv::Singleton<ZRVersionInfo>");
        QCOMPARE(base, static_cast<void *>(static_cast<OrvoKiv::Singleton<ZRVersionInfo> *>(version())));
        QVERIFY(base != static_cast<void *>(version())); // the second base has its own address
    }

    void resetRestoresPerRunStateOnly()
    {
        ZRPublicData *d = ui();
        toolinfo compass;
        compass.name = QStringLiteral("compass");
        QMap<QString, toolinfo> tools{{compass.name, compass}};
        QTest::ignoreMessage(QtDebugMsg, "ZRPublicData::setAppName \"Board\"");
        d->setAppName(QStringLiteral("Board"));
        d->setCurLanguage(QStringLiteral("en_US"));
        d->setTeachingToolsInfo(tools);
        d->setFullscreenPlay(true);
        d->setIndexBarVisible(true);
        d->setToolBarStatus(static_cast<ToolBarStatus>(4));
        d->setToolbarOrientation(Qt::Horizontal);
        d->setIsBootWithFile(true);
        d->setExitAppByLoginWindowClose(true);
        d->setIsSkipLogin(true);
        d->m_iSetting6 = 9;
        d->m_iSetting5 = 12;

        d->reset();

        QVERIFY(!d->isFullscreenPlay() && !d->curIndexBarVisible() && !d->isBootWithFile() && !d->isExitAppByLoginWindowClose());
        QCOMPARE(d->curToolBarStatus(), ToolBarStatusNone);
        QCOMPARE(d->toolbarOrientation(), Qt::Vertical);
        QCOMPARE(d->m_iSetting6, 1);
        // Not per-run state:
        QCOMPARE(d->m_iSetting5, 12);
        QVERIFY(d->isSkipLogin());
        QCOMPARE(d->getAppName() + d->getCurLanguage(), QStringLiteral("Boarden_US"));
        QCOMPARE(d->getTeachingToolsInfo().value(compass.name).name, compass.name);
    }

    // Each field written with its own text: a getter wired to the wrong field shows.
    void versionFieldsAreDistinct()
    {
        int i = 0;
        for (const auto &field : versionFields)
            (version()->*field.set)(QString::number(i++));
        version()->setUploadSize(1024);
        i = 0;
        for (const auto &field : versionFields)
            QCOMPARE((version()->*field.get)(), QString::number(i++));
        QCOMPARE(version()->uploadSize(), 1024);
    }

    void userFields_data() { addTsvRows(QStringLiteral("foundation/userfields.tsv"), {"case", "account", "field", "expected"}); }

    void userFields()
    {
        const UserGetter getter = userGetters.value(tsvField("field").toUtf8());
        QJsonObject account = QJsonDocument::fromJson(tsvField("account").toUtf8()).object();
        QVERIFY(getter && !account.isEmpty());
        account.insert(QStringLiteral("schools"), QJsonArray{1, 2}); // a key with no field
        user()->setUserInfo(QJsonObject(), false);
        user()->setUserInfo(account, true);
        QCOMPARE((user()->*getter)(), tsvField("expected"));
        QCOMPARE(user()->getUserInfo(), account);
    }

    void userNamesAndLoginWindow()
    {
        user()->setUserInfo(QJsonObject{{QStringLiteral("realname"), QStringLiteral("王老师")}, {QStringLiteral("userName"), QStringLiteral("wang")}}, true);
        user()->setLoginWindowVisibleState(true);
        user()->setUserInfo(QJsonObject{{QStringLiteral("uid"), QStringLiteral("2")}}, false); // names absent: kept
        QCOMPARE(user()->getrealName() + user()->getuserName() + user()->getuid(), QStringLiteral("王老师wang2"));
        QVERIFY(user()->isLoginWindowVisible() && !user()->getLoginState());

        user()->setUserInfo(QJsonObject(), false); // sign-out clears all but the window flag
        QVERIFY(user()->getrealName().isEmpty() && user()->getuserName().isEmpty() && user()->getuid().isEmpty());
        QVERIFY(user()->isLoginWindowVisible());

        user()->setUserInfo(QJsonObject{{QStringLiteral("uid"), QStringLiteral("4")}}, true);
        QVERIFY(!user()->isLoginWindowVisible() && user()->getLoginState());
    }
};

QTEST_GUILESS_MAIN(tst_SharedState)
#include "tst_sharedstate.moc"
