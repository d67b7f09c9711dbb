#ifndef ORVO_TESTS_CLASSROOM_H
#define ORVO_TESTS_CLASSROOM_H

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// A classroom machine in a temporary folder: the registry of tests/data/catalogue/machine.reg.in
// with its paths pointing into the folder, and the program files it names. The last two programs
// are only found through tst_appsection's extra registry export and working directory.
class Classroom
{
public:
    bool setUp()
    {
        const QString programs = QString::fromUtf8("kiv6/OrvoKiv6.exe shelled/start.exe banban/start.exe toolkit/OrvoOneInClass.exe "
                                                   "rclass/corlan.exe dclass/101.exe eval/ClassEvaluationPro.exe dunmore/class.exe "
                                                   "tamberly/board.exe wpp/wpp.exe third/tool.exe kalo/OrvoKalo班班.exe ghost.exe");
        for (const QString &file : programs.split(QLatin1Char(' '))) {
            if (!m_dir.isValid() || !QDir().mkpath(QFileInfo(path(file)).path()) || !QFile(path(file)).open(QIODevice::WriteOnly))
                return false;
        }
        qputenv("ORVO_REGISTRY", QFile::encodeName(path(QStringLiteral("registry"))));
        return copy(QStringLiteral("catalogue/machine.reg.in"), QStringLiteral("registry/10-machine.reg"));
    }

    // Registers a fixture as the envDir catalogue.
    bool installCatalogue(const QString &fixture)
    {
        QDir::setSearchPaths(QStringLiteral("envDir"), {path(QStringLiteral("env/"))});
        return copy(fixture, QStringLiteral("env/defconfigs/orvoApps.ini"));
    }

    // A fixture under tests/data, "@ROOT@" standing for the folder and "@DATA@" for tests/data.
    QByteArray fixture(const QString &name) const
    {
        QFile in(QStringLiteral(ORVO_TEST_DATA "/") + name);
        if (!in.open(QIODevice::ReadOnly))
            QTest::qFail(qPrintable(name), __FILE__, __LINE__);
        return in.readAll().replace("@ROOT@", root().toUtf8()).replace("@DATA@", ORVO_TEST_DATA);
    }

    // Copies a fixture into the folder. Registry exports named after 10-machine.reg are read
    // after it, so their values win.
    bool copy(const QString &fixture, const QString &to)
    {
        QFile out(path(to));
        return QDir().mkpath(QFileInfo(out).path()) && out.open(QIODevice::WriteOnly) && out.write(this->fixture(fixture)) > 0;
    }

    QString root() const { return m_dir.path(); }
    QString path(const QString &relative) const { return m_dir.filePath(relative); }

private:
    QTemporaryDir m_dir;
};

#endif
