#pragma once

#include "Account.h"
#include "Category.h"
#include "Reconciliation.h"
#include "RecurringTransaction.h"
#include "SplitLine.h"
#include "SyncStore.h"
#include "Transaction.h"

#include <QDate>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <optional>

// The JSON the sync service exchanges with the device: change objects for the
// push and the tolerant readers of pulled records. Nothing here touches the
// database; the engine and the applier decide what happens with the records.
namespace SyncWire {

// Entity type names of a change, one per synchronised kind.
inline constexpr const char *EntityAccount = "account";
inline constexpr const char *EntityCategory = "category";
inline constexpr const char *EntityRecurring = "recurring";
inline constexpr const char *EntityTransaction = "transaction";
inline constexpr const char *EntityReconciliation = "reconciliation";

// A fresh local id: a UUID without braces.
QString newId();

// --- writing -------------------------------------------------------------

QString dateText(const QDate &date);
QString dateTimeText(const QDateTime &dateTime);

QJsonObject accountPayload(const Account &account);
QJsonObject categoryPayload(const Category &category);
QJsonObject recurringPayload(const RecurringTransaction &recurring);
// `splitLines` is only read when the transaction is split.
QJsonObject transactionPayload(const Transaction &transaction, const QList<SplitLine> &splitLines);
QJsonObject reconciliationPayload(const Reconciliation &reconciliation);

// {"entity_type", "entity_id", "action", "version", "payload"}.
QJsonObject change(const QString &entityType, const QString &entityId, bool deleted, int version,
                   const QJsonObject &payload);

// --- reading -------------------------------------------------------------

QString readText(const QJsonObject &object, const QString &key);
int readInt(const QJsonObject &object, const QString &key);
qint64 readMoney(const QJsonObject &object, const QString &key);
bool readFlag(const QJsonObject &object, const QString &key);
QDateTime readTimestamp(const QJsonObject &object, const QString &key);

// Bounds of what a pulled record may hold. A larger amount could overflow a
// balance summed from it; more split lines than anyone enters is not a record.
inline constexpr qint64 MaxAmountMagnitude = 1'000'000'000'000'000; // minor units
inline constexpr int MaxSplitLines = 1000;
inline constexpr int MaxIntervalCount = 1000;

// Why a pulled record of the kind (a pull page's array name) cannot be
// stored: an amount beyond MaxAmountMagnitude (a starting balance beyond what
// the account form takes), too many split lines. Empty when it can.
QString invalidReason(SyncKind kind, const QJsonObject &record);

// An ISO date, else the date part of an ISO date-time in the zone it states;
// an invalid date for empty or unreadable text.
QDate parseServerDate(const QString &text);

// The bookkeeping every pulled record carries: server id, client id, version,
// time stamps and deletion. A time stamp the server sent broken becomes the
// current time, since an invalid one cannot be stored.
struct RecordHeader
{
    QString serverId;
    QString clientId;
    int version = 0;
    QDateTime createdAt;
    QDateTime updatedAt;
    std::optional<QDateTime> deletedAt;
};
RecordHeader readHeader(const QJsonObject &record);

// The readers fill the record from the server's keys. Identity (id, server id,
// version, sync status, time stamps) comes from the header, so that the
// applier can resolve the local id before the record is built.
Account readAccount(const QJsonObject &record, const RecordHeader &header, const QString &localId);
Category readCategory(const QJsonObject &record, const RecordHeader &header, const QString &localId);
// The four schedule numbers keep the local row's values when the server left
// them out; a new row gets the record defaults.
RecurringTransaction readRecurring(const QJsonObject &record, const RecordHeader &header,
                                   const QString &localId,
                                   const std::optional<RecurringTransaction> &existing);
Transaction readTransaction(const QJsonObject &record, const RecordHeader &header, const QString &localId);
// Fresh split lines of a split transaction, in the server's order.
QList<SplitLine> readSplitLines(const QJsonObject &record, const Transaction &transaction);
Reconciliation readReconciliation(const QJsonObject &record, const RecordHeader &header,
                                  const QString &localId);

} // namespace SyncWire
