#pragma once

#include "SharingBackend.h"

#include <QString>

namespace BrioAccount {
class ApiClient;
}

// Shares the user's accounts with other people through the sync service: the
// share-members dialog drives it through the library's sharing interface.
// Requests go through the sync service's client, so they carry its token and
// its refresh-and-retry handling.
class AccountSharingService : public BrioAccount::SharingBackend
{
    Q_OBJECT

public:
    AccountSharingService(BrioAccount::ApiClient *api, QObject *parent = nullptr);

    void listMembers(const QString &accountId,
                     std::function<void(QList<BrioAccount::ShareMember>)> callback) override;
    void shareWith(const QString &accountId, const QString &target, const QString &role,
                   std::function<void(bool, QString)> callback) override;
    void removeShare(const QString &accountId, const QString &userId,
                     std::function<void(bool)> callback) override;

    // Whether an id may stand in a request path: not empty, not a dot
    // segment, and free of separators and escapes that would change the path.
    static bool isSafePathSegment(const QString &id);

private:
    BrioAccount::ApiClient *m_api;
};
