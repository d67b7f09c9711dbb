#ifndef ZRWINAPPUTILS_H
#define ZRWINAPPUTILS_H

#include "orvopublicdata_export.h"

#include <QJsonArray>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

// Finds the programs installed on the machine besides the suite's own. Every working member is
// static and reentrant, apart from appInstallInSystem(), which must not run twice at once.
class ORVOPUBLICDATA_EXPORT ZRWinAppUtils : public QObject
{
    Q_OBJECT

public:
    explicit ZRWinAppUtils(QObject *parent = nullptr);
    ~ZRWinAppUtils() override;

    // App records of the installed programs, from shortcuts and uninstall keys, in display order.
    static QJsonArray appInstallInSystem();

    // Shortcut name -> target, from the user's and all users' Start menus and desktops.
    static QMap<QString, QString> winAppLinks();
    // Adds the ".lnk" shortcuts of `folder` and its sub-folders to `links`; returns a copy.
    static QMap<QString, QString> allLinkFilesInDir(QString folder, QMap<QString, QString> &links);
    // Appends the click-to-run Office programs when no Office program is listed yet.
    static void handleOffice(QStringList &entries);

    // Kylin Linux: "linux_third" app records of the desktop entries of the system's applications
    // folder, in listing order, each icon copied into the "globalUserAppImage" folder. Blocks
    // while "ls", "find" and "cp" run (up to 30 s each): call it away from the GUI thread.
    static QJsonArray linuxKylinAppLinks();
    // The records of the given desktop entries that qualify, in the given order.
    static QJsonArray getLinuxKylinAppInfo(QStringList paths);
    // The copy of an icon (a theme icon name or a file path) in the image folder, or empty.
    static QString getLinuxKylinAppIcon(QString icon);
    // Copies an icon file into the image folder (again on every call); returns the copy's path.
    static QString produceAppIcoToConfig(QString path);
};

#endif // ZRWINAPPUTILS_H
