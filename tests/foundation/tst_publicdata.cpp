#include "zrpublicdata.h"

#include <QTest>

namespace {
ZRPublicData *data()
{
    return OrvoKiv::Singleton<ZRPublicData>::getInstance();
}
} // namespace

class tst_PublicData : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Must run first: it sees the record as the first getInstance() builds it.
    void initialState();
    void oneInstance();
    void setAppNameLogs();
    void resetRestoresPerRunStateOnly();
    void teachingToolsAreCopies();
    void listsAreReplacedWhole();
};

void tst_PublicData::initialState()
{
    ZRPublicData *d = data();
    QCOMPARE(d->m_iSetting1, 3);
    QCOMPARE(d->m_iSetting2, 8);
    QCOMPARE(d->m_defaultColor, QColor(QStringLiteral("#ffffff")));
    QCOMPARE(d->m_fSetting3, 0.5f);
    QCOMPARE(d->m_iSetting4, 1);
    QCOMPARE(d->m_iPlain1 | d->m_iPlain2 | d->m_iPlain3 | d->m_iPlain4, 0);
    QCOMPARE(d->m_iSetting5, 30);
    QCOMPARE(d->m_iSetting6, 1);
    QCOMPARE(d->getAppName(), QStringLiteral("OrvoKiv6"));
    QCOMPARE(d->getScaleFactor(), 1.0);
    QCOMPARE(d->getIIPVersion(), 2021);
    QCOMPARE(d->toolbarOrientation(), Qt::Vertical);
    QCOMPARE(d->curToolBarStatus(), ToolBarStatusNone);
    QVERIFY(d->getCurLanguage().isEmpty());
    QVERIFY(d->blackboardColor().isEmpty());
    QVERIFY(d->lstColor().isEmpty());
    QVERIFY(d->getTeachingToolsInfo().isEmpty());
    const bool flags[] = {d->isBootWithFile(), d->isSupportDoubleScreen(), d->isPPTStartApp(),
                          d->isPPTShowing(), d->isOrvoScreen(), d->isForcingLogin(),
                          d->isExitAppByLoginWindowClose(), d->isInAddDodiDuvu(), d->isSkipLogin(),
                          d->isStartPrepareMode(), d->isFullscreenPlay(), d->curIndexBarVisible(),
                          d->isArearecognition(), d->isUsageTips(), d->isMultiFingerWriting(),
                          d->isSupportPenSwitch(), d->isAppAnnOpened()};
    for (bool flag : flags)
        QVERIFY(!flag);
}

void tst_PublicData::oneInstance()
{
    QCOMPARE(data(), OrvoKiv::Singleton<ZRPublicData>::getInstance());
}

void tst_PublicData::setAppNameLogs()
{
    QTest::ignoreMessage(QtDebugMsg, "ZRPublicData::setAppName \"OrvoPepBook\"");
    data()->setAppName(QStringLiteral("OrvoPepBook"));
    QCOMPARE(data()->getAppName(), QStringLiteral("OrvoPepBook"));
}

void tst_PublicData::resetRestoresPerRunStateOnly()
{
    ZRPublicData *d = data();
    QMap<QString, toolinfo> tools;
    tools.insert(QStringLiteral("ruler"), toolinfo());
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

    QVERIFY(!d->isFullscreenPlay());
    QVERIFY(!d->curIndexBarVisible());
    QCOMPARE(d->curToolBarStatus(), ToolBarStatusNone);
    QCOMPARE(d->toolbarOrientation(), Qt::Vertical);
    QVERIFY(!d->isBootWithFile());
    QVERIFY(!d->isExitAppByLoginWindowClose());
    QCOMPARE(d->m_iSetting6, 1);
    // Untouched by reset:
    QCOMPARE(d->m_iSetting5, 12);
    QVERIFY(d->isSkipLogin());
    QCOMPARE(d->getAppName(), QStringLiteral("Board"));
    QCOMPARE(d->getCurLanguage(), QStringLiteral("en_US"));
    QCOMPARE(d->getTeachingToolsInfo().keys(), QStringList{QStringLiteral("ruler")});
}

void tst_PublicData::teachingToolsAreCopies()
{
    QMap<QString, toolinfo> tools;
    toolinfo compass;
    compass.name = QStringLiteral("compass");
    compass.enabled = true;
    tools.insert(QStringLiteral("compass"), compass);
    data()->setTeachingToolsInfo(tools);

    tools[QStringLiteral("compass")].name = QStringLiteral("changed by caller");
    QMap<QString, toolinfo> copy = data()->getTeachingToolsInfo();
    copy[QStringLiteral("compass")].enabled = false;
    copy.insert(QStringLiteral("timer"), toolinfo());

    const QMap<QString, toolinfo> stored = data()->getTeachingToolsInfo();
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored.value(QStringLiteral("compass")).name, QStringLiteral("compass"));
    QVERIFY(stored.value(QStringLiteral("compass")).enabled);
}

void tst_PublicData::listsAreReplacedWhole()
{
    data()->setlstColor({QStringLiteral("#fe1d11"), QStringLiteral("#179dfe")});
    data()->setlstColor({QStringLiteral("#000000")});
    QCOMPARE(data()->lstColor(), QStringList{QStringLiteral("#000000")});
}

QTEST_GUILESS_MAIN(tst_PublicData)
#include "tst_publicdata.moc"
