#pragma once

#include "AccountList.h"
#include "AccountRecords.h"
#include "ShareDialogTexts.h"
#include "ShareMember.h"

#include <QDialog>
#include <QList>
#include <QPair>
#include <QString>

class QLabel;
class QVBoxLayout;
class QWidget;

namespace BrioAccount {

class Client;
class SharingBackend;

// Shows who has access to one account and offers the other members of the user's group, and
// shares or stops sharing through a sharing backend. Requests start when it is built.
class ShareMembersDialog : public QDialog
{
    Q_OBJECT

public:
    ShareMembersDialog(Client *client, SharingBackend *backend, const QString &accountId,
                       const ShareDialogTexts &texts, QWidget *parent = nullptr);

    // The initials an avatar shows for a name and an e-mail address.
    static QString initials(const QString &name, const QString &email);

signals:
    void sharingChanged();

private:
    // The people-with-access and add-people sections, each a header and a list.
    void createSections(QVBoxLayout *main);
    void reload();
    void loadGroupMembers();
    void loadShares();
    void rebuildLists();
    // A list that shows takes its section's share of the free height.
    void showList(QWidget *section, AccountList *list, bool shown);
    AccountListRow shareRow(const ShareMember &share, const GroupMember *member);
    AccountListRow candidateRow(const GroupMember &member, const QString &target);
    void shareWithMember(const QString &target, const QString &name);
    void removeShare(const QString &shareId, const QString &name);
    void showError(const QString &message);

    Client *m_client = nullptr;
    SharingBackend *m_backend = nullptr;
    QString m_accountId;
    ShareDialogTexts m_texts;
    QLabel *m_errorLabel = nullptr;
    QWidget *m_sharedSection = nullptr;
    QLabel *m_sharedHeader = nullptr;
    QLabel *m_notSharedLabel = nullptr;
    AccountList *m_sharedRows = nullptr;
    QWidget *m_addSection = nullptr;
    QLabel *m_addHeader = nullptr;
    AccountList *m_addRows = nullptr;
    QLabel *m_noGroupLabel = nullptr;
    QLabel *m_allHaveAccessLabel = nullptr;
    QList<GroupMember> m_groupMembers;
    QList<ShareMember> m_shares;
    QString m_currentAccountId;
    bool m_busy = false;
    QVBoxLayout *m_mainLayout = nullptr;
    // What the rows shown stand for: (share id, shown name) and (target, shown name).
    QList<QPair<QString, QString>> m_shownShares;
    QList<QPair<QString, QString>> m_shownCandidates;
};

} // namespace BrioAccount
