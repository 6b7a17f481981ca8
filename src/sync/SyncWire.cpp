#include "SyncWire.h"

#include "RecurringRepository.h"

#include <QUuid>
#include <cmath>

namespace SyncWire {

namespace {

int flag(bool value)
{
    return value ? 1 : 0;
}

// A push carries thousands of payloads. Each starts as a copy of its kind's
// shape, which holds every key that is always sent, so that filling it
// replaces placeholders instead of inserting keys one by one.
QJsonObject shape(std::initializer_list<const char *> keys)
{
    QJsonObject object;
    for (const char *key : keys)
        object.insert(QLatin1String(key), QJsonValue());
    object.insert(QLatin1String("client_id"), QJsonValue());
    object.insert(QLatin1String("created_at"), QJsonValue());
    object.insert(QLatin1String("updated_at"), QJsonValue());
    return object;
}

// Every payload starts with the row's ids and ends with its time stamps.
void putIdentity(QJsonObject &payload, const QString &id, const QString &serverId)
{
    payload.insert(QStringLiteral("client_id"), id);
    if (!serverId.isEmpty())
        payload.insert(QStringLiteral("server_id"), serverId);
}

void putTimes(QJsonObject &payload, const QDateTime &createdAt, const QDateTime &updatedAt,
              const std::optional<QDateTime> &deletedAt)
{
    payload.insert(QStringLiteral("created_at"), dateTimeText(createdAt));
    payload.insert(QStringLiteral("updated_at"), dateTimeText(updatedAt));
    if (deletedAt)
        payload.insert(QStringLiteral("deleted_at"), dateTimeText(*deletedAt));
}

// Unlike the local text mapping, an account type the device does not know
// becomes Other rather than Checking.
AccountType readAccountType(const QString &text)
{
    for (AccountType type : {AccountType::Checking, AccountType::Savings, AccountType::CreditCard,
                             AccountType::Cash, AccountType::Investment}) {
        if (text == accountTypeToString(type))
            return type;
    }
    return AccountType::Other;
}

template <typename Record>
void applyHeader(Record &record, const RecordHeader &header, const QString &localId)
{
    record.id = localId;
    record.serverId = header.serverId;
    record.version = header.version;
    record.syncStatus = SyncStatus::Synced;
    record.createdAt = header.createdAt;
    record.updatedAt = header.updatedAt;
    record.deletedAt = header.deletedAt;
}

QDateTime validOrNow(const QDateTime &value)
{
    return value.isValid() ? value : QDateTime::currentDateTimeUtc();
}

} // namespace

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QString dateText(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

QString dateTimeText(const QDateTime &dateTime)
{
    return dateTime.toString(Qt::ISODate);
}

QJsonObject accountPayload(const Account &account)
{
    static const QJsonObject Shape =
        shape({"name", "account_type", "currency", "is_shared", "institution", "account_number_last4",
               "starting_balance", "sort_order", "version"});
    QJsonObject payload = Shape;
    putIdentity(payload, account.id, account.serverId);
    payload.insert(QStringLiteral("name"), account.name);
    payload.insert(QStringLiteral("account_type"), accountTypeToString(account.accountType));
    payload.insert(QStringLiteral("currency"), currencyToString(account.currency));
    payload.insert(QStringLiteral("is_shared"), flag(account.isShared));
    payload.insert(QStringLiteral("institution"), account.institution);
    payload.insert(QStringLiteral("account_number_last4"), account.accountNumberLast4);
    payload.insert(QStringLiteral("starting_balance"), account.startingBalance);
    payload.insert(QStringLiteral("sort_order"), account.sortOrder);
    payload.insert(QStringLiteral("version"), account.version);
    putTimes(payload, account.createdAt, account.updatedAt, account.deletedAt);
    return payload;
}

QJsonObject categoryPayload(const Category &category)
{
    static const QJsonObject Shape =
        shape({"name", "category_type", "parent_id", "is_tax_relevant", "tax_category", "icon", "color",
               "is_default", "account_id", "version"});
    QJsonObject payload = Shape;
    putIdentity(payload, category.id, category.serverId);
    payload.insert(QStringLiteral("name"), category.name);
    payload.insert(QStringLiteral("category_type"), categoryTypeToString(category.categoryType));
    payload.insert(QStringLiteral("parent_id"), category.parentId);
    payload.insert(QStringLiteral("is_tax_relevant"), flag(category.isTaxRelevant));
    payload.insert(QStringLiteral("tax_category"), category.taxCategory);
    payload.insert(QStringLiteral("icon"), category.icon);
    payload.insert(QStringLiteral("color"), category.color);
    payload.insert(QStringLiteral("is_default"), flag(category.isDefault));
    payload.insert(QStringLiteral("account_id"), category.accountId);
    payload.insert(QStringLiteral("version"), category.version);
    putTimes(payload, category.createdAt, category.updatedAt, category.deletedAt);
    return payload;
}

QJsonObject recurringPayload(const RecurringTransaction &recurring)
{
    static const QJsonObject Shape =
        shape({"account_id", "payee", "memo", "amount", "category_id", "transfer_dest_account_id",
               "frequency", "start_date", "next_due_date", "auto_post", "lead_days", "interval_count",
               "semimonthly_day_1", "semimonthly_day_2", "is_active"});
    QJsonObject payload = Shape;
    putIdentity(payload, recurring.id, recurring.serverId);
    payload.insert(QStringLiteral("account_id"), recurring.accountId);
    payload.insert(QStringLiteral("payee"), recurring.payee);
    payload.insert(QStringLiteral("memo"), recurring.memo);
    payload.insert(QStringLiteral("amount"), recurring.amount);
    payload.insert(QStringLiteral("category_id"), recurring.categoryId);
    payload.insert(QStringLiteral("transfer_dest_account_id"), recurring.transferDestAccountId);
    payload.insert(QStringLiteral("frequency"), RecurringRepository::frequencyToString(recurring.frequency));
    payload.insert(QStringLiteral("start_date"), dateText(recurring.startDate));
    if (recurring.endDate)
        payload.insert(QStringLiteral("end_date"), dateText(*recurring.endDate));
    payload.insert(QStringLiteral("next_due_date"), dateText(recurring.nextDueDate));
    payload.insert(QStringLiteral("auto_post"), flag(recurring.autoPost));
    payload.insert(QStringLiteral("lead_days"), recurring.leadDays);
    payload.insert(QStringLiteral("interval_count"), recurring.intervalCount);
    payload.insert(QStringLiteral("semimonthly_day_1"), recurring.semimonthlyDay1);
    payload.insert(QStringLiteral("semimonthly_day_2"), recurring.semimonthlyDay2);
    payload.insert(QStringLiteral("is_active"), flag(recurring.isActive));
    putTimes(payload, recurring.createdAt, recurring.updatedAt, recurring.deletedAt);
    return payload;
}

QJsonObject transactionPayload(const Transaction &transaction, const QList<SplitLine> &splitLines)
{
    static const QJsonObject Shape =
        shape({"account_id", "date", "payee", "memo", "amount", "category_id", "check_number", "cleared",
               "reconciled", "transfer_link_id", "transfer_dest_account_id", "is_split", "recurring_id",
               "version"});
    QJsonObject payload = Shape;
    putIdentity(payload, transaction.id, transaction.serverId);
    payload.insert(QStringLiteral("account_id"), transaction.accountId);
    payload.insert(QStringLiteral("date"), dateText(transaction.date));
    payload.insert(QStringLiteral("payee"), transaction.payee);
    payload.insert(QStringLiteral("memo"), transaction.memo);
    payload.insert(QStringLiteral("amount"), transaction.amount);
    payload.insert(QStringLiteral("category_id"), transaction.categoryId);
    payload.insert(QStringLiteral("check_number"), transaction.checkNumber);
    payload.insert(QStringLiteral("cleared"), flag(transaction.cleared));
    payload.insert(QStringLiteral("reconciled"), flag(transaction.reconciled));
    payload.insert(QStringLiteral("transfer_link_id"), transaction.transferLinkId);
    payload.insert(QStringLiteral("transfer_dest_account_id"), transaction.transferDestAccountId);
    payload.insert(QStringLiteral("is_split"), flag(transaction.isSplit));
    payload.insert(QStringLiteral("recurring_id"), transaction.recurringId);
    payload.insert(QStringLiteral("version"), transaction.version);
    if (transaction.isSplit) {
        QJsonArray lines;
        for (const SplitLine &line : splitLines) {
            lines.append(QJsonObject{{QStringLiteral("category_id"), line.categoryId},
                                     {QStringLiteral("amount"), line.amount},
                                     {QStringLiteral("memo"), line.memo}});
        }
        payload.insert(QStringLiteral("split_lines"), lines);
    }
    putTimes(payload, transaction.createdAt, transaction.updatedAt, transaction.deletedAt);
    return payload;
}

QJsonObject reconciliationPayload(const Reconciliation &reconciliation)
{
    static const QJsonObject Shape = shape({"account_id", "statement_date", "statement_balance",
                                            "reconciled_balance", "completed_at", "version"});
    QJsonObject payload = Shape;
    putIdentity(payload, reconciliation.id, reconciliation.serverId);
    payload.insert(QStringLiteral("account_id"), reconciliation.accountId);
    payload.insert(QStringLiteral("statement_date"), dateText(reconciliation.statementDate));
    payload.insert(QStringLiteral("statement_balance"), reconciliation.statementBalance);
    payload.insert(QStringLiteral("reconciled_balance"), reconciliation.reconciledBalance);
    payload.insert(QStringLiteral("completed_at"), dateTimeText(reconciliation.completedAt));
    payload.insert(QStringLiteral("version"), reconciliation.version);
    putTimes(payload, reconciliation.createdAt, reconciliation.updatedAt, reconciliation.deletedAt);
    return payload;
}

QJsonObject change(const QString &entityType, const QString &entityId, bool deleted, int version,
                   const QJsonObject &payload)
{
    return QJsonObject{
        {QStringLiteral("entity_type"), entityType},
        {QStringLiteral("entity_id"), entityId},
        {QStringLiteral("action"), deleted ? QStringLiteral("delete") : QStringLiteral("upsert")},
        {QStringLiteral("version"), version},
        {QStringLiteral("payload"), payload}};
}

QString readText(const QJsonObject &object, const QString &key)
{
    return object.value(key).toString();
}

int readInt(const QJsonObject &object, const QString &key)
{
    return object.value(key).toInt(0);
}

qint64 readMoney(const QJsonObject &object, const QString &key)
{
    return object.value(key).toInteger(0);
}

bool readFlag(const QJsonObject &object, const QString &key)
{
    const QJsonValue value = object.value(key);
    if (value.isBool())
        return value.toBool();
    return value.toInt(0) != 0;
}

QDateTime readTimestamp(const QJsonObject &object, const QString &key)
{
    return QDateTime::fromString(readText(object, key), Qt::ISODate);
}

QString invalidReason(SyncKind kind, const QJsonObject &record)
{
    // Read from the number itself: an amount too large for 64 bits would
    // otherwise read as 0 and pass.
    auto outOfRange = [](const QJsonObject &object, const char *key) {
        return std::abs(object.value(QLatin1String(key)).toDouble(0)) > double(MaxAmountMagnitude);
    };
    auto amounts = [&](std::initializer_list<const char *> keys) -> QString {
        for (const char *key : keys) {
            if (outOfRange(record, key))
                return QStringLiteral("%1 out of range").arg(QLatin1String(key));
        }
        return QString();
    };
    switch (kind) {
    case SyncKind::Account:
        return amounts({"starting_balance"});
    case SyncKind::Category:
        return QString();
    case SyncKind::Recurring:
        return amounts({"amount"});
    case SyncKind::Reconciliation:
        return amounts({"statement_balance", "reconciled_balance"});
    case SyncKind::Transaction:
        break;
    }
    const QString reason = amounts({"amount"});
    if (!reason.isEmpty())
        return reason;
    const QJsonArray lines = record.value(QLatin1String("split_lines")).toArray();
    if (lines.size() > MaxSplitLines)
        return QStringLiteral("%1 split lines").arg(lines.size());
    for (const QJsonValue &line : lines) {
        if (outOfRange(line.toObject(), "amount"))
            return QStringLiteral("split line amount out of range");
    }
    return QString();
}

QDate parseServerDate(const QString &text)
{
    if (text.isEmpty())
        return {};
    const QDate date = QDate::fromString(text, Qt::ISODate);
    if (date.isValid())
        return date;
    const QDateTime dateTime = QDateTime::fromString(text, Qt::ISODate);
    return dateTime.isValid() ? dateTime.date() : QDate();
}

RecordHeader readHeader(const QJsonObject &record)
{
    RecordHeader header;
    header.serverId = readText(record, QStringLiteral("id"));
    header.clientId = readText(record, QStringLiteral("client_id"));
    header.version = readInt(record, QStringLiteral("version"));
    header.createdAt = validOrNow(readTimestamp(record, QStringLiteral("created_at")));
    header.updatedAt = validOrNow(readTimestamp(record, QStringLiteral("updated_at")));
    const QString deleted = readText(record, QStringLiteral("deleted_at"));
    if (!deleted.isEmpty())
        header.deletedAt = QDateTime::fromString(deleted, Qt::ISODate);
    return header;
}

Account readAccount(const QJsonObject &record, const RecordHeader &header, const QString &localId)
{
    Account account;
    applyHeader(account, header, localId);
    account.name = readText(record, QStringLiteral("name"));
    account.accountType = readAccountType(readText(record, QStringLiteral("account_type")));
    account.currency = currencyFromString(readText(record, QStringLiteral("currency")));
    account.institution = readText(record, QStringLiteral("institution"));
    account.accountNumberLast4 = readText(record, QStringLiteral("account_number_last4"));
    account.startingBalance = readMoney(record, QStringLiteral("starting_balance"));
    account.sortOrder = readInt(record, QStringLiteral("sort_order"));
    account.isShared = readFlag(record, QStringLiteral("is_shared"));
    return account;
}

Category readCategory(const QJsonObject &record, const RecordHeader &header, const QString &localId)
{
    Category category;
    applyHeader(category, header, localId);
    category.name = readText(record, QStringLiteral("name"));
    category.categoryType = categoryTypeFromString(readText(record, QStringLiteral("category_type")));
    category.parentId = readText(record, QStringLiteral("parent_id"));
    category.isTaxRelevant = readFlag(record, QStringLiteral("is_tax_relevant"));
    category.taxCategory = readText(record, QStringLiteral("tax_category"));
    category.icon = readText(record, QStringLiteral("icon"));
    category.color = readText(record, QStringLiteral("color"));
    category.isDefault = readFlag(record, QStringLiteral("is_default"));
    category.accountId = readText(record, QStringLiteral("account_id"));
    return category;
}

RecurringTransaction readRecurring(const QJsonObject &record, const RecordHeader &header,
                                   const QString &localId,
                                   const std::optional<RecurringTransaction> &existing)
{
    // A new record's defaults for the schedule numbers are those of a fresh rule.
    const RecurringTransaction base = existing.value_or(RecurringTransaction{});
    auto scheduleNumber = [&record](const char *key, int fallback) {
        const QString name = QLatin1String(key);
        return record.contains(name) ? readInt(record, name) : fallback;
    };

    RecurringTransaction recurring;
    applyHeader(recurring, header, localId);
    recurring.accountId = readText(record, QStringLiteral("account_id"));
    recurring.payee = readText(record, QStringLiteral("payee"));
    recurring.memo = readText(record, QStringLiteral("memo"));
    recurring.amount = readMoney(record, QStringLiteral("amount"));
    recurring.categoryId = readText(record, QStringLiteral("category_id"));
    recurring.frequency =
        RecurringRepository::frequencyFromString(readText(record, QStringLiteral("frequency")));
    recurring.startDate = parseServerDate(readText(record, QStringLiteral("start_date")));
    const QString endDate = readText(record, QStringLiteral("end_date"));
    if (!endDate.isEmpty())
        recurring.endDate = parseServerDate(endDate);
    recurring.nextDueDate = parseServerDate(readText(record, QStringLiteral("next_due_date")));
    recurring.autoPost = readFlag(record, QStringLiteral("auto_post"));
    recurring.leadDays = qBound(0, scheduleNumber("lead_days", existing ? base.leadDays : 0), MaxLeadDays);
    recurring.intervalCount =
        qBound(1, scheduleNumber("interval_count", base.intervalCount), MaxIntervalCount);
    recurring.semimonthlyDay1 = scheduleNumber("semimonthly_day_1", base.semimonthlyDay1);
    recurring.semimonthlyDay2 = scheduleNumber("semimonthly_day_2", base.semimonthlyDay2);
    recurring.isActive = readFlag(record, QStringLiteral("is_active"));
    recurring.transferDestAccountId = readText(record, QStringLiteral("transfer_dest_account_id"));
    return recurring;
}

Transaction readTransaction(const QJsonObject &record, const RecordHeader &header, const QString &localId)
{
    Transaction transaction;
    applyHeader(transaction, header, localId);
    transaction.accountId = readText(record, QStringLiteral("account_id"));
    transaction.date = parseServerDate(readText(record, QStringLiteral("date")));
    transaction.payee = readText(record, QStringLiteral("payee"));
    transaction.memo = readText(record, QStringLiteral("memo"));
    transaction.amount = readMoney(record, QStringLiteral("amount"));
    transaction.categoryId = readText(record, QStringLiteral("category_id"));
    transaction.checkNumber = readText(record, QStringLiteral("check_number"));
    transaction.cleared = readFlag(record, QStringLiteral("cleared"));
    transaction.reconciled = readFlag(record, QStringLiteral("reconciled"));
    transaction.transferLinkId = readText(record, QStringLiteral("transfer_link_id"));
    transaction.transferDestAccountId = readText(record, QStringLiteral("transfer_dest_account_id"));
    transaction.isSplit = readFlag(record, QStringLiteral("is_split"));
    transaction.recurringId = readText(record, QStringLiteral("recurring_id"));
    return transaction;
}

QList<SplitLine> readSplitLines(const QJsonObject &record, const Transaction &transaction)
{
    QList<SplitLine> lines;
    if (!transaction.isSplit)
        return lines;
    const QJsonArray array = record.value(QStringLiteral("split_lines")).toArray();
    lines.reserve(array.size());
    for (const QJsonValue &value : array) {
        const QJsonObject object = value.toObject();
        SplitLine line;
        line.id = newId();
        line.transactionId = transaction.id;
        line.categoryId = readText(object, QStringLiteral("category_id"));
        line.amount = readMoney(object, QStringLiteral("amount"));
        line.memo = readText(object, QStringLiteral("memo"));
        line.createdAt = transaction.createdAt;
        line.updatedAt = transaction.updatedAt;
        lines.append(line);
    }
    return lines;
}

Reconciliation readReconciliation(const QJsonObject &record, const RecordHeader &header,
                                  const QString &localId)
{
    Reconciliation reconciliation;
    applyHeader(reconciliation, header, localId);
    reconciliation.accountId = readText(record, QStringLiteral("account_id"));
    reconciliation.statementDate = parseServerDate(readText(record, QStringLiteral("statement_date")));
    reconciliation.statementBalance = readMoney(record, QStringLiteral("statement_balance"));
    reconciliation.reconciledBalance = readMoney(record, QStringLiteral("reconciled_balance"));
    reconciliation.completedAt = readTimestamp(record, QStringLiteral("completed_at"));
    return reconciliation;
}

} // namespace SyncWire
