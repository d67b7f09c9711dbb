#include "zrpublicdata.h"

#include "orvolog_p.h"

template struct OrvoKiv::Singleton<ZRPublicData>;

namespace {

struct PaletteEntry
{
    const char *name;
    const char *first;
    const char *second;
};

constexpr PaletteEntry palette[] = {
    {"black", "#000000", "#000000"},
    {"white", "#ffffff", "#ffffff"},
    {"red", "#fe1d11", "#ff1000"},
    {"yellow", "#fcf600", "#ffc510"},
    {"green", "#19df0e", "#66d552"},
    {"blue", "#179dfe", "#326ed9"},
};

// A name outside the palette goes to Qt's colour parser unchanged.
QColor paletteColor(const char *name, bool firstVariant)
{
    for (const PaletteEntry &entry : palette) {
        if (qstrcmp(entry.name, name) == 0)
            return QColor(QLatin1String(firstVariant ? entry.first : entry.second));
    }
    return QColor(QLatin1String(name));
}

} // namespace

ZRPublicData::ZRPublicData()
    : m_defaultColor(paletteColor("white", true))
    , m_appName(QStringLiteral("OrvoKiv6"))
    , m_scaleFactor(1.0)
    , m_bootWithFile(false)
    , m_iipVersion(2021)
    , m_supportDoubleScreen(false)
    , m_pptStartApp(false)
    , m_pptShowing(false)
    , m_orvoScreen(false)
    , m_forcingLogin(false)
    , m_exitAppByLoginWindowClose(false)
    , m_inAddDodiDuvu(false)
    , m_skipLogin(false)
    , m_startPrepareMode(false)
    , m_fullscreenPlay(false)
    , m_toolBarStatus(ToolBarStatusNone)
    , m_indexBarVisible(false)
    , m_toolbarOrientation(Qt::Vertical)
    , m_areaRecognition(false)
    , m_usageTips(false)
    , m_multiFingerWriting(false)
    , m_supportPenSwitch(false)
    , m_appAnnOpened(false)
{
}

ZRPublicData::~ZRPublicData() = default;

QString ZRPublicData::getAppName() { return m_appName; }

void ZRPublicData::setAppName(QString name)
{
    m_appName = std::move(name);
    orvoDebug() << "ZRPublicData::setAppName" << m_appName;
}

double ZRPublicData::getScaleFactor() { return m_scaleFactor; }
void ZRPublicData::setScaleFactor(double factor) { m_scaleFactor = factor; }
bool ZRPublicData::isBootWithFile() { return m_bootWithFile; }
void ZRPublicData::setIsBootWithFile(bool on) { m_bootWithFile = on; }
QString ZRPublicData::getCurLanguage() { return m_curLanguage; }
void ZRPublicData::setCurLanguage(QString language) { m_curLanguage = std::move(language); }
int ZRPublicData::getIIPVersion() { return m_iipVersion; }
void ZRPublicData::setIIPVersion(int version) { m_iipVersion = version; }
bool ZRPublicData::isSupportDoubleScreen() { return m_supportDoubleScreen; }
void ZRPublicData::setSupportDoubleScreen(bool on) { m_supportDoubleScreen = on; }
bool ZRPublicData::isPPTStartApp() { return m_pptStartApp; }
void ZRPublicData::setPPTStartApp(bool on) { m_pptStartApp = on; }
bool ZRPublicData::isPPTShowing() { return m_pptShowing; }
void ZRPublicData::setPPTShowing(bool on) { m_pptShowing = on; }
bool ZRPublicData::isOrvoScreen() { return m_orvoScreen; }
void ZRPublicData::setIsOrvoScreen(bool on) { m_orvoScreen = on; }
bool ZRPublicData::isForcingLogin() { return m_forcingLogin; }
void ZRPublicData::setForcingLogin(bool on) { m_forcingLogin = on; }
bool ZRPublicData::isExitAppByLoginWindowClose() { return m_exitAppByLoginWindowClose; }
void ZRPublicData::setExitAppByLoginWindowClose(bool on) { m_exitAppByLoginWindowClose = on; }
bool ZRPublicData::isInAddDodiDuvu() { return m_inAddDodiDuvu; }
void ZRPublicData::setIsInAddDodiDuvu(bool on) { m_inAddDodiDuvu = on; }
bool ZRPublicData::isSkipLogin() { return m_skipLogin; }
void ZRPublicData::setIsSkipLogin(bool on) { m_skipLogin = on; }
bool ZRPublicData::isStartPrepareMode() { return m_startPrepareMode; }
void ZRPublicData::setStartPrepareMode(bool on) { m_startPrepareMode = on; }
bool ZRPublicData::isFullscreenPlay() { return m_fullscreenPlay; }
void ZRPublicData::setFullscreenPlay(bool on) { m_fullscreenPlay = on; }
ToolBarStatus ZRPublicData::curToolBarStatus() { return m_toolBarStatus; }
void ZRPublicData::setToolBarStatus(ToolBarStatus status) { m_toolBarStatus = status; }
bool ZRPublicData::curIndexBarVisible() { return m_indexBarVisible; }
void ZRPublicData::setIndexBarVisible(bool visible) { m_indexBarVisible = visible; }
Qt::Orientation ZRPublicData::toolbarOrientation() const { return m_toolbarOrientation; }
void ZRPublicData::setToolbarOrientation(Qt::Orientation orientation) { m_toolbarOrientation = orientation; }
bool ZRPublicData::isArearecognition() const { return m_areaRecognition; }
void ZRPublicData::setArearecognition(bool on) { m_areaRecognition = on; }
bool ZRPublicData::isUsageTips() const { return m_usageTips; }
void ZRPublicData::setUsageTips(bool on) { m_usageTips = on; }
bool ZRPublicData::isMultiFingerWriting() const { return m_multiFingerWriting; }
void ZRPublicData::setMultiFingerWriting(bool on) { m_multiFingerWriting = on; }
QString ZRPublicData::blackboardColor() { return m_blackboardColor; }
void ZRPublicData::setBlackboardColor(const QString &color) { m_blackboardColor = color; }
QStringList ZRPublicData::lstColor() { return m_colors; }
void ZRPublicData::setlstColor(const QStringList &colors) { m_colors = colors; }
bool ZRPublicData::isSupportPenSwitch() const { return m_supportPenSwitch; }
void ZRPublicData::setIsSupportPenSwitch(bool on) { m_supportPenSwitch = on; }
bool ZRPublicData::isAppAnnOpened() { return m_appAnnOpened; }
void ZRPublicData::setAppAnnOPenState(bool open) { m_appAnnOpened = open; }
QMap<QString, toolinfo> ZRPublicData::getTeachingToolsInfo() { return m_teachingTools; }
void ZRPublicData::setTeachingToolsInfo(QMap<QString, toolinfo> &tools) { m_teachingTools = tools; }

void ZRPublicData::reset()
{
    m_iSetting6 = 1;
    m_toolbarOrientation = Qt::Vertical;
    m_fullscreenPlay = false;
    m_indexBarVisible = false;
    m_toolBarStatus = ToolBarStatusNone;
    m_bootWithFile = false;
    m_exitAppByLoginWindowClose = false;
}
