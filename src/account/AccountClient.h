#pragma once

#include "AccountRecords.h"
#include "ClientConfig.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

namespace BrioAccount {

class ApiClient;
class AuthClient;

// The account service: profile and account deletion, registered devices, and the user's group
// with its members and invitations. Every callback may be empty.
class AccountClient : public QObject
{
    Q_OBJECT

public:
    AccountClient(ApiClient *api, AuthClient *authClient, const ClientConfig &config,
                  QObject *parent = nullptr);

    void getProfile(std::function<void(Profile)> callback);
    void deleteAccount(std::function<void(bool)> callback);
    void getDevices(std::function<void(QList<Device>)> callback);
    void registerDevice();
    // The optional callbacks of the operations below learn whether the service agreed.
    void removeDevice(const QString &deviceId, std::function<void(bool)> callback = nullptr);
    void getGroup(std::function<void(Group)> callback);
    void generateInviteCode(std::function<void(GroupInvitation)> callback);
    void inviteByEmail(const QString &email, std::function<void(GroupInvitation)> callback);
    void joinGroup(const QString &inviteCode, std::function<void(bool)> callback);
    void leaveGroup(std::function<void(bool)> callback = nullptr);
    void removeMember(const QString &memberId, std::function<void(bool)> callback = nullptr);
    void revokeInvitation(const QString &invitationId, std::function<void(bool)> callback = nullptr);

    QString applicationName() const { return m_applicationName; }
    QString accountPortalUrl() const { return m_accountPortalUrl; }

signals:
    void groupChanged();

private:
    void postInvitation(const QJsonObject &body, std::function<void(GroupInvitation)> callback);
    void afterGroupMembershipChange();

    ApiClient *m_api = nullptr;
    AuthClient *m_authClient = nullptr;
    QString m_applicationId;
    QString m_applicationName;
    QString m_applicationVersion;
    QString m_accountPortalUrl;
};

} // namespace BrioAccount
