#ifndef ZRCOMMONUTILS_H
#define ZRCOMMONUTILS_H

#include "orvopublicdata_export.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QRect>
#include <QSize>
#include <QString>

#include <string>

class QPixmap;
// The window handle of <windows.h> (STRICT), declared as Qt's qwindowdefs_win.h does. Other
// systems get the same opaque pointer type, holding the X11 window id, so host code that keeps,
// compares or null-tests a handle compiles unchanged; WId(quintptr(handle)) gives the id.
struct HWND__;
typedef HWND__ *HWND;

// The library's stateless utilities. Every function is safe to call from any thread unless its
// documentation says otherwise, and none reports an error: failures give an empty or zero answer.
class ORVOPUBLICDATA_EXPORT ZRCommonUtils
{
public:
    // Application and data directories
    static QString getAppRootDir();
    static QString getDataRootDir();
    static QString getLogRootDir();
    static QString getCrashDumpDir();
    static QString getPirvateConfigFile();
    static QString getNginxUpdateDir();
    static QString getSystemName();

    // INI files
    static void writeIni(QString filePath, QString key, QString value);

    // JSON files
    static QJsonArray getJsonArray(const QString &filePath);
    static QJsonObject getJsonObject(const QString &filePath);
    static void writeJsonArray(const QString &filePath, const QJsonArray &array);
    static void writeJsonObject(const QString &filePath, const QJsonObject &object);
    static void removeValueInJsonArray(QJsonArray &array, const QString &memberName,
                                       const QString &value);

    // Text and number conversions
    static QString ByteArray2String(const QByteArray &bytes, bool spacing);
    static QString ByteArray2StringR(const QByteArray &bytes, bool spacing);
    static QByteArray String2ByteArray(const QString &text, const QString &separator, int base);
    static QString Double2String(double value, int precision, bool rounding);
    static QString getBase64String(const QString &text);
    static QString getStringFromBase64(const QString &base64);
    static QString ipv4ToStr(unsigned int address);
    static unsigned int strToIpv4(const QString &dotted);
    static std::string &trim(std::string &bytes);
    static char getFirstWord(const QString &text);

    // Registry lookups and install paths
    static QString getSoftwareRegeditPath(QString application, QString organisation);
    static QString getSoftwareRegeditShellPath(QString application, QString organisation);
    static QString getSoftwareRegeditCurrentVersion(QString application, QString organisation);
    static QString getExeInstallPath(QString keyPath);
    static QString getDunmoreexeInstallPath(QString uninstallKeyName);
    static QString getTMBexeInstallPath(QString uninstallKeyName);
    static QString getWPPSoftIntallPath(QString keyPath);
    static bool checkAppInstallBySuffix(const QString &suffix);

    // Processes and windows
    static unsigned long GetProcessIDByName(QString name);
    static QString getRunningProcesses();
    static HWND hGetProcessWnd(unsigned long processId);
    static bool checkFullscreenExist();
    static void autoHideTraywndBar(bool hide);
    static bool isSwapMouseButton();

    // Machine identity
    static QString getHostMacAddress();
    static QString getPcGUID();
    static QString getPcUid();

    // Section files: the app records of one section (`group`, `appinfo`, optional `title`)
    static QJsonObject getAppValuesByGroup(QString filePath, QString section);

    // Update check and the local web server
    static bool checkUpdate(bool autoUpdate, const QString &language);
    static bool checkAndCopyNginxServer();
    static bool checkAndInstallNginxServer();
    static void checkNginxIsRunningOrStartIt();
    static bool checkAndCopyNginxContentEditor();
    // Screen metrics and board detection (GUI thread)
    static float getPixsPerMm();
    static float getPixsPerPound();
    static QRect getScreenRect();
    static void getRoundPixmap(QPixmap &picture, QSize size);
    static bool isOrvoScreen();
    static bool isRunHardwareScreen();

    // Language switching (GUI thread)
    static void switchLanguage(const QString &name, const QString &language);
};

#endif // ZRCOMMONUTILS_H
