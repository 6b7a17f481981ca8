#pragma once

#include "ShareMember.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

namespace BrioAccount {

// Lists, adds and removes the people who have access to one account. The library knows no
// sharing endpoints; the application implements this over its own service. Each callback is
// called once, later, from the event loop.
class SharingBackend : public QObject
{
    Q_OBJECT

public:
    explicit SharingBackend(QObject *parent = nullptr)
        : QObject(parent)
    {
    }
    ~SharingBackend() override = default;

    // An empty list when the list cannot be read.
    virtual void listMembers(const QString &accountId, std::function<void(QList<ShareMember>)> callback) = 0;
    // On failure the text says why (it may be empty).
    virtual void shareWith(const QString &accountId, const QString &target, const QString &role,
                           std::function<void(bool, QString)> callback) = 0;
    virtual void removeShare(const QString &accountId, const QString &userId,
                             std::function<void(bool)> callback) = 0;
    // The id under which a group member (by account id) is listed and shared with.
    virtual QString shareIdForMember(const QString &memberAccountId) { return memberAccountId; }
};

} // namespace BrioAccount
