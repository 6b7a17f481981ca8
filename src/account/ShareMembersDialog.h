#pragma once

#include "AccountRecords.h"
#include "ShareDialogTexts.h"
#include "ShareMember.h"

#include <QDialog>
#include <QList>
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
    void reload();
    void loadGroupMembers();
    void loadShares();
    void rebuildLists();
    QWidget *shareRow(const ShareMember &share);
    QWidget *candidateRow(const GroupMember &member, const QString &target);
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
    QVBoxLayout *m_sharedRows = nullptr;
    QWidget *m_addSection = nullptr;
    QLabel *m_addHeader = nullptr;
    QVBoxLayout *m_addRows = nullptr;
    QLabel *m_noGroupLabel = nullptr;
    QLabel *m_allHaveAccessLabel = nullptr;
    QList<GroupMember> m_groupMembers;
    QList<ShareMember> m_shares;
    QString m_currentAccountId;
    bool m_busy = false;
};

} // namespace BrioAccount
