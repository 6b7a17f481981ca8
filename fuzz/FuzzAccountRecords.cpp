// A reply of the account service, read the way the account client reads each
// of its replies: a profile, a group with members and invitations, the lists
// of sessions and devices.
#include "AccountRecords.h"
#include "FuzzSupport.h"

#include <QJsonDocument>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace BrioAccount;
    const QJsonDocument document = QJsonDocument::fromJson(FuzzSupport::bytes(data, size));
    const QJsonObject body = document.isObject() ? document.object() : QJsonObject();
    User::fromJson(body);
    Profile::fromJson(body);
    Session::fromJson(body);
    Device::fromJson(body);
    Group::fromJson(body);
    GroupInvitation::fromJson(body);
    recordsFromJson<Session>(body.value(QLatin1String("sessions")));
    recordsFromJson<Device>(body.value(QLatin1String("devices")));
    recordsFromJson<GroupMember>(body.value(QLatin1String("members")));
    if (document.isArray())
        recordsFromJson<UserGroupSummary>(document.array());
    return 0;
}
