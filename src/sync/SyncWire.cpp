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
// shape, which holds every key that is always sent, each with an empty text;
// a Filler then writes the values in the shape's key order, each at its key's
// position in the copy, found once when the shape was made, instead of
// searching for every key. Empty texts (most references) are left as they are.
class Shape
{
public:
    Shape(std::initializer_list<const char *> keys)
        : m_keys(keys)
    {
        for (const char *key : keys)
            m_object.insert(QLatin1String(key), QLatin1String(""));
        for (const char *key : keys)
            m_positions.append(m_object.constFind(QLatin1String(key)) - m_object.constBegin());
    }

    const QJsonObject &object() const { return m_object; }
    qsizetype size() const { return m_keys.size(); }
    const char *key(qsizetype i) const { return m_keys.at(i); }
    qsizetype position(qsizetype i) const { return m_positions.at(i); }

private:
    QJsonObject m_object;
    QList<const char *> m_keys;
    QList<qsizetype> m_positions;
};

class Filler
{
public:
    explicit Filler(const Shape &shape)
        : m_shape(shape)
        , m_object(shape.object())
        , m_at(m_object.begin())
    {
    }

    // The next key of the shape, named again for the reader (and checked in
    // debug builds).
    Filler &operator()([[maybe_unused]] const char *key, const QJsonValue &value)
    {
        Q_ASSERT(m_next < m_shape.size() && qstrcmp(key, m_shape.key(m_next)) == 0);
        m_at[m_shape.position(m_next++)] = value;
        return *this;
    }

    Filler &operator()(const char *key, const QString &text)
    {
        if (!text.isEmpty())
            return (*this)(key, QJsonValue(text));
        Q_ASSERT(m_next < m_shape.size() && qstrcmp(key, m_shape.key(m_next)) == 0);
        ++m_next;
        return *this;
    }

    QJsonObject take()
    {
        Q_ASSERT(m_next == m_shape.size());
        return std::move(m_object);
    }

private:
    const Shape &m_shape;
    QJsonObject m_object;
    QJsonObject::iterator m_at;
    qsizetype m_next = 0;
};

// Two digits, or four, of `value` at `out`.
void putDigits(QChar *out, int value, int count)
{
    for (int i = count - 1; i >= 0; --i) {
        out[i] = QChar(u'0' + value % 10);
        value /= 10;
    }
}

// "yyyy-MM-dd" at `out`, for a year of four digits.
void putDate(QChar *out, int year, int month, int day)
{
    putDigits(out, year, 4);
    out[4] = u'-';
    putDigits(out + 5, month, 2);
    out[7] = u'-';
    putDigits(out + 8, day, 2);
}

// The keys only some rows send: the server id once known, the deletion time
// of a deleted row.
void putOptional(QJsonObject &payload, const QString &serverId, const std::optional<QDateTime> &deletedAt)
{
    if (!serverId.isEmpty())
        payload.insert(QStringLiteral("server_id"), serverId);
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
    // By hand for the common years: Qt's own formatting costs several times
    // more, and a push formats a date or three for every row.
    int year = 0, month = 0, day = 0;
    date.getDate(&year, &month, &day);
    if (!date.isValid() || year < 1 || year > 9999)
        return date.toString(Qt::ISODate);
    QString text(10, Qt::Uninitialized);
    putDate(text.data(), year, month, day);
    return text;
}

QString dateTimeText(const QDateTime &dateTime)
{
    if (!dateTime.isValid() || dateTime.timeSpec() != Qt::UTC)
        return dateTime.toString(Qt::ISODate);
    const QDate date = dateTime.date();
    const QTime time = dateTime.time();
    int year = 0, month = 0, day = 0;
    date.getDate(&year, &month, &day);
    if (year < 1 || year > 9999)
        return dateTime.toString(Qt::ISODate);
    // "yyyy-MM-ddTHH:mm:ssZ": milliseconds are not sent.
    QString text(20, Qt::Uninitialized);
    QChar *out = text.data();
    putDate(out, year, month, day);
    out[10] = u'T';
    putDigits(out + 11, time.hour(), 2);
    out[13] = u':';
    putDigits(out + 14, time.minute(), 2);
    out[16] = u':';
    putDigits(out + 17, time.second(), 2);
    out[19] = u'Z';
    return text;
}

QJsonObject accountPayload(const Account &account)
{
    static const Shape Keys{"client_id",  "name",        "account_type",         "currency",
                            "is_shared",  "institution", "account_number_last4", "starting_balance",
                            "sort_order", "version",     "created_at",           "updated_at"};
    Filler put(Keys);
    put("client_id", account.id);
    put("name", account.name);
    put("account_type", accountTypeToString(account.accountType));
    put("currency", currencyToString(account.currency));
    put("is_shared", flag(account.isShared));
    put("institution", account.institution);
    put("account_number_last4", account.accountNumberLast4);
    put("starting_balance", account.startingBalance);
    put("sort_order", account.sortOrder);
    put("version", account.version);
    put("created_at", dateTimeText(account.createdAt));
    put("updated_at", dateTimeText(account.updatedAt));
    QJsonObject payload = put.take();
    putOptional(payload, account.serverId, account.deletedAt);
    return payload;
}

QJsonObject categoryPayload(const Category &category)
{
    static const Shape Keys{"client_id",    "name",       "category_type", "parent_id",  "is_tax_relevant",
                            "tax_category", "icon",       "color",         "is_default", "account_id",
                            "version",      "created_at", "updated_at"};
    Filler put(Keys);
    put("client_id", category.id);
    put("name", category.name);
    put("category_type", categoryTypeToString(category.categoryType));
    put("parent_id", category.parentId);
    put("is_tax_relevant", flag(category.isTaxRelevant));
    put("tax_category", category.taxCategory);
    put("icon", category.icon);
    put("color", category.color);
    put("is_default", flag(category.isDefault));
    put("account_id", category.accountId);
    put("version", category.version);
    put("created_at", dateTimeText(category.createdAt));
    put("updated_at", dateTimeText(category.updatedAt));
    QJsonObject payload = put.take();
    putOptional(payload, category.serverId, category.deletedAt);
    return payload;
}

QJsonObject recurringPayload(const RecurringTransaction &recurring)
{
    static const Shape Keys{"client_id",
                            "account_id",
                            "payee",
                            "memo",
                            "amount",
                            "category_id",
                            "transfer_dest_account_id",
                            "frequency",
                            "start_date",
                            "next_due_date",
                            "auto_post",
                            "lead_days",
                            "interval_count",
                            "semimonthly_day_1",
                            "semimonthly_day_2",
                            "is_active",
                            "created_at",
                            "updated_at"};
    Filler put(Keys);
    put("client_id", recurring.id);
    put("account_id", recurring.accountId);
    put("payee", recurring.payee);
    put("memo", recurring.memo);
    put("amount", recurring.amount);
    put("category_id", recurring.categoryId);
    put("transfer_dest_account_id", recurring.transferDestAccountId);
    put("frequency", RecurringRepository::frequencyToString(recurring.frequency));
    put("start_date", dateText(recurring.startDate));
    put("next_due_date", dateText(recurring.nextDueDate));
    put("auto_post", flag(recurring.autoPost));
    put("lead_days", recurring.leadDays);
    put("interval_count", recurring.intervalCount);
    put("semimonthly_day_1", recurring.semimonthlyDay1);
    put("semimonthly_day_2", recurring.semimonthlyDay2);
    put("is_active", flag(recurring.isActive));
    put("created_at", dateTimeText(recurring.createdAt));
    put("updated_at", dateTimeText(recurring.updatedAt));
    QJsonObject payload = put.take();
    if (recurring.endDate)
        payload.insert(QStringLiteral("end_date"), dateText(*recurring.endDate));
    putOptional(payload, recurring.serverId, recurring.deletedAt);
    return payload;
}

QJsonObject transactionPayload(const Transaction &transaction, const QList<SplitLine> &splitLines)
{
    static const Shape Keys{"client_id",
                            "account_id",
                            "date",
                            "payee",
                            "memo",
                            "amount",
                            "category_id",
                            "check_number",
                            "cleared",
                            "reconciled",
                            "transfer_link_id",
                            "transfer_dest_account_id",
                            "is_split",
                            "recurring_id",
                            "version",
                            "created_at",
                            "updated_at"};
    static const Shape LineKeys{"category_id", "amount", "memo"};
    Filler put(Keys);
    put("client_id", transaction.id);
    put("account_id", transaction.accountId);
    put("date", dateText(transaction.date));
    put("payee", transaction.payee);
    put("memo", transaction.memo);
    put("amount", transaction.amount);
    put("category_id", transaction.categoryId);
    put("check_number", transaction.checkNumber);
    put("cleared", flag(transaction.cleared));
    put("reconciled", flag(transaction.reconciled));
    put("transfer_link_id", transaction.transferLinkId);
    put("transfer_dest_account_id", transaction.transferDestAccountId);
    put("is_split", flag(transaction.isSplit));
    put("recurring_id", transaction.recurringId);
    put("version", transaction.version);
    put("created_at", dateTimeText(transaction.createdAt));
    put("updated_at", dateTimeText(transaction.updatedAt));
    QJsonObject payload = put.take();
    if (transaction.isSplit) {
        QJsonArray lines;
        for (const SplitLine &line : splitLines) {
            Filler putLine(LineKeys);
            putLine("category_id", line.categoryId);
            putLine("amount", line.amount);
            putLine("memo", line.memo);
            lines.append(putLine.take());
        }
        payload.insert(QStringLiteral("split_lines"), lines);
    }
    putOptional(payload, transaction.serverId, transaction.deletedAt);
    return payload;
}

QJsonObject reconciliationPayload(const Reconciliation &reconciliation)
{
    static const Shape Keys{"client_id",         "account_id",         "statement_date",
                            "statement_balance", "reconciled_balance", "completed_at",
                            "version",           "created_at",         "updated_at"};
    Filler put(Keys);
    put("client_id", reconciliation.id);
    put("account_id", reconciliation.accountId);
    put("statement_date", dateText(reconciliation.statementDate));
    put("statement_balance", reconciliation.statementBalance);
    put("reconciled_balance", reconciliation.reconciledBalance);
    put("completed_at", dateTimeText(reconciliation.completedAt));
    put("version", reconciliation.version);
    put("created_at", dateTimeText(reconciliation.createdAt));
    put("updated_at", dateTimeText(reconciliation.updatedAt));
    QJsonObject payload = put.take();
    putOptional(payload, reconciliation.serverId, reconciliation.deletedAt);
    return payload;
}

QJsonObject change(const QString &entityType, const QString &entityId, bool deleted, int version,
                   const QJsonObject &payload)
{
    static const Shape Keys{"entity_type", "entity_id", "action", "version", "payload"};
    static const QJsonValue Delete(QStringLiteral("delete"));
    static const QJsonValue Upsert(QStringLiteral("upsert"));
    Filler put(Keys);
    put("entity_type", entityType);
    put("entity_id", entityId);
    put("action", deleted ? Delete : Upsert);
    put("version", version);
    put("payload", payload);
    return put.take();
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
    recurring.leadDays = qBound(0, scheduleNumber("lead_days", existing ? base.leadDays : 0),
                               RecurringTransaction::MaxLeadDays);
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
