#include "fakebackend.h"
#include "lookuptrace_p.h"
#include "zrcommonutils.h"
#include "zrwinapputils.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <optional>

using OrvoKiv::Platform::ProcessResult;

namespace {

const QString entriesDir = QStringLiteral(ORVO_TEST_DATA "/desktop/entries/");

// Records every process as "program|arg|arg"; the programs named in `scripted` answer from it
// instead of running.
struct KylinBackend : FakeBackend
{
    mutable QStringList started;
    mutable bool allWaitedThirtySeconds = true;
    QMap<QString, QByteArray> scripted; // "ls", "find FOLDER", "cp"

    ProcessResult runProcess(const QString &program, const QStringList &arguments, int timeoutMs,
                             const QString &workingDirectory) const override
    {
        started << (QStringList{program} + arguments).join(QLatin1Char('|'));
        allWaitedThirtySeconds = allWaitedThirtySeconds && timeoutMs == 30000;
        const QString key = program == QLatin1String("find") ? program + QLatin1Char(' ') + arguments.value(0) : program;
        if (!scripted.contains(key))
            return Backend::runProcess(program, arguments, timeoutMs, workingDirectory);
        ProcessResult result;
        result.started = true;
        result.exitCode = 0;
        result.standardOutput = scripted.value(key);
        return result;
    }
    int count(const QString &program) const
    {
        return int(std::count_if(started.cbegin(), started.cend(),
                                 [&](const QString &p) { return p.startsWith(program + QLatin1Char('|')); }));
    }
};

QStringList tree(const QString &root)
{
    QStringList paths;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        paths << it.next();
    paths.sort();
    return paths;
}

} // namespace

class tst_KylinScan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void entries_data();
    void entries();
    void listing();
    void icons_data();
    void icons();
    void hostileIconsStayArguments();
    void secondScanStartsNoFind();
    void defaultImageFolder();

private:
    QString images() const { return m_temp.path() + QStringLiteral("/images/"); }
    KylinBackend m_backend;
    std::optional<OrvoKiv::Platform::ScopedBackendOverride> m_override;
    QTemporaryDir m_temp;
};

void tst_KylinScan::initTestCase()
{
    QVERIFY(m_temp.isValid());
    m_backend.platformConventions = OrvoKiv::Platform::Conventions::posix();
    m_backend.platformConventions.machineDataDir = m_temp.path() + QStringLiteral("/data/");
    m_backend.platformConventions.desktopEntryDir = entriesDir;
    m_backend.platformConventions.iconThemeDir = QStringLiteral(ORVO_TEST_DATA "/desktop/icons");
    m_backend.platformConventions.pixmapDir = QStringLiteral(ORVO_TEST_DATA "/desktop/pixmaps");
    m_override.emplace(m_backend);
}

void tst_KylinScan::init()
{
    QDir(images()).removeRecursively();
    QVERIFY(QDir().mkpath(images()));
    qApp->setProperty("globalUserAppImage", images());
    m_backend.started.clear();
    m_backend.scripted.clear();
}

void tst_KylinScan::entries_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("record"); // appName|name|appPath|image in the image folder; empty: dropped
    QTest::addColumn<QString>("why");    // what --explain says about the entry

    QTest::newRow("kept, the 48x48 icon") << "qalculate-gtk" << "Qalculate!|Qalculate!|qalculate-gtk|qalculate.png" << ": kept";
    QTest::newRow("no Name[zh_CN]") << "galculator" << "" << "dropped: no \"Name[zh_CN]=\" value";
    QTest::newRow("Terminal=true") << "vim" << "" << "dropped: \"Terminal=true\"";
    QTest::newRow("NoDisplay=true in an action") << "nodisplay-in-action" << "" << "dropped: \"NoDisplay=true\"";
    QTest::newRow("not an application") << "link" << "" << "dropped: no \"Type=Application\"";
    QTest::newRow("Settings category") << "org.xfce.mousepad-settings" << "" << "category word \"Settings\" on line 73";
    QTest::newRow("Qt category") << "qt-category" << "" << "category word \"Qt\" on line 7";
    QTest::newRow("icon after the categories") << "icon-after-categories" << ""
                                               << "no \"Icon=\" line (reading stopped at the categories on line 6)";
    QTest::newRow("GenericName first, text after the last =, CRLF")
        << "genericname-first" << "Text Editor|编辑器|full %U|qalculate.png" << ": kept";
    QTest::newRow("later Icon= line wins") << "later-icon-wins" << "" << "icon \"no-such-icon\" not found";
    QTest::newRow("claws-mail, icon from pixmaps") << "claws-mail" << "Claws Mail|Claws Mail 邮件|claws-mail|pixonly.png"
                                                   << "special program: appPath \"claws-mail\"";
    QTest::newRow("Firefox, only a 16x16 icon") << "firefox" << "Browser|浏览器|firefox-esr|tiny.png"
                                                << "special program: appPath \"firefox-esr\"";
}

void tst_KylinScan::entries()
{
    QFETCH(QString, file);
    QFETCH(QString, record);
    QFETCH(QString, why);
    const QString path = entriesDir + file + QStringLiteral(".desktop");

    OrvoKiv::LookupTrace trace;
    const QJsonArray records = ZRWinAppUtils::getLinuxKylinAppInfo({path});
    QStringList found;
    for (const QJsonValue &value : records) {
        const QJsonObject app = value.toObject();
        QCOMPARE(app.keys(), (QStringList{"appGroup", "appName", "appPath", "enName", "image", "name"}));
        QCOMPARE(app.value("appGroup").toString(), QStringLiteral("linux_third"));
        QCOMPARE(app.value("enName"), app.value("appName"));
        QString image = app.value("image").toString();
        QVERIFY2(image.startsWith(images()) && QFileInfo::exists(image), qPrintable(image));
        found << QStringList{app.value("appName").toString(), app.value("name").toString(), app.value("appPath").toString(),
                             image.mid(images().size())}
                     .join(QLatin1Char('|'));
    }
    QCOMPARE(found.join(QLatin1Char('\n')), record);
    const QStringList verdict = trace.takeLines().filter(path + QStringLiteral(": "));
    QCOMPARE(verdict.size(), 1);
    QVERIFY2(verdict.first().contains(why), qPrintable(verdict.first()));
    QVERIFY(m_backend.allWaitedThirtySeconds);
}

void tst_KylinScan::listing()
{
    m_backend.scripted.insert(QStringLiteral("ls"), "b.desktop\nkylin-calc.desktop\nukui-x.desktop\nUninstall.desktop\n"
                                                    "uninstall-y.desktop\nmvp.desktop\nMVP.desktop\nOrvoCenter.desktop\n"
                                                    "OrvoSmartScreenPro.desktop\nnotes.txt\n\nz.desktop\n");
    OrvoKiv::LookupTrace trace;
    for (int i = 0; i < 4; ++i)
        QTest::ignoreMessage(QtDebugMsg, "ZRWinAppUtils::getLinuxKylinAppInfo \"No such file or directory\"");
    QVERIFY(ZRWinAppUtils::linuxKylinAppLinks().isEmpty());
    QCOMPARE(m_backend.started, QStringList{QStringLiteral("ls|") + entriesDir});
    QStringList opened;
    for (const QString &line : trace.takeLines().filter(QStringLiteral("cannot read it")))
        opened << line.section(QLatin1Char(':'), 0, 0).mid(entriesDir.size());
    QCOMPARE(opened, (QStringList{"b.desktop", "Uninstall.desktop", "MVP.desktop", "z.desktop"}));
}

void tst_KylinScan::icons_data()
{
    // {F} the image folder, {I} the icon theme, {P} the pixmaps
    QTest::addColumn<QString>("icon");
    QTest::addColumn<QByteArray>("themeOutput");
    QTest::addColumn<QByteArray>("pixmapOutput");
    QTest::addColumn<QString>("copies"); // already in the image folder
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("processes");

    QTest::newRow("an accepted size after 16x16") << "x" << QByteArray("/t/16x16/x.png\n/t/48x48/x.png\n/t/512x512/x.png\n") << QByteArray()
                                                  << "" << "{F}x.png" << "find|{I}|-name|x.png cp|--|/t/48x48/x.png|{F}";
    QTest::newRow("no size preferred") << "x" << QByteArray("/t/40x40/x.png\n/t/512x512/x.png\n") << QByteArray() << ""
                                       << "{F}x.png" << "find|{I}|-name|x.png cp|--|/t/40x40/x.png|{F}";
    QTest::newRow("no accepted size: the first line") << "x" << QByteArray("/t/16x16/x.png\n/t/24x24/x.png\n") << QByteArray()
                                                      << "" << "{F}x.png" << "find|{I}|-name|x.png cp|--|/t/16x16/x.png|{F}";
    QTest::newRow("pixmaps when the theme has none") << "x" << QByteArray() << QByteArray("/p/x.png\n") << "" << "{F}x.png"
                                                     << "find|{I}|-name|x.png find|{P}|-name|x.png cp|--|/p/x.png|{F}";
    QTest::newRow("found nowhere") << "x" << QByteArray() << QByteArray() << "" << ""
                                   << "find|{I}|-name|x.png find|{P}|-name|x.png";
    QTest::newRow("svg copy: no process") << "x" << QByteArray() << QByteArray() << "x.svg x.svg.png" << "{F}x.svg" << "";
    QTest::newRow("png copy before svg") << "x" << QByteArray() << QByteArray() << "x.svg x.png" << "{F}x.png" << "";
    QTest::newRow("a path: copied") << "/opt/app/icon.png" << QByteArray() << QByteArray() << "" << "{F}icon.png"
                                    << "cp|--|/opt/app/icon.png|{F}";
    QTest::newRow("a copied path is copied again") << "/opt/app/icon.png" << QByteArray() << QByteArray() << "icon.png"
                                                   << "{F}icon.png" << "cp|--|/opt/app/icon.png|{F}";
    QTest::newRow("find operators stay a name") << "a -o -fprint X" << QByteArray() << QByteArray() << "" << ""
                                                << "find|{I}|-name|a -o -fprint X.png find|{P}|-name|a -o -fprint X.png";
}

void tst_KylinScan::icons()
{
    QFETCH(QString, icon);
    QFETCH(QByteArray, themeOutput);
    QFETCH(QByteArray, pixmapOutput);
    QFETCH(QString, copies);
    QFETCH(QString, result);
    QFETCH(QString, processes);
    const OrvoKiv::Platform::Conventions &c = m_backend.platformConventions;
    m_backend.scripted = {{QStringLiteral("find ") + c.iconThemeDir, themeOutput},
                          {QStringLiteral("find ") + c.pixmapDir, pixmapOutput},
                          {QStringLiteral("cp"), QByteArray()}};
    for (const QString &name : copies.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        QVERIFY(QFile(images() + name).open(QIODevice::WriteOnly));
    const auto expand = [&](QString text) {
        return text.replace(QLatin1String("{F}"), images()).replace(QLatin1String("{I}"), c.iconThemeDir).replace(QLatin1String("{P}"), c.pixmapDir);
    };

    QCOMPARE(ZRWinAppUtils::getLinuxKylinAppIcon(icon), expand(result));
    QCOMPARE(m_backend.started.join(QLatin1Char(' ')), expand(processes));
}

void tst_KylinScan::hostileIconsStayArguments()
{
    // Real find and cp, run from a working folder inside a sandbox that also holds the theme.
    QTemporaryDir sandbox;
    const QString root = sandbox.path();
    QVERIFY(QDir().mkpath(root + QStringLiteral("/work")) && QDir().mkpath(root + QStringLiteral("/images"))
            && QDir().mkpath(root + QStringLiteral("/theme/48x48")) && QDir().mkpath(root + QStringLiteral("/pix")));
    for (const char *file : {"/theme/48x48/app.png", "/secret.png"})
        QVERIFY(QFile(root + QLatin1String(file)).open(QIODevice::WriteOnly));
    KylinBackend backend;
    backend.platformConventions = m_backend.platformConventions;
    backend.platformConventions.iconThemeDir = root + QStringLiteral("/theme");
    backend.platformConventions.pixmapDir = root + QStringLiteral("/pix");
    OrvoKiv::Platform::ScopedBackendOverride override(backend);
    const QString folder = root + QStringLiteral("/images/");
    qApp->setProperty("globalUserAppImage", folder);
    const QString previousDir = QDir::currentPath();
    QDir::setCurrent(root + QStringLiteral("/work"));

    const QStringList hostile = {"app two", "-fprint evil", "app -o -fprint X", "app -o -delete", "* -delete",
                                 "../", "../secret.png", "/etc/passwd /tmp/x", "app\n-fprint\nY", "-rt./", "--help"};
    const QStringList before = tree(root);
    const bool tmpX = QFileInfo::exists(QStringLiteral("/tmp/x"));
    for (const QString &icon : hostile)
        ZRWinAppUtils::getLinuxKylinAppIcon(icon);
    QDir::setCurrent(previousDir);

    for (const QString &path : tree(root)) {
        if (!before.contains(path))
            QVERIFY2(path.startsWith(folder), qPrintable(path + QStringLiteral(" was created")));
    }
    QVERIFY(before.toSet() - tree(root).toSet() == QSet<QString>());
    QCOMPARE(QFileInfo::exists(QStringLiteral("/tmp/x")), tmpX);
    QVERIFY(QFileInfo::exists(folder + QStringLiteral("secret.png")));
    for (const QString &process : qAsConst(backend.started)) {
        const QStringList parts = process.split(QLatin1Char('|'));
        QCOMPARE(parts.size(), 4);
        if (parts.first() == QLatin1String("cp"))
            QVERIFY(parts.at(1) == QLatin1String("--") && parts.at(3) == folder);
        else
            QCOMPARE(parts.at(2), QStringLiteral("-name"));
    }
    QVERIFY(backend.started.contains(QStringLiteral("find|%1/theme|-name|app -o -fprint X.png").arg(root)));
    QVERIFY(backend.started.contains(QStringLiteral("cp|--|-rt./|%1").arg(folder)));
}

void tst_KylinScan::secondScanStartsNoFind()
{
    const QJsonArray first = ZRWinAppUtils::linuxKylinAppLinks();
    QCOMPARE(first.size(), 4);
    const QStringList firstRun = m_backend.started;
    m_backend.started.clear();
    QCOMPARE(ZRWinAppUtils::linuxKylinAppLinks(), first);
    QCOMPARE(m_backend.count(QStringLiteral("ls")), 1);
    // Icons that were never found are searched again; copied ones are not.
    for (const char *copied : {"|qalculate.png", "|pixonly.png", "|tiny.png"}) {
        QVERIFY(!firstRun.filter(QLatin1String(copied)).isEmpty());
        QVERIFY(m_backend.started.filter(QLatin1String(copied)).isEmpty());
    }
}

void tst_KylinScan::defaultImageFolder()
{
    qApp->setProperty("globalUserAppImage", QVariant());
    const QString folder = ZRCommonUtils::getDataRootDir() + QStringLiteral("/appImage/");
    QCOMPARE(ZRWinAppUtils::getLinuxKylinAppIcon(QStringLiteral("pixonly")), folder + QStringLiteral("pixonly.png"));
    QVERIFY(QFileInfo(folder + QStringLiteral("pixonly.png")).isFile());
}

QTEST_GUILESS_MAIN(tst_KylinScan)
#include "tst_kylinscan.moc"
