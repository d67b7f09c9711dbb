#include "zrversioninfo.h"

#include <QTest>

using Getter = QString (ZRVersionInfo::*)() const;
using Setter = void (ZRVersionInfo::*)(const QString &);

namespace {
ZRVersionInfo *info()
{
    return OrvoKiv::Singleton<ZRVersionInfo>::getInstance();
}
} // namespace

class tst_VersionInfo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void freshRecordIsEmpty(); // must run first
    void metaObject();
    void eachGetterReturnsItsOwnSetter();
};

static const struct
{
    const char *name;
    Getter get;
    Setter set;
} fields[] = {
    {"projectName", &ZRVersionInfo::projectName, &ZRVersionInfo::setProjectName},
    {"cloudhost", &ZRVersionInfo::cloudhost, &ZRVersionInfo::setCloudhost},
    {"AppserviceHost", &ZRVersionInfo::AppserviceHost, &ZRVersionInfo::setAppserviceHost},
    {"ssoHost", &ZRVersionInfo::ssoHost, &ZRVersionInfo::setSSOhost},
    {"kalohost", &ZRVersionInfo::kalohost, &ZRVersionInfo::setKalohost},
    {"appKey", &ZRVersionInfo::appKey, &ZRVersionInfo::setAppKey},
    {"appName", &ZRVersionInfo::appName, &ZRVersionInfo::setAppName},
    {"appVersion", &ZRVersionInfo::appVersion, &ZRVersionInfo::setAppVersion},
    {"copyRight", &ZRVersionInfo::copyRight, &ZRVersionInfo::setCopyRight},
    {"icoPath", &ZRVersionInfo::icoPath, &ZRVersionInfo::setIcoPath},
    {"appsHost", &ZRVersionInfo::appsHost, &ZRVersionInfo::setAppsHost},
    {"platform", &ZRVersionInfo::platform, &ZRVersionInfo::setPlatform},
    {"kaloSdkVersion", &ZRVersionInfo::kaloSdkVersion, &ZRVersionInfo::setKaloSdkVersion},
    {"webToolConfig", &ZRVersionInfo::webToolConfig, &ZRVersionInfo::setWebToolConfig},
    {"defEditorVersion", &ZRVersionInfo::defEditorVersion, &ZRVersionInfo::setDefEditorVersion},
    {"netWorkUrl", &ZRVersionInfo::netWorkUrl, &ZRVersionInfo::setNetWorkUrl},
};

void tst_VersionInfo::freshRecordIsEmpty()
{
    for (const auto &field : fields)
        QVERIFY2((info()->*field.get)().isEmpty(), field.name);
    QCOMPARE(info()->uploadSize(), 0);
}

void tst_VersionInfo::metaObject()
{
    QCOMPARE(info()->metaObject()->className(), "ZRVersionInfo");
    QCOMPARE(info()->metaObject()->methodCount(), QObject::staticMetaObject.methodCount());
    QCOMPARE(info()->parent(), nullptr);
    void *base = info()->qt_metacast("OrvoKiv::Singleton<ZRVersionInfo>");
    QCOMPARE(base, static_cast<void *>(static_cast<OrvoKiv::Singleton<ZRVersionInfo> *>(info())));
    QVERIFY(base != static_cast<void *>(info())); // the second base lives at its own offset
    QCOMPARE(qobject_cast<ZRVersionInfo *>(static_cast<QObject *>(info())), info());
}

// Every field written with a distinct text: a getter wired to the wrong field shows up.
void tst_VersionInfo::eachGetterReturnsItsOwnSetter()
{
    for (const auto &field : fields)
        (info()->*field.set)(QStringLiteral("value of ") + QLatin1String(field.name));
    info()->setUploadSize(1024);

    for (const auto &field : fields)
        QCOMPARE((info()->*field.get)(), QStringLiteral("value of ") + QLatin1String(field.name));
    QCOMPARE(info()->uploadSize(), 1024);
    QCOMPARE(OrvoKiv::Singleton<ZRVersionInfo>::getInstance(), info());
}

QTEST_GUILESS_MAIN(tst_VersionInfo)
#include "tst_versioninfo.moc"
