#pragma once

// A fake of the authentication and account web services on one in-process HTTP server, with
// the user, sessions, profile, devices and group kept in memory and changed by the requests
// as the real services would:
//
//     FakeAccount::FakeAccountServer server;
//     QVERIFY(server.listen());
//     BrioAccount::Client client(AccountTest::testConfig(server.authBaseUrl(), server.accountApiUrl()));
//     server.state.group = FakeAccount::group("g1", "Home", 5, {member("acc-1", "Ann", ...)});
//     ... act ...
//     QCOMPARE(server.writes(), QStringList{"DELETE /group/members/acc-2"});
//
// Faults go through the HTTP server's one-shot answers, which win over the fake's own:
//     server.http()->onNext("DELETE", server.accountPath("/devices/d1"), Response::json(500, {}));
//
// A token refresh answers a fresh access token whose "role" claim is state.role.

#include "FakeHttpServer.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace FakeAccount {

struct State
{
    QJsonObject user;                     // GET and PATCH "/users/me"
    QString password;                     // "current_password" must match it
    QJsonArray sessions;                  // "/users/me/sessions"
    QJsonObject profile;                  // GET "/profile"
    QJsonArray devices;                   // "/devices"
    QJsonObject group;                    // GET "/group"; empty while the user has none
    QHash<QString, QJsonObject> joinable; // invite code -> the group joined with it
    QString role;                         // "role" claim of refreshed tokens
    bool deleted = false;                 // DELETE "/profile" was accepted
};

// JSON records as the services send them.
QJsonObject member(const QString &accountId, const QString &displayName, const QString &email,
                   const QString &role = QStringLiteral("member"));
QJsonObject invitation(const QString &id, const QString &email, const QString &code);
QJsonObject group(const QString &id, const QString &name, int maxSeats, const QJsonArray &members,
                  const QJsonArray &invitations = QJsonArray());
// An access token valid for an hour carrying the library's "role" claim (none when empty).
QString tokenWithRole(const QString &role);

class FakeAccountServer : public QObject
{
    Q_OBJECT

public:
    explicit FakeAccountServer(QObject *parent = nullptr);

    bool listen();
    FakeHttp::FakeHttpServer *http() { return &m_http; }
    QUrl authBaseUrl() const;   // the authentication service's base
    QUrl accountApiUrl() const; // the account service's base, with its path
    // Full request paths of the two services.
    static QString authPath(const QString &path);
    static QString accountPath(const QString &path);

    // Every request but token refreshes, as "METHOD /path" relative to its service, followed by
    // " " and the body when there is one.
    QStringList calls() const;
    // The same, without reads (GET).
    QStringList writes() const;
    int readCount(const QString &path) const;

    State state;

private:
    FakeHttp::Response answer(const FakeHttp::Request &request);
    FakeHttp::Response answerAuth(const QByteArray &method, const QString &path, const QJsonObject &body);
    FakeHttp::Response answerAccount(const QByteArray &method, const QString &path, const QJsonObject &body);
    static QString relativeCall(const FakeHttp::Request &request);

    FakeHttp::FakeHttpServer m_http;
    int m_invitationSerial = 0;
};

} // namespace FakeAccount
