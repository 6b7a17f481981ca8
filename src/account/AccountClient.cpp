#include "AccountClient.h"

#include "ApiClient.h"
#include "AuthClient.h"
#include "DeviceIdentity.h"

#include <QDebug>
#include <QPointer>

namespace BrioAccount {

namespace {

// A path argument that could name another resource (an empty device id would address the whole
// collection) is refused before anything is sent.
bool refuseUnsafe(const QString &segment, const char *operation)
{
    if (ApiClient::isSafePathSegment(segment))
        return false;
    qWarning() << "AccountClient:" << operation << "refused an unusable path argument";
    return true;
}

// A refused request is answered from the event loop like every other outcome.
void answerFailureLater(QObject *context, const std::function<void(bool)> &callback)
{
    if (!callback)
        return;
    QMetaObject::invokeMethod(
        context, [callback] { callback(false); }, Qt::QueuedConnection);
}

ApiClient::ResponseCallback okOnly(const std::function<void(bool)> &callback)
{
    if (!callback)
        return nullptr;
    return [callback](bool ok, int, const QJsonObject &) { callback(ok); };
}

} // namespace

AccountClient::AccountClient(ApiClient *api, AuthClient *authClient, const ClientConfig &config,
                             QObject *parent)
    : QObject(parent)
    , m_api(api)
    , m_authClient(authClient)
    , m_applicationId(config.applicationId)
    , m_applicationName(config.applicationName)
    , m_applicationVersion(config.applicationVersion)
    , m_accountPortalUrl(config.accountPortalUrl)
{
}

void AccountClient::getProfile(std::function<void(Profile)> callback)
{
    m_api->get(QStringLiteral("/profile"), [callback](bool ok, int, const QJsonObject &body) {
        if (callback)
            callback(ok ? Profile::fromJson(body) : Profile());
    });
}

void AccountClient::deleteAccount(std::function<void(bool)> callback)
{
    m_api->del(QStringLiteral("/profile"), [callback](bool ok, int, const QJsonObject &) {
        if (callback)
            callback(ok);
    });
}

void AccountClient::getDevices(std::function<void(QList<Device>)> callback)
{
    m_api->get(QStringLiteral("/devices"), [callback](bool ok, int, const QJsonObject &body) {
        if (callback)
            callback(ok ? recordsFromJson<Device>(body.value(QLatin1String("devices"))) : QList<Device>());
    });
}

void AccountClient::registerDevice()
{
    const QJsonObject body{
        {QStringLiteral("device_name"), deviceName()},
        {QStringLiteral("platform"), platformName()},
        {QStringLiteral("device_fingerprint"), deviceFingerprint(m_applicationId)},
        {QStringLiteral("app_id"), m_applicationId},
        {QStringLiteral("app_version"), m_applicationVersion},
    };
    m_api->post(QStringLiteral("/devices/register"), body, nullptr);
}

void AccountClient::removeDevice(const QString &deviceId, std::function<void(bool)> callback)
{
    if (refuseUnsafe(deviceId, "removeDevice")) {
        answerFailureLater(this, callback);
        return;
    }
    m_api->del(QStringLiteral("/devices/") + deviceId, okOnly(callback));
}

void AccountClient::getGroup(std::function<void(Group)> callback)
{
    m_api->get(QStringLiteral("/group"), [callback](bool ok, int, const QJsonObject &body) {
        if (callback)
            callback(ok ? Group::fromJson(body) : Group());
    });
}

void AccountClient::postInvitation(const QJsonObject &body, std::function<void(GroupInvitation)> callback)
{
    m_api->post(QStringLiteral("/group/invite"), body, [callback](bool ok, int, const QJsonObject &reply) {
        if (callback)
            callback(ok ? GroupInvitation::fromJson(reply) : GroupInvitation());
    });
}

void AccountClient::generateInviteCode(std::function<void(GroupInvitation)> callback)
{
    postInvitation(QJsonObject(), std::move(callback));
}

void AccountClient::inviteByEmail(const QString &email, std::function<void(GroupInvitation)> callback)
{
    postInvitation(QJsonObject{{QStringLiteral("email"), email}}, std::move(callback));
}

void AccountClient::afterGroupMembershipChange()
{
    // The group claims live in the access token, so a new one is asked for at once.
    m_authClient->refreshToken(nullptr);
    emit groupChanged();
}

void AccountClient::joinGroup(const QString &inviteCode, std::function<void(bool)> callback)
{
    if (refuseUnsafe(inviteCode, "joinGroup")) {
        answerFailureLater(this, callback);
        return;
    }
    QPointer<AccountClient> self(this);
    m_api->post(QStringLiteral("/group/join/") + inviteCode, QJsonObject(),
                [self, callback](bool ok, int, const QJsonObject &) {
                    if (ok && self)
                        self->afterGroupMembershipChange();
                    if (callback)
                        callback(ok);
                });
}

void AccountClient::leaveGroup(std::function<void(bool)> callback)
{
    QPointer<AccountClient> self(this);
    m_api->post(QStringLiteral("/group/leave"), QJsonObject(),
                [self, callback](bool ok, int, const QJsonObject &) {
                    if (ok && self)
                        self->afterGroupMembershipChange();
                    if (callback)
                        callback(ok);
                });
}

void AccountClient::removeMember(const QString &memberId, std::function<void(bool)> callback)
{
    if (refuseUnsafe(memberId, "removeMember")) {
        answerFailureLater(this, callback);
        return;
    }
    QPointer<AccountClient> self(this);
    m_api->del(QStringLiteral("/group/members/") + memberId,
               [self, callback](bool ok, int, const QJsonObject &) {
                   if (ok && self)
                       emit self->groupChanged();
                   if (callback)
                       callback(ok);
               });
}

void AccountClient::revokeInvitation(const QString &invitationId, std::function<void(bool)> callback)
{
    if (refuseUnsafe(invitationId, "revokeInvitation")) {
        answerFailureLater(this, callback);
        return;
    }
    m_api->del(QStringLiteral("/group/invitations/") + invitationId, okOnly(callback));
}

} // namespace BrioAccount
