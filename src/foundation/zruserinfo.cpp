#include "zruserinfo.h"

namespace {

QString stringMember(const QJsonObject &account, QLatin1String key)
{
    return account.value(key).toString();
}

// Accounts from older login services spell some keys differently.
QString stringMember(const QJsonObject &account, QLatin1String key, QLatin1String fallbackKey)
{
    return stringMember(account, account.contains(key) ? key : fallbackKey);
}

} // namespace

ZRUserInfo::ZRUserInfo(QObject *parent)
    : QObject(parent)
    , m_loginState(false)
    , m_loginWindowVisible(false)
{
    initUserInfo(QJsonObject());
}

ZRUserInfo *ZRUserInfo::getInstance()
{
    return instance;
}

void ZRUserInfo::setUserInfo(QJsonObject account, bool loginState)
{
    m_loginState = loginState;
    if (loginState)
        m_loginWindowVisible = false;
    initUserInfo(std::move(account));
}

void ZRUserInfo::setLoginWindowVisibleState(bool visible)
{
    m_loginWindowVisible = visible;
}

void ZRUserInfo::initUserInfo(QJsonObject account)
{
    if (account.isEmpty()) {
        m_userInfo = QJsonObject();
        for (QString *field : {&m_uid, &m_subjectName, &m_gradeName, &m_subjectGrade, &m_token,
                               &m_subjectID, &m_realName, &m_userName, &m_userAvatar, &m_h4token,
                               &m_kaloToken, &m_executeStyle, &m_usertoken, &m_imsign,
                               &m_tcSignature, &m_usertype}) {
            field->clear();
        }
        return;
    }

    m_userInfo = account;
    m_uid = stringMember(account, QLatin1String("uid"));
    m_subjectName = stringMember(account, QLatin1String("subjectName"), QLatin1String("subject"));
    m_gradeName = stringMember(account, QLatin1String("gradeName"), QLatin1String("grade"));
    m_subjectGrade = stringMember(account, QLatin1String("subjectGrade"), QLatin1String("gradesub"));
    m_token = stringMember(account, QLatin1String("token"));
    m_subjectID = stringMember(account, QLatin1String("subjectID"), QLatin1String("subjectid"));
    // A partial account update may leave out the names; keep what we had.
    if (account.contains(QLatin1String("realname")))
        m_realName = stringMember(account, QLatin1String("realname"));
    if (account.contains(QLatin1String("userName")))
        m_userName = stringMember(account, QLatin1String("userName"));
    m_userAvatar = stringMember(account, QLatin1String("userAvatar"), QLatin1String("avatar"));
    m_h4token = stringMember(account, QLatin1String("h4token"));
    m_kaloToken = stringMember(account, QLatin1String("KaloToken"));
    m_executeStyle = stringMember(account, QLatin1String("executeStyle"));
    m_usertoken = stringMember(account, QLatin1String("usertoken"));
    m_imsign = stringMember(account, QLatin1String("imsign"));
    m_tcSignature = stringMember(account, QLatin1String("tcSignature"));
    m_usertype = stringMember(account, QLatin1String("usertype"));
}

bool ZRUserInfo::getLoginState() { return m_loginState; }
bool ZRUserInfo::isLoginWindowVisible() { return m_loginWindowVisible; }
QJsonObject ZRUserInfo::getUserInfo() { return m_userInfo; }
QString ZRUserInfo::getuid() { return m_uid; }
QString ZRUserInfo::getsubjectName() { return m_subjectName; }
QString ZRUserInfo::getgradeName() { return m_gradeName; }
QString ZRUserInfo::getsubjectGrade() { return m_subjectGrade; }
QString ZRUserInfo::gettoken() { return m_token; }
QString ZRUserInfo::getsubjectID() { return m_subjectID; }
QString ZRUserInfo::getrealName() { return m_realName; }
QString ZRUserInfo::getuserName() { return m_userName; }
QString ZRUserInfo::getuserAvatar() { return m_userAvatar; }
QString ZRUserInfo::geth4token() { return m_h4token; }
QString ZRUserInfo::getexecuteStyle() { return m_executeStyle; }
QString ZRUserInfo::getimsign() { return m_imsign; }
QString ZRUserInfo::gettcSignature() { return m_tcSignature; }
QString ZRUserInfo::getusertype() { return m_usertype; }
QString ZRUserInfo::getKaloToken() { return m_kaloToken; }
