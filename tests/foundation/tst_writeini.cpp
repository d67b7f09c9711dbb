#include "zrcommonutils.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>
#include <vector>

class tst_WriteIni : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void createsFileWithKey_data();
    void createsFileWithKey();
    void writesAtOnceBesideOtherKeys();
    void concurrentWritersLoseNothing();

private:
    QTemporaryDir m_dir;
};

void tst_WriteIni::createsFileWithKey_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("name");

    QTest::newRow("general section") << "puid" << "" << "puid";
    QTest::newRow("group/name") << "startup/puid" << "startup" << "puid";
}

void tst_WriteIni::createsFileWithKey()
{
    QFETCH(QString, key);
    QFETCH(QString, group);
    QFETCH(QString, name);
    const QString file = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".ini"));
    QVERIFY(!QFile::exists(file));

    ZRCommonUtils::writeIni(file, key, QString::fromUtf8("值 1"));

    QSettings settings(file, QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    settings.beginGroup(group);
    QCOMPARE(settings.childKeys(), QStringList{name});
    QCOMPARE(settings.value(name).toString(), QString::fromUtf8("值 1"));
}

void tst_WriteIni::writesAtOnceBesideOtherKeys()
{
    const QString file = m_dir.filePath(QStringLiteral("existing.ini"));
    ZRCommonUtils::writeIni(file, QStringLiteral("a/x"), QStringLiteral("1"));
    ZRCommonUtils::writeIni(file, QStringLiteral("a/y"), QStringLiteral("2"));
    ZRCommonUtils::writeIni(file, QStringLiteral("a/x"), QStringLiteral("3"));
    QFile raw(file);
    QVERIFY(raw.open(QIODevice::ReadOnly));
    const QByteArray text = raw.readAll();
    QVERIFY2(text.contains("x=3") && text.contains("y=2") && !text.contains("x=1"), text.constData());
}

// Each thread writes its own keys into one file; the mutex must serialise whole
// read-modify-write cycles or keys written by other threads are lost.
void tst_WriteIni::concurrentWritersLoseNothing()
{
    const QString file = m_dir.filePath(QStringLiteral("contended.ini"));
    constexpr int threads = 8;
    constexpr int keysPerThread = 200;

    std::vector<std::unique_ptr<QThread>> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back(QThread::create([file, t] {
            for (int k = 0; k < keysPerThread; ++k) {
                ZRCommonUtils::writeIni(file, QStringLiteral("t%1/k%2").arg(t).arg(k),
                                        QString::number(t * 1000 + k));
            }
        }));
        workers.back()->start();
    }
    for (auto &worker : workers)
        QVERIFY(worker->wait(120000));

    QSettings settings(file, QSettings::IniFormat);
    QCOMPARE(settings.allKeys().size(), threads * keysPerThread);
    for (int t = 0; t < threads; ++t) {
        for (int k = 0; k < keysPerThread; ++k)
            QCOMPARE(settings.value(QStringLiteral("t%1/k%2").arg(t).arg(k)).toInt(), t * 1000 + k);
    }
}

QTEST_GUILESS_MAIN(tst_WriteIni)
#include "tst_writeini.moc"
