#pragma once

#include <QString>

namespace BrioAccount {

// One person with access to a shared account, as a sharing backend lists it.
struct ShareMember
{
    QString id;     // what removeShare takes
    QString userId; // matched against shareIdForMember of a group member
    QString email;
    QString displayName;
    QString role; // "owner" for the account's owner
    QString createdAt;
};

} // namespace BrioAccount
