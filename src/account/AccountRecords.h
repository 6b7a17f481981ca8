#pragma once

// What the authentication and account services return, as plain records. Each reader fills
// its record from a JSON object without rejecting anything: a missing or mistyped value gives
// empty text, 0, false, an empty list or an invalid date-time.

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <optional>

namespace BrioAccount {

struct User
{
    QString id;
    QString email;
    QString displayName;
    QString username;
    QString avatarUrl;
    QDateTime createdAt;

    static User fromJson(const QJsonObject &json);
};

struct UserGroupSummary
{
    QString id;
    QString name;
    QString role;
    int memberCount = 0;

    static UserGroupSummary fromJson(const QJsonObject &json);
};

struct Profile
{
    QString id;
    QString email;
    QString displayName;
    QString avatarUrl;
    QString language;
    QString timezone;
    QString status;
    QDateTime createdAt;
    std::optional<UserGroupSummary> group;

    static Profile fromJson(const QJsonObject &json);
};

struct Session
{
    QString id;
    QString userAgent;
    QString ipAddress;
    QDateTime createdAt;
    QDateTime lastActiveAt;
    bool isCurrent = false;

    static Session fromJson(const QJsonObject &json);
};

struct Device
{
    QString id;
    QString deviceName;
    QString platform;
    QString appId;
    QString appVersion;
    QDateTime lastSyncAt;
    QString deviceFingerprint;
    QDateTime createdAt;

    static Device fromJson(const QJsonObject &json);
};

struct GroupMember
{
    QString accountId;
    QString authUserId;
    QString displayName;
    QString email;
    QString role;
    QDateTime joinedAt;

    static GroupMember fromJson(const QJsonObject &json);
};

struct GroupInvitation
{
    QString id;
    QString invitedEmail;
    QString inviteCode;
    QString status;
    QDateTime expiresAt;

    static GroupInvitation fromJson(const QJsonObject &json);
};

struct Group
{
    QString id;
    QString name;
    int maxSeats = 0;
    QList<GroupMember> members;
    QList<GroupInvitation> pendingInvitations;

    static Group fromJson(const QJsonObject &json);
};

// Reads every element of an array, in order, a non-object element as an empty object; a value
// that is not an array gives an empty list.
template <typename Record> QList<Record> recordsFromJson(const QJsonValue &array)
{
    QList<Record> records;
    const QJsonArray elements = array.toArray();
    for (const QJsonValue &element : elements)
        records.append(Record::fromJson(element.toObject()));
    return records;
}

} // namespace BrioAccount
