#include "FakeAccountServer.h"

#include "AccountTestSupport.h"

#include <QJsonDocument>

namespace FakeAccount {

namespace {

const QString AuthPrefix = QStringLiteral("/api/v1/realms/tallowmere");
const QString AccountPrefix = QStringLiteral("/account/v1");
const QString RefreshPath = QStringLiteral("/auth/token/refresh");

using FakeHttp::Response;

Response ok(const QJsonObject &body = QJsonObject())
{
    return Response::json(200, body);
}

Response error(int status, const QString &text)
{
    return Response::json(status, QJsonObject{{QStringLiteral("error"), text}});
}

// Removes the element whose key has the value; false when there is none.
bool removeWhere(QJsonArray &array, const QString &key, const QString &value)
{
    for (qsizetype i = 0; i < array.size(); ++i) {
        if (array.at(i).toObject().value(key).toString() == value) {
            array.removeAt(i);
            return true;
        }
    }
    return false;
}

} // namespace

QJsonObject member(const QString &accountId, const QString &displayName, const QString &email,
                   const QString &role)
{
    return QJsonObject{{"account_id", accountId},
                       {"auth_user_id", QStringLiteral("auth-") + accountId},
                       {"display_name", displayName},
                       {"email", email},
                       {"role", role},
                       {"joined_at", "2024-03-05T10:00:00Z"}};
}

QJsonObject invitation(const QString &id, const QString &email, const QString &code)
{
    return QJsonObject{{"id", id},
                       {"invited_email", email},
                       {"invite_code", code},
                       {"status", "pending"},
                       {"expires_at", "2030-01-01T00:00:00Z"}};
}

QJsonObject group(const QString &id, const QString &name, int maxSeats, const QJsonArray &members,
                  const QJsonArray &invitations)
{
    return QJsonObject{{"id", id},
                       {"name", name},
                       {"max_seats", maxSeats},
                       {"members", members},
                       {"pending_invitations", invitations}};
}

QString tokenWithRole(const QString &role)
{
    QJsonObject tov;
    if (!role.isEmpty())
        tov.insert(QStringLiteral("role"), role);
    return AccountTest::freshToken(QJsonObject{{"custom", QJsonObject{{"tov", tov}}}});
}

FakeAccountServer::FakeAccountServer(QObject *parent)
    : QObject(parent)
{
    m_http.setFallback([this](const FakeHttp::Request &request) { return answer(request); });
}

bool FakeAccountServer::listen()
{
    return m_http.listen();
}

QUrl FakeAccountServer::authBaseUrl() const
{
    return m_http.url();
}

QUrl FakeAccountServer::accountApiUrl() const
{
    return m_http.url(AccountPrefix);
}

QString FakeAccountServer::authPath(const QString &path)
{
    return AuthPrefix + path;
}

QString FakeAccountServer::accountPath(const QString &path)
{
    return AccountPrefix + path;
}

QString FakeAccountServer::relativeCall(const FakeHttp::Request &request)
{
    QString path = request.path;
    if (path.startsWith(AuthPrefix))
        path = path.mid(AuthPrefix.size());
    else if (path.startsWith(AccountPrefix))
        path = path.mid(AccountPrefix.size());
    QString call = QString::fromLatin1(request.method) + QLatin1Char(' ') + path;
    if (!request.body.isEmpty())
        call += QLatin1Char(' ') + QString::fromUtf8(request.body);
    return call;
}

QStringList FakeAccountServer::calls() const
{
    QStringList calls;
    for (const FakeHttp::Request &request : m_http.requests()) {
        if (request.path != authPath(RefreshPath))
            calls.append(relativeCall(request));
    }
    return calls;
}

QStringList FakeAccountServer::writes() const
{
    QStringList writes;
    for (const QString &call : calls()) {
        if (!call.startsWith(QLatin1String("GET ")))
            writes.append(call);
    }
    return writes;
}

int FakeAccountServer::readCount(const QString &path) const
{
    return int(calls().count(QStringLiteral("GET ") + path));
}

Response FakeAccountServer::answer(const FakeHttp::Request &request)
{
    const QJsonObject body = request.jsonBody();
    if (request.path.startsWith(AuthPrefix + QLatin1Char('/')))
        return answerAuth(request.method, request.path.mid(AuthPrefix.size()), body);
    if (request.path.startsWith(AccountPrefix + QLatin1Char('/')))
        return answerAccount(request.method, request.path.mid(AccountPrefix.size()), body);
    return error(404, QStringLiteral("not found"));
}

Response FakeAccountServer::answerAuth(const QByteArray &method, const QString &path, const QJsonObject &body)
{
    const QString sessionsPath = QStringLiteral("/users/me/sessions");
    if (method == "POST" && path == RefreshPath)
        return ok(QJsonObject{{"access_token", tokenWithRole(state.role)},
                              {"refresh_token", body.value("refresh_token").toString()}});
    if (method == "POST" && path == QLatin1String("/auth/logout"))
        return ok();
    if (method == "GET" && path == QLatin1String("/users/me"))
        return ok(state.user);
    if (method == "PATCH" && path == QLatin1String("/users/me")) {
        state.user.insert("display_name", body.value("display_name"));
        return ok(state.user);
    }
    if (method == "POST" && path == QLatin1String("/users/me/password")) {
        if (body.value("current_password").toString() != state.password)
            return error(400, QStringLiteral("wrong password"));
        state.password = body.value("new_password").toString();
        return ok();
    }
    if (method == "GET" && path == sessionsPath)
        return ok(QJsonObject{{"sessions", state.sessions}});
    if (method == "DELETE" && path.startsWith(sessionsPath + QLatin1Char('/'))) {
        if (removeWhere(state.sessions, QStringLiteral("id"), path.mid(sessionsPath.size() + 1)))
            return Response::empty(204);
        return error(404, QStringLiteral("no such session"));
    }
    return error(404, QStringLiteral("not found"));
}

Response FakeAccountServer::answerAccount(const QByteArray &method, const QString &path,
                                          const QJsonObject &body)
{
    if (path == QLatin1String("/profile")) {
        if (method == "GET")
            return ok(state.profile);
        if (method == "DELETE") {
            state.deleted = true;
            return Response::empty(204);
        }
    }
    if (method == "GET" && path == QLatin1String("/devices"))
        return ok(QJsonObject{{"devices", state.devices}});
    if (method == "DELETE" && path.startsWith(QLatin1String("/devices/"))) {
        if (removeWhere(state.devices, QStringLiteral("id"), path.mid(9)))
            return Response::empty(204);
        return error(404, QStringLiteral("no such device"));
    }
    if (method == "GET" && path == QLatin1String("/group")) {
        if (state.group.isEmpty())
            return error(404, QStringLiteral("not in a group"));
        return ok(state.group);
    }
    if (method == "POST" && path.startsWith(QLatin1String("/group/join/"))) {
        const QString code = path.mid(12);
        if (!state.joinable.contains(code))
            return error(404, QStringLiteral("invalid code"));
        state.group = state.joinable.value(code);
        return ok(state.group);
    }
    if (state.group.isEmpty())
        return error(404, QStringLiteral("not in a group"));
    if (method == "POST" && path == QLatin1String("/group/leave")) {
        state.group = QJsonObject();
        return ok();
    }
    if (method == "POST" && path == QLatin1String("/group/invite")) {
        ++m_invitationSerial;
        const QJsonObject created =
            invitation(QStringLiteral("inv-%1").arg(m_invitationSerial), body.value("email").toString(),
                       QStringLiteral("CODE-%1").arg(m_invitationSerial));
        QJsonArray pending = state.group.value("pending_invitations").toArray();
        pending.append(created);
        state.group.insert("pending_invitations", pending);
        return Response::json(201, created);
    }
    for (const QString &list : {QStringLiteral("members"), QStringLiteral("invitations")}) {
        const QString prefix = QStringLiteral("/group/%1/").arg(list);
        if (method != "DELETE" || !path.startsWith(prefix))
            continue;
        const bool members = list == QLatin1String("members");
        const QString key = members ? QStringLiteral("members") : QStringLiteral("pending_invitations");
        QJsonArray array = state.group.value(key).toArray();
        if (!removeWhere(array, members ? QStringLiteral("account_id") : QStringLiteral("id"),
                         path.mid(prefix.size())))
            return error(404, QStringLiteral("not found"));
        state.group.insert(key, array);
        return Response::empty(204);
    }
    return error(404, QStringLiteral("not found"));
}

} // namespace FakeAccount
