#include "SyncWire.h"

#include "ColumnTables.h"
#include "Money.h"
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
        : Shape(QList<const char *>(keys))
    {
    }

    explicit Shape(const QList<const char *> &keys)
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

// A flag sent as true/false or as 0/1.
bool flagOf(const QJsonValue &value)
{
    return value.isBool() ? value.toBool() : value.toInt(0) != 0;
}

QDateTime timestampOf(const QJsonValue &value)
{
    return QDateTime::fromString(value.toString(), Qt::ISODate);
}

// The keys a payload of the table always holds, in table order.
template <typename Table> Shape shapeOf(const Table &table)
{
    QList<const char *> keys;
    RecordColumns::forEach(table.columns, [&keys](const auto &column) {
        if (column.sent == RecordColumns::Sent::Always)
            keys.append(column.keyText());
    });
    return Shape(keys);
}

template <typename Column, typename Record>
void put(Filler &filler, const Column &column, const Record &record)
{
    using RecordColumns::Kind;
    const auto &value = Column::get(record);
    if constexpr (Column::optional)
        return; // never always sent: the tables assert it
    else if constexpr (Column::kind == Kind::Text || Column::kind == Kind::Reference)
        filler(column.keyText(), value);
    else if constexpr (Column::kind == Kind::Integer)
        filler(column.keyText(), QJsonValue(value));
    else if constexpr (Column::kind == Kind::Flag)
        filler(column.keyText(), QJsonValue(flag(value)));
    else if constexpr (Column::kind == Kind::Date)
        filler(column.keyText(), dateText(value));
    else if constexpr (Column::kind == Kind::Timestamp)
        filler(column.keyText(), dateTimeText(value));
    else
        filler(column.keyText(), Column::text(value));
}

// A key sent only when its field holds a value.
template <typename Column, typename Record>
void putWhenSet(QJsonObject &payload, const Column &column, const Record &record)
{
    using RecordColumns::Kind;
    const auto &value = Column::get(record);
    if constexpr (Column::kind == Kind::Date && Column::optional) {
        if (value)
            payload.insert(column.key(), dateText(*value));
    } else if constexpr (Column::kind == Kind::Timestamp && Column::optional) {
        if (value)
            payload.insert(column.key(), dateTimeText(*value));
    } else if constexpr (Column::kind == Kind::Text || Column::kind == Kind::Reference) {
        if (!value.isEmpty())
            payload.insert(column.key(), value);
    }
    // Any other field always has a value: the tables assert it is not sent so.
}

// The record's payload: the keys its table sends, each with its field's value.
template <typename Table> QJsonObject payloadOf(const Table &table, const typename Table::RecordType &record)
{
    using RecordColumns::Sent;
    static const Shape Keys = shapeOf(table);
    Filler filler(Keys);
    RecordColumns::forEach(table.columns, [&](const auto &column) {
        if (column.sent == Sent::Always)
            put(filler, column, record);
    });
    QJsonObject payload = filler.take();
    RecordColumns::forEach(table.columns, [&](const auto &column) {
        if (column.sent == Sent::WhenSet)
            putWhenSet(payload, column, record);
    });
    return payload;
}

// Fills the fields the table sends, and that the record's header does not
// carry, from a pulled record.
template <typename Table>
void readFields(const Table &table, const QJsonObject &object, typename Table::RecordType &record)
{
    RecordColumns::forEach(table.columns, [&](const auto &column) {
        using Column = std::decay_t<decltype(column)>;
        using RecordColumns::Kind;
        if (column.sent == RecordColumns::Sent::No || column.fromHeader)
            return;
        auto &value = Column::field(record);
        const QJsonValue json = object.value(column.key());
        if constexpr (Column::kind == Kind::Text || Column::kind == Kind::Reference)
            value = json.toString();
        else if constexpr (Column::kind == Kind::Integer && std::is_same_v<typename Column::Value, qint64>)
            value = json.toInteger(0);
        else if constexpr (Column::kind == Kind::Integer)
            value = json.toInt(0);
        else if constexpr (Column::kind == Kind::Flag)
            value = flagOf(json);
        else if constexpr (Column::kind == Kind::Date && Column::optional) {
            if (const QString text = json.toString(); !text.isEmpty())
                value = parseServerDate(text);
        } else if constexpr (Column::kind == Kind::Date)
            value = parseServerDate(json.toString());
        else if constexpr (Column::kind == Kind::Timestamp && Column::optional) {
            if (!json.toString().isEmpty())
                value = timestampOf(json);
        } else if constexpr (Column::kind == Kind::Timestamp)
            value = timestampOf(json);
        else
            value = Column::fromText(json.toString());
    });
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
    return payloadOf(ColumnTables::accounts, account);
}

QJsonObject categoryPayload(const Category &category)
{
    return payloadOf(ColumnTables::categories, category);
}

QJsonObject recurringPayload(const RecurringTransaction &recurring)
{
    return payloadOf(ColumnTables::recurring, recurring);
}

QJsonObject transactionPayload(const Transaction &transaction, const QList<SplitLine> &splitLines)
{
    QJsonObject payload = payloadOf(ColumnTables::transactions, transaction);
    if (transaction.isSplit) {
        QJsonArray lines;
        for (const SplitLine &line : splitLines)
            lines.append(payloadOf(ColumnTables::splitLines, line));
        payload.insert(QStringLiteral("split_lines"), lines);
    }
    return payload;
}

QJsonObject reconciliationPayload(const Reconciliation &reconciliation)
{
    return payloadOf(ColumnTables::reconciliations, reconciliation);
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
    return flagOf(object.value(key));
}

QDateTime readTimestamp(const QJsonObject &object, const QString &key)
{
    return timestampOf(object.value(key));
}

QString invalidReason(SyncKind kind, const QJsonObject &record)
{
    // Read from the number itself: an amount too large for 64 bits would
    // otherwise read as 0 and pass.
    auto outOfRange = [](const QJsonObject &object, const char *key,
                         double bound = double(MaxAmountMagnitude)) {
        return std::abs(object.value(QLatin1String(key)).toDouble(0)) > bound;
    };
    auto amounts = [&](std::initializer_list<const char *> keys,
                       double bound = double(MaxAmountMagnitude)) -> QString {
        for (const char *key : keys) {
            if (outOfRange(record, key, bound))
                return QStringLiteral("%1 out of range").arg(QLatin1String(key));
        }
        return QString();
    };
    // A starting balance is typed into the account form: nothing larger is one.
    const Currency currency = currencyFromString(record.value(QLatin1String("currency")).toString());
    switch (kind) {
    case SyncKind::Account:
        return amounts({"starting_balance"}, double(Money::largestEntered(currency)));
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
    readFields(ColumnTables::accounts, record, account);
    account.accountType = readAccountType(readText(record, QStringLiteral("account_type")));
    return account;
}

Category readCategory(const QJsonObject &record, const RecordHeader &header, const QString &localId)
{
    Category category;
    applyHeader(category, header, localId);
    readFields(ColumnTables::categories, record, category);
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
    readFields(ColumnTables::recurring, record, recurring);
    recurring.leadDays = qBound(0, scheduleNumber("lead_days", existing ? base.leadDays : 0),
                                RecurringTransaction::MaxLeadDays);
    recurring.intervalCount =
        qBound(1, scheduleNumber("interval_count", base.intervalCount), MaxIntervalCount);
    recurring.semimonthlyDay1 = scheduleNumber("semimonthly_day_1", base.semimonthlyDay1);
    recurring.semimonthlyDay2 = scheduleNumber("semimonthly_day_2", base.semimonthlyDay2);
    return recurring;
}

Transaction readTransaction(const QJsonObject &record, const RecordHeader &header, const QString &localId)
{
    Transaction transaction;
    applyHeader(transaction, header, localId);
    readFields(ColumnTables::transactions, record, transaction);
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
        readFields(ColumnTables::splitLines, object, line);
        line.id = newId();
        line.transactionId = transaction.id;
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
    readFields(ColumnTables::reconciliations, record, reconciliation);
    return reconciliation;
}

} // namespace SyncWire
