#ifndef ORVO_TESTS_SCANMACHINE_H
#define ORVO_TESTS_SCANMACHINE_H

#include "zrwinapputils.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// A Windows machine for the installed-program scan, laid out in a temporary folder: the user's
// home (Start menu and desktop), the public desktop and Office folder as the relative Windows
// literals resolve from the current directory, an all-users Start menu, program files, and an
// uninstall registry. Symbolic links named *.lnk stand in for shortcut files.
class ScanMachine
{
public:
    bool setUp()
    {
        if (!m_dir.isValid())
            return false;
        qputenv("HOME", QFile::encodeName(m_dir.path()));
        QStandardPaths::setTestModeEnabled(true);
        qputenv("ORVO_REGISTRY", QFile::encodeName(path(QStringLiteral("registry"))));
        clear();
        return QDir::setCurrent(m_dir.path());
    }

    // Empties every shortcut folder, program and registry file.
    void clear()
    {
        for (const QString &folder : {userStartMenu(), userDesktop(), publicDesktop(), commonStartMenu(),
                                      path(QStringLiteral("programs")), path(QStringLiteral("C:/Program Files")),
                                      path(QStringLiteral("registry"))}) {
            QDir(folder).removeRecursively();
            QDir().mkpath(folder);
        }
    }

    QString userStartMenu() const { return QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation).value(0); }
    QString userDesktop() const { return QStandardPaths::standardLocations(QStandardPaths::DesktopLocation).value(0); }
    QString publicDesktop() const { return path(QStringLiteral("C:/Users/Public/Desktop")); }
    QString commonStartMenu() const { return path(QStringLiteral("common/Programs")); }

    QString root() const { return m_dir.path(); }
    QString path(const QString &relative) const { return m_dir.filePath(relative); }

    // Creates an (empty) file, relative to the machine folder or absolute.
    bool touch(const QString &file) const
    {
        QDir().mkpath(QFileInfo(QDir(root()), file).path());
        QFile f(QFileInfo(QDir(root()), file).filePath());
        return f.open(QIODevice::WriteOnly);
    }

    // A shortcut `name`.lnk in `folder` pointing to `target` (which need not exist).
    static bool link(const QString &folder, const QString &name, const QString &target)
    {
        QDir().mkpath(folder);
        return QFile::link(target, folder + QLatin1Char('/') + name);
    }

    // Replaces everything with one all-users shortcut per name, each to an existing program.
    bool installShortcuts(const QStringList &names)
    {
        clear();
        for (const QString &name : names) {
            const QString exe = QStringLiteral("programs/") + name + QStringLiteral(".exe");
            if (!touch(exe) || !link(commonStartMenu(), name + QStringLiteral(".lnk"), path(exe)))
                return false;
        }
        return true;
    }

    // Scans with one shortcut per name; the record names in result order.
    QStringList scanShortcuts(const QStringList &names)
    {
        if (!installShortcuts(names))
            return {QStringLiteral("set-up failed")};
        QStringList found;
        for (const QJsonValue &record : ZRWinAppUtils::appInstallInSystem())
            found << record.toObject().value(QLatin1String("name")).toString();
        return found;
    }

    // The uninstall keys: `body` follows the export header, with @ROOT@ for the folder.
    bool setRegistry(const QByteArray &body) const
    {
        QFile reg(path(QStringLiteral("registry/uninstall.reg")));
        return reg.open(QIODevice::WriteOnly)
            && reg.write("Windows Registry Editor Version 5.00\r\n\r\n" + QByteArray(body).replace("@ROOT@", root().toUtf8())) > 0;
    }

private:
    QTemporaryDir m_dir;
};

#endif
