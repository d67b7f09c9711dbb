#include "zrcommonutils.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The sample environment's compiled translations in a scratch "envDir" holding only the files a
// case names.
class tst_LanguageSwitch : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void chosenFile_data();
    void chosenFile();
    void oneTranslatorAtATime();

private:
    void provide(const QStringList &files);
    static QString languageName() { return QCoreApplication::translate("Language", "language"); }

    QScopedPointer<QTemporaryDir> m_env;
};

void tst_LanguageSwitch::init()
{
    m_env.reset(new QTemporaryDir);
    QVERIFY(QDir(m_env->path()).mkdir(QStringLiteral("translations")));
    QDir::setSearchPaths(QStringLiteral("envDir"), {m_env->path()});
}

// Copies compiled files, "A.qm" or "A.qm=B.qm" to give A's content the name B.
void tst_LanguageSwitch::provide(const QStringList &files)
{
    for (const QString &file : files) {
        const QString from = file.section(QLatin1Char('='), 0, 0);
        const QString to = file.section(QLatin1Char('='), -1);
        QVERIFY2(QFile::copy(QStringLiteral(ORVO_TEST_TRANSLATIONS "/") + from,
                             m_env->path() + QStringLiteral("/translations/") + to),
                 qPrintable(from));
    }
}

void tst_LanguageSwitch::chosenFile_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("expected");
    const QStringList both = {QStringLiteral("OrvoKiv6_zh_CN.qm"), QStringLiteral("OrvoKiv6_en_US.qm")};
    QTest::newRow("en_US present") << both << "OrvoKiv6" << "en_US" << "English";
    QTest::newRow("zh_CN asked") << both << "OrvoKiv6" << "zh_CN" << "简体中文";
    QTest::newRow("only zh_CN: falls back")
        << QStringList{QStringLiteral("OrvoKiv6_zh_CN.qm")} << "OrvoKiv6" << "en_US" << "简体中文";
    QTest::newRow("unknown code falls back") << both << "OrvoKiv6" << "fr_FR" << "简体中文";
    QTest::newRow("empty code: name_.qm first")
        << QStringList{QStringLiteral("OrvoKiv6_en_US.qm=OrvoKiv6_.qm"), QStringLiteral("OrvoKiv6_zh_CN.qm")}
        << "OrvoKiv6" << "" << "English";
    QTest::newRow("empty code, no name_.qm") << both << "OrvoKiv6" << "" << "简体中文";
    QTest::newRow("another application's files") << both << "OrvoPepBook" << "en_US" << "language";
    QTest::newRow("no fallback file: untranslated") << QStringList() << "OrvoKiv6" << "en_US" << "language";
}

void tst_LanguageSwitch::chosenFile()
{
    QFETCH(QStringList, files);
    QFETCH(QString, name);
    QFETCH(QString, language);
    QFETCH(QString, expected);
    provide(files);
    ZRCommonUtils::switchLanguage(name, language);
    QCOMPARE(languageName(), expected);
}

// The second call's empty translator would leave the first answering if it were not removed.
void tst_LanguageSwitch::oneTranslatorAtATime()
{
    provide({QStringLiteral("OrvoKiv6_en_US.qm"), QStringLiteral("OrvoPepBook_zh_CN.qm")});
    ZRCommonUtils::switchLanguage(QStringLiteral("OrvoKiv6"), QStringLiteral("en_US"));
    QCOMPARE(languageName(), QStringLiteral("English"));
    ZRCommonUtils::switchLanguage(QStringLiteral("Missing"), QStringLiteral("en_US"));
    QCOMPARE(languageName(), QStringLiteral("language"));
    ZRCommonUtils::switchLanguage(QStringLiteral("OrvoPepBook"), QStringLiteral("de_DE"));
    QCOMPARE(QCoreApplication::translate("OrvoPepBook", "Open"), QStringLiteral("打开课本"));
    QCOMPARE(QCoreApplication::translate("OrvoKiv6", "Open"), QStringLiteral("Open"));
}

QTEST_GUILESS_MAIN(tst_LanguageSwitch)
#include "tst_languageswitch.moc"
