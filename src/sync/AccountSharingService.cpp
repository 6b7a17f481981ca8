#include "AccountSharingService.h"

#include "ApiClient.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QTimer>

namespace {

BrioAccount::ShareMember readMember(const QJsonObject &object)
{
    BrioAccount::ShareMember member;
    member.id = object.value(QLatin1String("user_id")).toString();
    member.userId = member.id;
    member.email = object.value(QLatin1String("email")).toString();
    member.displayName = object.value(QLatin1String("display_name")).toString();
    member.role = object.value(QLatin1String("role")).toString();
    member.createdAt = object.value(QLatin1String("created_at")).toString();
    return member;
}

} // namespace

AccountSharingService::AccountSharingService(BrioAccount::ApiClient *api, QObject *parent)
    : BrioAccount::SharingBackend(parent)
    , m_api(api)
{
}

bool AccountSharingService::isSafePathSegment(const QString &id)
{
    // Beyond the client's own rule: a backslash, a query or fragment mark, or
    // an escape would also let an id reach another resource.
    if (!BrioAccount::ApiClient::isSafePathSegment(id))
        return false;
    for (QChar c : id) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('?') || c == QLatin1Char('#') || c == QLatin1Char('%'))
            return false;
    }
    return true;
}

void AccountSharingService::listMembers(const QString &accountId,
                                        std::function<void(QList<BrioAccount::ShareMember>)> callback)
{
    if (!isSafePathSegment(accountId)) {
        // The dialog expects its answer later, from the event loop, as with a request.
        QTimer::singleShot(0, this, [callback] {
            if (callback)
                callback({});
        });
        return;
    }
    m_api->get(QStringLiteral("/accounts/%1/members").arg(accountId),
               [callback](bool ok, int, const QJsonObject &body) {
                   if (!callback)
                       return;
                   QList<BrioAccount::ShareMember> members;
                   if (ok) {
                       for (const QJsonValue &value : body.value(QLatin1String("members")).toArray())
                           members.append(readMember(value.toObject()));
                   }
                   callback(members);
               });
}

void AccountSharingService::shareWith(const QString &accountId, const QString &target, const QString &role,
                                      std::function<void(bool, QString)> callback)
{
    if (!isSafePathSegment(accountId)) {
        QTimer::singleShot(0, this, [callback] {
            if (callback)
                callback(false,
                         QCoreApplication::translate("QObject", "Failed to share account (HTTP %1)").arg(0));
        });
        return;
    }
    QJsonObject body;
    if (target.contains(QLatin1Char('@')))
        body.insert(QStringLiteral("email"), target);
    body.insert(QStringLiteral("user_id"), target);
    body.insert(QStringLiteral("role"), role.isEmpty() ? QStringLiteral("member") : role);
    m_api->post(
        QStringLiteral("/accounts/%1/share").arg(accountId), body,
        [callback](bool ok, int status, const QJsonObject &reply) {
            if (!callback)
                return;
            if (ok) {
                callback(true, QString());
                return;
            }
            QString error = reply.value(QLatin1String("error")).toString();
            if (error.isEmpty())
                error =
                    QCoreApplication::translate("QObject", "Failed to share account (HTTP %1)").arg(status);
            callback(false, error);
        });
}

void AccountSharingService::removeShare(const QString &accountId, const QString &userId,
                                        std::function<void(bool)> callback)
{
    if (!isSafePathSegment(accountId) || !isSafePathSegment(userId)) {
        QTimer::singleShot(0, this, [callback] {
            if (callback)
                callback(false);
        });
        return;
    }
    m_api->del(QStringLiteral("/accounts/%1/share/%2").arg(accountId, userId),
               [callback](bool ok, int, const QJsonObject &) {
                   if (callback)
                       callback(ok);
               });
}
