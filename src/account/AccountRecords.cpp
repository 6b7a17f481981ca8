#include "AccountRecords.h"

namespace BrioAccount {

namespace {

QString text(const QJsonObject &json, const char *key)
{
    return json.value(QLatin1String(key)).toString();
}

QDateTime dateTime(const QJsonObject &json, const char *key)
{
    return QDateTime::fromString(text(json, key), Qt::ISODate);
}

int number(const QJsonObject &json, const char *key)
{
    return json.value(QLatin1String(key)).toInt(0);
}

} // namespace

User User::fromJson(const QJsonObject &json)
{
    User user;
    user.id = text(json, "id");
    user.email = text(json, "email");
    user.displayName = text(json, "display_name");
    user.username = text(json, "username");
    user.avatarUrl = text(json, "avatar_url");
    user.createdAt = dateTime(json, "created_at");
    return user;
}

UserGroupSummary UserGroupSummary::fromJson(const QJsonObject &json)
{
    UserGroupSummary summary;
    summary.id = text(json, "id");
    summary.name = text(json, "name");
    summary.role = text(json, "role");
    summary.memberCount = number(json, "member_count");
    return summary;
}

Profile Profile::fromJson(const QJsonObject &json)
{
    Profile profile;
    profile.id = text(json, "id");
    profile.email = text(json, "email");
    profile.displayName = text(json, "display_name");
    profile.avatarUrl = text(json, "avatar_url");
    profile.language = text(json, "language");
    profile.timezone = text(json, "timezone");
    profile.status = text(json, "status");
    profile.createdAt = dateTime(json, "created_at");
    if (json.contains(QLatin1String("group")))
        profile.group = UserGroupSummary::fromJson(json.value(QLatin1String("group")).toObject());
    return profile;
}

Session Session::fromJson(const QJsonObject &json)
{
    Session session;
    session.id = text(json, "id");
    session.userAgent = text(json, "user_agent");
    session.ipAddress = text(json, "ip_address");
    session.createdAt = dateTime(json, "created_at");
    session.lastActiveAt = dateTime(json, "last_active_at");
    session.isCurrent = json.value(QLatin1String("is_current")).toBool(false);
    return session;
}

Device Device::fromJson(const QJsonObject &json)
{
    Device device;
    device.id = text(json, "id");
    device.deviceName = text(json, "device_name");
    device.platform = text(json, "platform");
    device.appId = text(json, "app_id");
    device.appVersion = text(json, "app_version");
    device.lastSyncAt = dateTime(json, "last_sync_at");
    device.deviceFingerprint = text(json, "device_fingerprint");
    device.createdAt = dateTime(json, "created_at");
    return device;
}

GroupMember GroupMember::fromJson(const QJsonObject &json)
{
    GroupMember member;
    member.accountId = text(json, "account_id");
    member.authUserId = text(json, "auth_user_id");
    member.displayName = text(json, "display_name");
    member.email = text(json, "email");
    member.role = text(json, "role");
    member.joinedAt = dateTime(json, "joined_at");
    return member;
}

GroupInvitation GroupInvitation::fromJson(const QJsonObject &json)
{
    GroupInvitation invitation;
    invitation.id = text(json, "id");
    invitation.invitedEmail = text(json, "invited_email");
    invitation.inviteCode = text(json, "invite_code");
    invitation.status = text(json, "status");
    invitation.expiresAt = dateTime(json, "expires_at");
    return invitation;
}

Group Group::fromJson(const QJsonObject &json)
{
    Group group;
    group.id = text(json, "id");
    group.name = text(json, "name");
    group.maxSeats = number(json, "max_seats");
    group.members = recordsFromJson<GroupMember>(json.value(QLatin1String("members")));
    group.pendingInvitations =
        recordsFromJson<GroupInvitation>(json.value(QLatin1String("pending_invitations")));
    return group;
}

} // namespace BrioAccount
