#include "fakebackend.h"
#include "lookuptrace_p.h"
#include "zrwinapputils.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

const QString entriesDir = QStringLiteral(ORVO_TEST_DATA "/desktop/entries/");

// Records every process as "program|arg|arg"; "ls", "find FOLDER" and "cp" answer from `scripted`
// when there, else run.
struct KylinBackend : FakeBackend
{
    mutable QStringList started;
    mutable bool allWaitedThirtySeconds = true;
    QMap<QString, QByteArray> scripted;

    OrvoKiv::Platform::ProcessResult runProcess(const QString &program, const QStringList &arguments, int timeoutMs,
                                                const QString &workingDirectory) const override
    {
        started << (QStringList{program} + arguments).join(QLatin1Char('|'));
        allWaitedThirtySeconds = allWaitedThirtySeconds && timeoutMs == 30000;
        const QString key = program == QLatin1String("find") ? program + QLatin1Char(' ') + arguments.value(0) : program;
        if (!scripted.contains(key))
            return Backend::runProcess(program, arguments, timeoutMs, workingDirectory);
        OrvoKiv::Platform::ProcessResult result;
        result.started = true;
        result.exitCode = 0;
        result.standardOutput = scripted.value(key);
        return result;
    }
};

QSet<QString> tree(const QString &root)
{
    QSet<QString> paths;
    for (QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories); it.hasNext();)
        paths << it.next();
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

private:
    QString images() const { return m_temp.path() + QStringLiteral("/images/"); }
    KylinBackend m_backend;
    std::optional<OrvoKiv::Platform::ScopedBackendOverride> m_override;
    QTemporaryDir m_temp;
};

void tst_KylinScan::initTestCase()
{
    m_backend.platformConventions = OrvoKiv::Platform::Conventions::posix();
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
    QTest::addColumn<QString>("record"); // appName|name|appPath|image file, empty: dropped
    QTest::addColumn<QString>("why");    // in what --explain says of the entry

    QTest::newRow("kept, 48x48 not 16x16") << "qalculate-gtk" << "Qalculate!|Qalculate!|qalculate-gtk|qalculate.png" << ": kept";
    QTest::newRow("no Name[zh_CN]") << "galculator" << "" << "no \"Name[zh_CN]=\" value";
    QTest::newRow("Terminal=true") << "vim" << "" << "\"Terminal=true\"";
    QTest::newRow("NoDisplay=true in an action") << "nodisplay-in-action" << "" << "\"NoDisplay=true\"";
    QTest::newRow("not an application") << "link" << "" << "no \"Type=Application\"";
    QTest::newRow("Settings category") << "org.xfce.mousepad-settings" << "" << "category word \"Settings\" on line 73";
    QTest::newRow("Qt category") << "qt-category" << "" << "category word \"Qt\" on line 7";
    QTest::newRow("icon after the categories") << "icon-after-categories" << "" << "no \"Icon=\" line (reading stopped at the categories on line 6)";
    QTest::newRow("GenericName first, after the last =, CRLF") << "genericname-first" << "Text Editor|编辑器|full %U|qalculate.png" << ": kept";
    QTest::newRow("later Icon= line wins") << "later-icon-wins" << "" << "icon \"no-such-icon\" not found";
    QTest::newRow("claws-mail, from pixmaps") << "claws-mail" << "Claws Mail|Claws Mail 邮件|claws-mail|pixonly.png" << "appPath \"claws-mail\"";
    QTest::newRow("Firefox, only 16x16") << "firefox" << "Browser|浏览器|firefox-esr|tiny.png" << "appPath \"firefox-esr\"";
}

void tst_KylinScan::entries()
{
    QFETCH(QString, file);
    QFETCH(QString, record);
    QFETCH(QString, why);
    const QString path = entriesDir + file + QStringLiteral(".desktop");

    OrvoKiv::LookupTrace trace;
    QStringList found;
    for (const QJsonValue &value : ZRWinAppUtils::getLinuxKylinAppInfo({path})) {
        const QJsonObject app = value.toObject();
        QCOMPARE(app.keys(), (QStringList{"appGroup", "appName", "appPath", "enName", "image", "name"}));
        QVERIFY(app.value("appGroup") == "linux_third" && app.value("enName") == app.value("appName"));
        const QString image = app.value("image").toString();
        QVERIFY2(image.startsWith(images()) && QFileInfo::exists(image), qPrintable(image));
        found << app.value("appName").toString() + '|' + app.value("name").toString() + '|' + app.value("appPath").toString()
                + '|' + image.mid(images().size());
    }
    QCOMPARE(found.join('\n'), record);
    const QStringList verdict = trace.takeLines().filter(path + QStringLiteral(": "));
    QCOMPARE(verdict.size(), 1);
    QVERIFY2(verdict.first().contains(why), qPrintable(verdict.first()));
    QVERIFY(m_backend.allWaitedThirtySeconds);
}

void tst_KylinScan::listing()
{
    m_backend.scripted.insert(QStringLiteral("ls"), "b.desktop\nkylin-calc.desktop\nukui-x.desktop\nUninstall.desktop\nuninstall-y.desktop\n"
                                                    "mvp.desktop\nMVP.desktop\nOrvoCenter.desktop\nOrvoSmartScreenPro.desktop\nnotes.txt\n\nz.desktop\n");
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
    QTest::addColumn<QString>("icon");
    QTest::addColumn<QByteArray>("themeFind");
    QTest::addColumn<QByteArray>("pixmapFind");
    QTest::addColumn<QString>("copies"); // already in the image folder {F}
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("processes"); // {I} the icon theme, {P} the pixmaps

    QTest::newRow("an accepted size after 16x16") << "x" << QByteArray("/t/16x16/x.png\n/t/48x48/x.png\n/t/512x512/x.png\n") << QByteArray() << ""
                                                  << "{F}x.png" << "find|{I}|-name|x.png cp|--|/t/48x48/x.png|{F}";
    QTest::newRow("no size preferred") << "x" << QByteArray("/t/40x40/x.png\n/t/512x512/x.png\n") << QByteArray() << ""
                                       << "{F}x.png" << "find|{I}|-name|x.png cp|--|/t/40x40/x.png|{F}";
    QTest::newRow("no accepted size: first line") << "x" << QByteArray("/t/16x16/x.png\n/t/24x24/x.png\n") << QByteArray() << ""
                                                  << "{F}x.png" << "find|{I}|-name|x.png cp|--|/t/16x16/x.png|{F}";
    QTest::newRow("pixmaps when the theme has none") << "x" << QByteArray() << QByteArray("/p/x.png\n") << "" << "{F}x.png"
                                                     << "find|{I}|-name|x.png find|{P}|-name|x.png cp|--|/p/x.png|{F}";
    QTest::newRow("found nowhere") << "x b" << QByteArray() << QByteArray() << "" << "" << "find|{I}|-name|x b.png find|{P}|-name|x b.png";
    QTest::newRow("svg copy: no process") << "x" << QByteArray() << QByteArray() << "x.svg x.svg.png" << "{F}x.svg" << "";
    QTest::newRow("png copy before svg") << "x" << QByteArray() << QByteArray() << "x.svg x.png" << "{F}x.png" << "";
    QTest::newRow("a path is copied, again") << "/opt/app/icon.png" << QByteArray() << QByteArray() << "icon.png" << "{F}icon.png"
                                             << "cp|--|/opt/app/icon.png|{F}";
}

void tst_KylinScan::icons()
{
    QFETCH(QString, icon);
    QFETCH(QByteArray, themeFind);
    QFETCH(QByteArray, pixmapFind);
    QFETCH(QString, copies);
    QFETCH(QString, result);
    QFETCH(QString, processes);
    const OrvoKiv::Platform::Conventions &c = m_backend.platformConventions;
    m_backend.scripted = {{"find " + c.iconThemeDir, themeFind}, {"find " + c.pixmapDir, pixmapFind}, {"cp", QByteArray()}};
    for (const QString &name : copies.split(' ', Qt::SkipEmptyParts))
        QVERIFY(QFile(images() + name).open(QIODevice::WriteOnly));
    const auto expand = [&](QString text) {
        return text.replace("{F}", images()).replace("{I}", c.iconThemeDir).replace("{P}", c.pixmapDir);
    };

    QCOMPARE(ZRWinAppUtils::getLinuxKylinAppIcon(icon), expand(result));
    QCOMPARE(m_backend.started.join(' '), expand(processes));
}

void tst_KylinScan::hostileIconsStayArguments()
{
    // Real find and cp, working folder and theme inside the sandbox.
    QTemporaryDir sandbox;
    const QString root = sandbox.path(), folder = root + QStringLiteral("/images/");
    for (const char *dir : {"/work", "/images", "/theme/48x48", "/pix"})
        QVERIFY(QDir().mkpath(root + dir));
    for (const char *file : {"/theme/48x48/app.png", "/secret.png"})
        QVERIFY(QFile(root + file).open(QIODevice::WriteOnly));
    KylinBackend backend;
    backend.platformConventions = m_backend.platformConventions;
    backend.platformConventions.iconThemeDir = root + QStringLiteral("/theme");
    backend.platformConventions.pixmapDir = root + QStringLiteral("/pix");
    OrvoKiv::Platform::ScopedBackendOverride override(backend);
    qApp->setProperty("globalUserAppImage", folder);
    const QString previousDir = QDir::currentPath();
    QDir::setCurrent(root + QStringLiteral("/work"));

    const QSet<QString> before = tree(root);
    const bool tmpX = QFileInfo::exists(QStringLiteral("/tmp/x"));
    for (const char *icon : {"app two", "-fprint evil", "app -o -fprint X", "app -o -delete", "* -delete", "../", "../secret.png",
                             "/etc/passwd /tmp/x", "app\n-fprint\nY", "-rt./", "--help"})
        ZRWinAppUtils::getLinuxKylinAppIcon(QString::fromLatin1(icon));
    QDir::setCurrent(previousDir);

    const QSet<QString> after = tree(root);
    QVERIFY(after.contains(before));
    for (const QString &path : after - before)
        QVERIFY2(path.startsWith(folder), qPrintable(path + QStringLiteral(" was created")));
    QVERIFY(after.contains(folder + QStringLiteral("secret.png")));
    QCOMPARE(QFileInfo::exists(QStringLiteral("/tmp/x")), tmpX);
    for (const QString &process : qAsConst(backend.started)) {
        const QStringList parts = process.split('|');
        QCOMPARE(parts.size(), 4);
        QVERIFY(parts.first() == "cp" ? parts.at(1) == "--" && parts.at(3) == folder : parts.at(2) == "-name");
    }
    QVERIFY(backend.started.contains(QStringLiteral("find|%1/theme|-name|app -o -fprint X.png").arg(root)));
}

void tst_KylinScan::secondScanStartsNoFind()
{
    const QJsonArray first = ZRWinAppUtils::linuxKylinAppLinks();
    QCOMPARE(first.size(), 4);
    const QStringList firstRun = m_backend.started;
    m_backend.started.clear();
    QCOMPARE(ZRWinAppUtils::linuxKylinAppLinks(), first);
    QCOMPARE(m_backend.started.filter(QRegularExpression("^ls\\|")).size(), 1);
    // Icons never found are searched again; copied ones are not.
    for (const char *copied : {"|qalculate.png", "|pixonly.png", "|tiny.png"}) {
        QVERIFY(!firstRun.filter(QLatin1String(copied)).isEmpty());
        QVERIFY(m_backend.started.filter(QLatin1String(copied)).isEmpty());
    }
}

QTEST_GUILESS_MAIN(tst_KylinScan)
#include "tst_kylinscan.moc"
