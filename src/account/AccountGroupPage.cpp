#include "AccountGroupPage.h"

#include "AccountClient.h"
#include "AccountList.h"
#include "AccountScreen.h"
#include "AccountWidgets.h"
#include "Client.h"

#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace BrioAccount {

using namespace AccountWidgets;

AccountGroupPage::AccountGroupPage(Client *client, AccountScreen *screen)
    : QWidget(screen)
    , m_client(client)
    , m_screen(screen)
{
    m_layout = setUpPage(this, QStringLiteral("Group"));
    m_content = new QWidget(this);
    m_layout->addWidget(m_content);
    m_layout->addStretch();
}

void AccountGroupPage::refresh()
{
    QPointer<AccountGroupPage> self(this);
    m_client->accountClient()->getGroup([self](Group group) {
        if (self)
            self->showGroup(group);
    });
}

void AccountGroupPage::afterAction(bool ok, const QString &success, const QString &failure)
{
    if (ok)
        m_screen->showSuccess(success);
    else
        m_screen->showError(failure);
    QTimer::singleShot(RereadDelayMs, this, &AccountGroupPage::refresh);
}

void AccountGroupPage::showGroup(const Group &group)
{
    QVBoxLayout *layout = replaceContent(m_layout, &m_content, 8);
    QWidget *container = m_content;
    if (group.id.isEmpty()) {
        layout->addWidget(
            section(QStringLiteral("No Group"),
                    QStringLiteral("You're not part of a group. The group owner can invite you, "
                                   "or you can join with an invite code."),
                    container));
        auto *row = new QHBoxLayout;
        auto *join = new QPushButton(QStringLiteral("Join with Invite Code"), container);
        connect(join, &QPushButton::clicked, this, &AccountGroupPage::joinGroup);
        row->addWidget(join);
        row->addStretch();
        layout->addLayout(row);
        layout->addStretch();
        return;
    }
    layout->addWidget(section(
        group.name, QStringLiteral("%1 of %2 seats used").arg(group.members.size()).arg(group.maxSeats),
        container));
    layout->addSpacing(4);
    QLabel *members = plainLabel(QStringLiteral("Members"), container);
    setFontWeight(members, 500);
    layout->addWidget(members);

    const bool isOwner = m_client->claims().isOwner();
    addMemberRows(layout, group.members, isOwner);
    if (isOwner) {
        addOwnerTools(layout, group);
        layout->addStretch();
        return;
    }
    layout->addSpacing(12);
    layout->addWidget(separator(container));
    layout->addSpacing(4);
    QHBoxLayout *row = indentedRow();
    auto *leave = new QPushButton(QStringLiteral("Leave Group"), container);
    connect(leave, &QPushButton::clicked, this, &AccountGroupPage::leaveGroup);
    row->addWidget(leave);
    row->addStretch();
    layout->addLayout(row);
    layout->addStretch();
}

void AccountGroupPage::addMemberRows(QVBoxLayout *layout, const QList<GroupMember> &members, bool isOwner)
{
    QList<AccountListRow> rows;
    const QList<GroupMember> shown = members.first(AccountList::shownOf(members.size()));
    for (const GroupMember &member : shown) {
        AccountListRow row;
        row.title = member.displayName.isEmpty() ? member.email : member.displayName;
        if (!member.email.isEmpty() && member.email != row.title)
            row.details = {member.email};
        const bool memberIsOwner = member.role == QLatin1String("owner");
        if (memberIsOwner) {
            row.badge = QStringLiteral("Owner");
            // The nearest shades of the teal that read (4.5:1) on either window.
            row.badgeColour = themed(QColor(0x00, 0x7F, 0x72), QColor(0x22, 0x99, 0x8C));
        }
        if (isOwner && !memberIsOwner)
            row.button = QStringLiteral("Remove");
        rows.append(row);
    }
    AccountList *list = rowList(layout->parentWidget(), 6, 6, false);
    list->setRows(rows, members.size());
    connect(list, &AccountList::buttonClicked, this, [this, shown, rows](int row) {
        if (row >= 0 && row < shown.size())
            removeMember(shown.at(row).accountId, rows.at(row).title);
    });
    layout->addWidget(list, 1);
}

void AccountGroupPage::addOwnerTools(QVBoxLayout *layout, const Group &group)
{
    QWidget *container = layout->parentWidget();
    if (!group.pendingInvitations.isEmpty()) {
        layout->addSpacing(8);
        layout->addWidget(separator(container));
        layout->addSpacing(4);
        QLabel *heading = plainLabel(QStringLiteral("Pending Invitations"), container);
        setFontWeight(heading, 500);
        layout->addWidget(heading);
        const QList<GroupInvitation> &invitations = group.pendingInvitations;
        QList<AccountListRow> rows;
        QStringList ids;
        for (const GroupInvitation &invitation :
             invitations.first(AccountList::shownOf(invitations.size()))) {
            AccountListRow row;
            row.title = invitation.invitedEmail.isEmpty()
                            ? QStringLiteral("Invite code: %1").arg(invitation.inviteCode)
                            : invitation.invitedEmail;
            row.titleWeight = QFont::Normal;
            row.button = QStringLiteral("Revoke");
            rows.append(row);
            ids.append(invitation.id);
        }
        AccountList *list = rowList(container, 4, 4, false);
        list->setRows(rows, invitations.size());
        connect(list, &AccountList::buttonClicked, this,
                [this, ids](int row) { revokeInvitation(ids.value(row)); });
        layout->addWidget(list, 1);
    }
    layout->addSpacing(12);
    layout->addWidget(separator(container));
    layout->addSpacing(4);
    layout->addWidget(section(QStringLiteral("Invite Members"), QString(), container));
    QHBoxLayout *row = indentedRow();
    row->setSpacing(8);
    auto *byEmail = new QPushButton(QStringLiteral("Invite by Email"), container);
    auto *byCode = new QPushButton(QStringLiteral("Generate Invite Code"), container);
    connect(byEmail, &QPushButton::clicked, this, &AccountGroupPage::inviteByEmail);
    connect(byCode, &QPushButton::clicked, this, &AccountGroupPage::generateInviteCode);
    row->addWidget(byEmail);
    row->addWidget(byCode);
    row->addStretch();
    layout->addLayout(row);
}

void AccountGroupPage::joinGroup()
{
    bool ok = false;
    const QString code =
        QInputDialog::getText(m_screen, QStringLiteral("Join Group"), QStringLiteral("Enter invite code:"),
                              QLineEdit::Normal, QString(), &ok)
            .trimmed();
    if (!ok || code.isEmpty())
        return;
    QPointer<AccountGroupPage> self(this);
    m_client->accountClient()->joinGroup(code, [self](bool joined) {
        if (!self)
            return;
        if (!joined) {
            self->m_screen->showError(QStringLiteral("Invalid or expired invite code."));
            return;
        }
        self->m_screen->showSuccess(QStringLiteral("Joined group."));
        self->refresh();
    });
}

void AccountGroupPage::inviteByEmail()
{
    bool ok = false;
    const QString email =
        QInputDialog::getText(m_screen, QStringLiteral("Invite by Email"), QStringLiteral("Email address:"),
                              QLineEdit::Normal, QString(), &ok)
            .trimmed();
    if (!ok || email.isEmpty())
        return;
    QPointer<AccountGroupPage> self(this);
    m_client->accountClient()->inviteByEmail(email, [self](GroupInvitation invitation) {
        if (!self)
            return;
        if (invitation.id.isEmpty()) {
            self->m_screen->showError(QStringLiteral("Failed to send invitation."));
            return;
        }
        self->m_screen->showSuccess(QStringLiteral("Invitation sent."));
        self->refresh();
    });
}

void AccountGroupPage::generateInviteCode()
{
    QPointer<AccountGroupPage> self(this);
    m_client->accountClient()->generateInviteCode([self](GroupInvitation invitation) {
        if (!self)
            return;
        if (invitation.inviteCode.isEmpty()) {
            self->m_screen->showError(QStringLiteral("Failed to generate code."));
            return;
        }
        inform(self->m_screen, QStringLiteral("Invite Code"),
               QStringLiteral("Share this code with the person you want to invite:\n\n%1")
                   .arg(invitation.inviteCode));
        if (self)
            self->refresh();
    });
}

void AccountGroupPage::removeMember(const QString &accountId, const QString &name)
{
    QPointer<AccountGroupPage> self(this);
    if (!askYesNo(m_screen, QStringLiteral("Remove Member"),
                  QStringLiteral("Remove %1 from the group?").arg(name)) ||
        !self)
        return;
    m_client->accountClient()->removeMember(accountId, [self, name](bool ok) {
        if (self)
            self->afterAction(ok, QStringLiteral("%1 removed.").arg(name),
                              QStringLiteral("Failed to remove %1.").arg(name));
    });
}

void AccountGroupPage::revokeInvitation(const QString &invitationId)
{
    QPointer<AccountGroupPage> self(this);
    m_client->accountClient()->revokeInvitation(invitationId, [self](bool ok) {
        if (self)
            self->afterAction(ok, QStringLiteral("Invitation revoked."),
                              QStringLiteral("Failed to revoke invitation."));
    });
}

void AccountGroupPage::leaveGroup()
{
    QPointer<AccountGroupPage> self(this);
    if (!askYesNo(m_screen, QStringLiteral("Leave Group"),
                  QStringLiteral("Leave this group? You will lose access to shared data.")) ||
        !self)
        return;
    m_client->accountClient()->leaveGroup([self](bool ok) {
        if (self)
            self->afterAction(ok, QStringLiteral("Left group."), QStringLiteral("Failed to leave group."));
    });
}

} // namespace BrioAccount
