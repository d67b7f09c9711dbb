#ifndef ZRUSERINFO_H
#define ZRUSERINFO_H

#include "orvopublicdata_export.h"

#include <QJsonObject>
#include <QObject>
#include <QString>

// The signed-in user's account for the whole process. The one instance exists from library
// load on; it is written by the host's GUI thread and takes no lock.
class ORVOPUBLICDATA_EXPORT ZRUserInfo : public QObject
{
    Q_OBJECT

public:
    static ZRUserInfo *instance;
    static ZRUserInfo *getInstance();

    // An empty account with `loginState` false is the sign-out.
    void setUserInfo(QJsonObject account, bool loginState);
    void setLoginWindowVisibleState(bool visible);

    bool getLoginState();
    bool isLoginWindowVisible();
    QJsonObject getUserInfo();
    QString getuid();
    QString getsubjectName();
    QString getgradeName();
    QString getsubjectGrade();
    QString gettoken();
    QString getsubjectID();
    QString getrealName();
    QString getuserName();
    QString getuserAvatar();
    QString geth4token();
    QString getexecuteStyle();
    QString getimsign();
    QString gettcSignature();
    QString getusertype();
    QString getKaloToken();

protected:
    explicit ZRUserInfo(QObject *parent = nullptr);

private:
    void initUserInfo(QJsonObject account);

    bool m_loginState;
    bool m_loginWindowVisible;
    QJsonObject m_userInfo;
    QString m_uid;
    QString m_subjectName;
    QString m_gradeName;
    QString m_subjectGrade;
    QString m_token;
    QString m_subjectID;
    QString m_realName;
    QString m_userName;
    QString m_userAvatar;
    QString m_h4token;
    QString m_usertoken;
    QString m_executeStyle;
    QString m_imsign;
    QString m_tcSignature;
    QString m_usertype;
    QString m_kaloToken;
};

#endif // ZRUSERINFO_H
