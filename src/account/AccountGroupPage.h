#pragma once

#include "AccountRecords.h"

#include <QList>
#include <QString>
#include <QWidget>

class QVBoxLayout;

namespace BrioAccount {

class AccountScreen;
class Client;

// The account window's Group page: the user's group, its members and, for the owner, the
// pending invitations and the means to invite; a member can leave, a user without a group can
// join with a code. Who may manage the group is decided from the token's claims at every read.
class AccountGroupPage : public QWidget
{
    Q_OBJECT

public:
    AccountGroupPage(Client *client, AccountScreen *screen);

    // Reads the group and rebuilds the page from the answer.
    void refresh();

private:
    void showGroup(const Group &group);
    void addMemberRows(QVBoxLayout *layout, const QList<GroupMember> &members, bool isOwner);
    void addOwnerTools(QVBoxLayout *layout, const Group &group);
    void joinGroup();
    void inviteByEmail();
    void generateInviteCode();
    void removeMember(const QString &accountId, const QString &name);
    void revokeInvitation(const QString &invitationId);
    void leaveGroup();
    void afterAction(bool ok, const QString &success, const QString &failure);

    Client *m_client = nullptr;
    AccountScreen *m_screen = nullptr;
    QVBoxLayout *m_layout = nullptr;
    QWidget *m_content = nullptr;
};

} // namespace BrioAccount
