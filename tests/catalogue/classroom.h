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
    static QStringList programFiles()
    {
        return {QStringLiteral("kiv6/OrvoKiv6.exe"), QStringLiteral("shelled/start.exe"),
                QStringLiteral("banban/start.exe"), QStringLiteral("toolkit/OrvoOneInClass.exe"),
                QStringLiteral("rclass/corlan.exe"), QStringLiteral("dclass/101.exe"),
                QStringLiteral("eval/ClassEvaluationPro.exe"), QStringLiteral("dunmore/class.exe"),
                QStringLiteral("tamberly/board.exe"), QStringLiteral("wpp/wpp.exe"),
                QStringLiteral("third/tool.exe")};
    }

    bool setUp()
    {
        if (!m_dir.isValid())
            return false;
        for (const QString &file : programFiles()) {
            QDir().mkpath(QFileInfo(path(file)).path());
            QFile f(path(file));
            if (!f.open(QIODevice::WriteOnly))
                return false;
        }
        QFile in(QStringLiteral(ORVO_TEST_DATA "/catalogue/machine.reg.in"));
        QDir().mkpath(path(QStringLiteral("registry")));
        QFile out(path(QStringLiteral("registry/10-machine.reg")));
        if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
            return false;
        out.write(in.readAll().replace("@ROOT@", root().toUtf8()));
        out.close();
        qputenv("ORVO_REGISTRY", QFile::encodeName(path(QStringLiteral("registry"))));
        return true;
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
        QDir().mkpath(path(QStringLiteral("env/defconfigs")));
        QFile in(catalogueFile);
        QFile out(path(QStringLiteral("env/defconfigs/orvoApps.ini")));
        if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
            return false;
        out.write(in.readAll().replace("@ROOT@", root().toUtf8()));
        QDir::setSearchPaths(QStringLiteral("envDir"), {path(QStringLiteral("env/"))});
        return true;
    }

    // A record written as JSON text, "@ROOT@" standing for the folder.
    QJsonObject record(const char *json) const
    {
        return QJsonDocument::fromJson(QByteArray(json).replace("@ROOT@", root().toUtf8())).object();
    }

    QString root() const { return m_dir.path(); }
    QString path(const QString &relative) const { return m_dir.filePath(relative); }

private:
    QTemporaryDir m_dir;
};

#endif
