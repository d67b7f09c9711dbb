#include "fakebackend.h"
#include "lookuptrace_p.h"
#include "tsvrows.h"
#include "zrwinapputils.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

const QString entriesDir = QStringLiteral(ORVO_TEST_DATA "/desktop/entries/");

// A process that printed `output` and exited with 0.
OrvoKiv::Platform::ProcessResult printed(const QByteArray &output)
{
    return {true, false, 0, output};
}

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
    void initTestCase() { m_override.emplace(m_backend); }
    void init()
    {
        m_backend.platformConventions = OrvoKiv::Platform::Conventions::posix();
        m_backend.platformConventions.desktopEntryDir = entriesDir;
        m_backend.platformConventions.iconThemeDir = QStringLiteral(ORVO_TEST_DATA "/desktop/icons");
        m_backend.platformConventions.pixmapDir = QStringLiteral(ORVO_TEST_DATA "/desktop/pixmaps");
        QDir(images()).removeRecursively();
        QVERIFY(QDir().mkpath(images()));
        QCoreApplication::instance()->setProperty("globalUserAppImage", images());
        m_backend.calls.clear();
        m_backend.runs.clear();
    }
    void entries_data() { addTsvRows(QStringLiteral("desktop/entries.tsv"), {"case", "file", "app", "why"}); }

    void entries()
    {
        const QString path = entriesDir + tsvField("file") + QStringLiteral(".desktop");
        const QStringList r = tsvField("app").split(QLatin1Char('|')); // appName|name|appPath|image file, empty: dropped

        OrvoKiv::LookupTrace trace;
        const QJsonObject app{{"appGroup", "linux_third"}, {"appName", r[0]}, {"enName", r[0]}, {"name", r.value(1)}, {"appPath", r.value(2)},
                              {"image", images() + r.value(3)}};
        QCOMPARE(ZRWinAppUtils::getLinuxKylinAppInfo({path}), r[0].isEmpty() ? QJsonArray() : QJsonArray{app});
        QVERIFY(r[0].isEmpty() || QFileInfo::exists(images() + r[3]));
        const QStringList verdict = trace.takeLines().filter(path + QStringLiteral(": "));
        QCOMPARE(verdict.size(), 1);
        QVERIFY2(verdict.first().contains(tsvField("why")), qPrintable(verdict.first()));
    }

    void listing()
    {
        m_backend.runs.insert(QStringLiteral("ls"), printed("b.desktop\nkylin-calc.desktop\nukui-x.desktop\nUninstall.desktop\nuninstall-y.desktop\n"
                                                        "mvp.desktop\nMVP.desktop\nOrvoCenter.desktop\nOrvoSmartScreenPro.desktop\nnotes.txt\n\nz.desktop\n"));
        OrvoKiv::LookupTrace trace;
        for (int i = 0; i < 4; ++i)
            QTest::ignoreMessage(QtDebugMsg, "ZRWinAppUtils::getLinuxKylinAppInfo \"No such file or directory\"");
        QVERIFY(ZRWinAppUtils::linuxKylinAppLinks().isEmpty());
        QCOMPARE(m_backend.calls, QStringList{QStringLiteral("run ls|") + entriesDir + QStringLiteral("|~30000")});
        QStringList opened;
        for (const QString &line : trace.takeLines().filter(QStringLiteral("cannot read it")))
            opened << line.section(QLatin1Char(':'), 0, 0).mid(entriesDir.size());
        QCOMPARE(opened, (QStringList{"b.desktop", "Uninstall.desktop", "MVP.desktop", "z.desktop"}));
    }
    void icons_data()
    {
        addTsvRows(QStringLiteral("desktop/icons.tsv"), {"case", "icon", "theme", "pixmaps", "copies", "result", "processes"});
    }

    void icons()
    {
        const OrvoKiv::Platform::Conventions &c = m_backend.platformConventions;
        const auto output = [](const QString &lines) { return lines.isEmpty() ? QByteArray() : lines.toUtf8().replace(';', '\n') + '\n'; };
        m_backend.runs = {{"find " + c.iconThemeDir, printed(output(tsvField("theme")))},
                          {"find " + c.pixmapDir, printed(output(tsvField("pixmaps")))},
                          {"cp", printed(QByteArray())}};
        for (const QString &name : tsvField("copies").split(' ', Qt::SkipEmptyParts))
            QVERIFY(QFile(images() + name).open(QIODevice::WriteOnly));
        const auto expand = [&](QString text) { return text.replace("{F}", images()).replace("{I}", c.iconThemeDir).replace("{P}", c.pixmapDir); };

        QCOMPARE(ZRWinAppUtils::getLinuxKylinAppIcon(tsvField("icon")), expand(tsvField("result")));
        QCOMPARE(m_backend.calls.join(' '), expand(tsvField("processes")));
    }

    void hostileIconsStayArguments()
    {
        // Real find and cp, working folder and theme inside the temporary folder.
        const QString root = m_temp.path(), folder = images();
        for (const char *dir : {"/work", "/theme/48x48", "/pix"})
            QVERIFY(QDir().mkpath(root + dir));
        for (const char *file : {"/theme/48x48/app.png", "/secret.png"})
            QVERIFY(QFile(root + file).open(QIODevice::WriteOnly));
        m_backend.platformConventions.iconThemeDir = root + QStringLiteral("/theme");
        m_backend.platformConventions.pixmapDir = root + QStringLiteral("/pix");
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
        for (const QString &process : qAsConst(m_backend.calls)) {
            const QStringList parts = process.split('|');
            QCOMPARE(parts.size(), 5);
            QVERIFY(parts.first() == "run cp" ? parts.at(1) == "--" && parts.at(3) == folder : parts.at(2) == "-name");
        }
        QVERIFY(m_backend.calls.contains(QStringLiteral("run find|%1/theme|-name|app -o -fprint X.png|~30000").arg(root)));
    }

    void secondScanStartsNoFind()
    {
        const QJsonArray first = ZRWinAppUtils::linuxKylinAppLinks();
        QCOMPARE(first.size(), 4);
        const QStringList firstRun = m_backend.calls;
        m_backend.calls.clear();
        QCOMPARE(ZRWinAppUtils::linuxKylinAppLinks(), first);
        QCOMPARE(m_backend.calls.filter(QRegularExpression("^run ls\\|")).size(), 1);
        // Icons never found are searched again; copied ones are not.
        for (const char *copied : {"|qalculate.png", "|pixonly.png", "|tiny.png"}) {
            QVERIFY(!firstRun.filter(QLatin1String(copied)).isEmpty());
            QVERIFY(m_backend.calls.filter(QLatin1String(copied)).isEmpty());
        }
    }

private:
    QString images() const { return m_temp.path() + QStringLiteral("/images/"); }
    FakeBackend m_backend;
    std::optional<OrvoKiv::Platform::ScopedBackendOverride> m_override;
    QTemporaryDir m_temp;
};

QTEST_GUILESS_MAIN(tst_KylinScan)
#include "tst_kylinscan.moc"
