#ifndef ZRPUBLICDATA_H
#define ZRPUBLICDATA_H

#include "orvokivsingleton.h"
#include "orvopublicdata_export.h"

#include <QColor>
#include <QMap>
#include <QString>
#include <QStringList>

// Toolbar states are defined by the host applications; 0 is the start and reset value.
enum ToolBarStatus : int {
    ToolBarStatusNone = 0,
};

// One teaching tool as a host application describes it; the library only stores it.
struct toolinfo
{
    QString id;
    QString name;
    QString enName;
    QString icon;
    QString hoverIcon;
    QString pressedIcon;
    QString disabledIcon;
    QString appPath;
    QString params;
    QString group;
    QString tip;
    QString version;
    QString url;
    QString extra;
    bool enabled = false;
};

class ZRPublicData;
extern template struct ORVOPUBLICDATA_EXPORT OrvoKiv::Singleton<ZRPublicData>;

// Public UI state of the running application, shared by every module of the process.
// Meant for the host's GUI thread: apart from its construction it takes no lock.
class ORVOPUBLICDATA_EXPORT ZRPublicData : public OrvoKiv::Singleton<ZRPublicData>
{
public:
    ~ZRPublicData() override;

    QString getAppName();
    void setAppName(QString name);
    double getScaleFactor();
    void setScaleFactor(double factor);
    bool isBootWithFile();
    void setIsBootWithFile(bool on);
    QString getCurLanguage();
    void setCurLanguage(QString language);
    int getIIPVersion();
    void setIIPVersion(int version);
    bool isSupportDoubleScreen();
    void setSupportDoubleScreen(bool on);
    bool isPPTStartApp();
    void setPPTStartApp(bool on);
    bool isPPTShowing();
    void setPPTShowing(bool on);
    bool isOrvoScreen();
    void setIsOrvoScreen(bool on);
    bool isForcingLogin();
    void setForcingLogin(bool on);
    bool isExitAppByLoginWindowClose();
    void setExitAppByLoginWindowClose(bool on);
    bool isInAddDodiDuvu();
    void setIsInAddDodiDuvu(bool on);
    bool isSkipLogin();
    void setIsSkipLogin(bool on);
    bool isStartPrepareMode();
    void setStartPrepareMode(bool on);
    bool isFullscreenPlay();
    void setFullscreenPlay(bool on);
    ToolBarStatus curToolBarStatus();
    void setToolBarStatus(ToolBarStatus status);
    bool curIndexBarVisible();
    void setIndexBarVisible(bool visible);
    Qt::Orientation toolbarOrientation() const;
    void setToolbarOrientation(Qt::Orientation orientation);
    bool isArearecognition() const;
    void setArearecognition(bool on);
    bool isUsageTips() const;
    void setUsageTips(bool on);
    bool isMultiFingerWriting() const;
    void setMultiFingerWriting(bool on);
    QString blackboardColor();
    void setBlackboardColor(const QString &color);
    QStringList lstColor();
    void setlstColor(const QStringList &colors);
    bool isSupportPenSwitch() const;
    void setIsSupportPenSwitch(bool on);
    bool isAppAnnOpened();
    void setAppAnnOPenState(bool open);
    QMap<QString, toolinfo> getTeachingToolsInfo();
    void setTeachingToolsInfo(QMap<QString, toolinfo> &tools);

    // Returns the per-run UI state (toolbar, index bar, full-screen play, ...) to its start values.
    void reset();

    // Settings that host applications read and write directly; the library only initialises them.
    int m_iSetting1 = 3;
    int m_iSetting2 = 8;
    QColor m_defaultColor;
    float m_fSetting3 = 0.5f;
    int m_iSetting4 = 1;
    int m_iPlain1;
    int m_iPlain2;
    int m_iPlain3;
    int m_iPlain4;
    int m_iSetting5 = 30;
    int m_iSetting6 = 1;

protected:
    ZRPublicData();
    friend struct OrvoKiv::Singleton<ZRPublicData>;

private:
    QString m_appName;
    double m_scaleFactor;
    bool m_bootWithFile;
    QString m_curLanguage;
    int m_iipVersion;
    bool m_supportDoubleScreen;
    bool m_pptStartApp;
    bool m_pptShowing;
    bool m_orvoScreen;
    bool m_forcingLogin;
    bool m_exitAppByLoginWindowClose;
    bool m_inAddDodiDuvu;
    bool m_skipLogin;
    bool m_startPrepareMode;
    bool m_fullscreenPlay;
    ToolBarStatus m_toolBarStatus;
    bool m_indexBarVisible;
    Qt::Orientation m_toolbarOrientation;
    bool m_areaRecognition;
    bool m_usageTips;
    bool m_multiFingerWriting;
    QString m_blackboardColor;
    QStringList m_colors;
    bool m_supportPenSwitch;
    bool m_appAnnOpened;
    QMap<QString, toolinfo> m_teachingTools;
};

#endif // ZRPUBLICDATA_H
