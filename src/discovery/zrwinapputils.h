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
};

#endif // ZRWINAPPUTILS_H
