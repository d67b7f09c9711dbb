#ifndef ORVO_TESTS_CLASSROOM_H
#define ORVO_TESTS_CLASSROOM_H

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

// A classroom machine in a temporary folder: the registry of tests/data/catalogue/machine.reg.in
// with its paths pointing into the folder, and the program files it names.
class Classroom
{
public:
    bool setUp()
    {
        const QString programs = QStringLiteral("kiv6/OrvoKiv6.exe shelled/start.exe banban/start.exe toolkit/OrvoOneInClass.exe "
                                                "rclass/corlan.exe dclass/101.exe eval/ClassEvaluationPro.exe dunmore/class.exe "
                                                "tamberly/board.exe wpp/wpp.exe third/tool.exe");
        for (const QString &file : programs.split(QLatin1Char(' '))) {
            if (!m_dir.isValid() || !QDir().mkpath(QFileInfo(path(file)).path()) || !QFile(path(file)).open(QIODevice::WriteOnly))
                return false;
        }
        qputenv("ORVO_REGISTRY", QFile::encodeName(path(QStringLiteral("registry"))));
        return copy(QStringLiteral(ORVO_TEST_DATA "/catalogue/machine.reg.in"), QStringLiteral("registry/10-machine.reg"));
    }

    // Adds an export read after the machine's own, so its values win.
    bool addRegistry(const QByteArray &content)
    {
        QFile out(path(QStringLiteral("registry/20-extra.reg")));
        return out.open(QIODevice::WriteOnly) && out.write(QByteArray(content).replace("@ROOT@", root().toUtf8())) > 0;
    }

    // Registers `catalogueFile` as the envDir catalogue.
    bool installCatalogue(const QString &catalogueFile)
    {
        QDir::setSearchPaths(QStringLiteral("envDir"), {path(QStringLiteral("env/"))});
        return copy(catalogueFile, QStringLiteral("env/defconfigs/orvoApps.ini"));
    }

    // A record written as JSON text, "@ROOT@" standing for the folder.
    QJsonObject record(const char *json) const
    {
        return QJsonDocument::fromJson(QByteArray(json).replace("@ROOT@", root().toUtf8())).object();
    }

    QString root() const { return m_dir.path(); }
    QString path(const QString &relative) const { return m_dir.filePath(relative); }

private:
    // Copies a fixture into the folder, "@ROOT@" standing for the folder.
    bool copy(const QString &from, const QString &to)
    {
        QFile in(from), out(path(to));
        return QDir().mkpath(QFileInfo(out).path()) && in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly)
            && out.write(in.readAll().replace("@ROOT@", root().toUtf8())) >= 0;
    }

    QTemporaryDir m_dir;
};

#endif
