#include "RecurringRepository.h"

#include "Database.h"
#include "SqlStatement.h"
#include "SqlValues.h"

#include <QDebug>

namespace {

const char *const kTable = "recurring_transactions";

const QStringList &editableColumns()
{
    static const QStringList list{"payee",
                                  "memo",
                                  "amount",
                                  "category_id",
                                  "frequency",
                                  "start_date",
                                  "end_date",
                                  "next_due_date",
                                  "auto_post",
                                  "is_active",
                                  "transfer_dest_account_id",
                                  "version",
                                  "sync_status",
                                  "server_id",
                                  "lead_days",
                                  "interval_count",
                                  "semimonthly_day_1",
                                  "semimonthly_day_2"};
    return list;
}

QVariantList editableValues(const RecurringTransaction &r)
{
    return {SqlValues::text(r.payee),
            SqlValues::text(r.memo),
            r.amount,
            SqlValues::reference(r.categoryId),
            RecurringRepository::frequencyToString(r.frequency),
            SqlValues::date(r.startDate),
            SqlValues::optionalDate(r.endDate),
            SqlValues::date(r.nextDueDate),
            SqlValues::flag(r.autoPost),
            SqlValues::flag(r.isActive),
            SqlValues::reference(r.transferDestAccountId),
            r.version,
            syncStatusToString(r.syncStatus),
            SqlValues::reference(r.serverId),
            r.leadDays,
            r.intervalCount,
            r.semimonthlyDay1,
            r.semimonthlyDay2};
}

RecurringTransaction readRecurring(const QSqlQuery &q)
{
    RecurringTransaction r;
    r.id = q.value(0).toString();
    r.accountId = SqlValues::readText(q.value(1));
    r.payee = SqlValues::readText(q.value(2));
    r.memo = SqlValues::readText(q.value(3));
    r.amount = q.value(4).toLongLong();
    r.categoryId = SqlValues::readText(q.value(5));
    r.frequency = RecurringRepository::frequencyFromString(q.value(6).toString());
    r.startDate = SqlValues::readDate(q.value(7));
    r.endDate = SqlValues::readOptionalDate(q.value(8));
    r.nextDueDate = SqlValues::readDate(q.value(9));
    r.autoPost = SqlValues::readFlag(q.value(10));
    r.isActive = SqlValues::readFlag(q.value(11));
    r.transferDestAccountId = SqlValues::readText(q.value(12));
    r.version = q.value(13).toInt();
    r.syncStatus = syncStatusFromString(q.value(14).toString());
    r.serverId = SqlValues::readText(q.value(15));
    r.leadDays = q.value(16).toInt();
    r.intervalCount = q.value(17).toInt();
    r.semimonthlyDay1 = q.value(18).toInt();
    r.semimonthlyDay2 = q.value(19).toInt();
    r.createdAt = SqlValues::readTimestamp(q.value(20));
    r.updatedAt = SqlValues::readTimestamp(q.value(21));
    r.deletedAt = SqlValues::readOptionalTimestamp(q.value(22));
    return r;
}

QString select(const char *rest)
{
    return QStringLiteral("SELECT id, account_id, %1, created_at, updated_at, deleted_at "
                          "FROM recurring_transactions %2")
        .arg(editableColumns().join(QLatin1String(", ")), QLatin1String(rest));
}

struct FrequencyName
{
    Frequency frequency;
    const char *text;
};

constexpr FrequencyName kFrequencies[] = {
    {Frequency::Daily, "daily"},
    {Frequency::Weekly, "weekly"},
    {Frequency::Biweekly, "biweekly"},
    {Frequency::Monthly, "monthly"},
    {Frequency::Semimonthly, "semimonthly"},
    {Frequency::Quarterly, "quarterly"},
    {Frequency::SemiAnnual, "semi_annual"},
    {Frequency::Annual, "annual"},
};

} // namespace

RecurringRepository::RecurringRepository(Database *database, QObject *parent)
    : SyncedRepository(database, kTable, "RecurringRepository", parent)
{
}

void RecurringRepository::announceChange(const QString &accountId)
{
    Q_UNUSED(accountId)
    emit recurringChanged();
}

QString RecurringRepository::frequencyToString(Frequency frequency)
{
    for (const FrequencyName &entry : kFrequencies) {
        if (entry.frequency == frequency)
            return QLatin1String(entry.text);
    }
    return QStringLiteral("monthly");
}

Frequency RecurringRepository::frequencyFromString(const QString &text)
{
    for (const FrequencyName &entry : kFrequencies) {
        if (text == QLatin1String(entry.text))
            return entry.frequency;
    }
    return Frequency::Monthly;
}

std::optional<RecurringTransaction> RecurringRepository::findById(const QString &id) const
{
    return SqlStatement::readOne(m_database->database(), select("WHERE id = ?"), {id}, readRecurring,
                                 "RecurringRepository::findById");
}

QList<RecurringTransaction> RecurringRepository::findAllOrdered() const
{
    return SqlStatement::readAll(
        m_database->database(),
        select("WHERE deleted_at IS NULL "
               "ORDER BY is_active DESC, next_due_date ASC, payee COLLATE NOCASE ASC"),
        {}, readRecurring, "RecurringRepository::findAllOrdered");
}

std::optional<RecurringTransaction> RecurringRepository::findByServerId(const QString &serverId) const
{
    if (serverId.isEmpty())
        return std::nullopt;
    return SqlStatement::readOne(m_database->database(), select("WHERE server_id = ?"), {serverId},
                                 readRecurring, "RecurringRepository::findByServerId");
}

QList<RecurringTransaction> RecurringRepository::findPendingSync() const
{
    return SqlStatement::readAll(m_database->database(), select("WHERE sync_status = 'pending'"), {},
                                 readRecurring, "RecurringRepository::findPendingSync");
}

bool RecurringRepository::insert(const RecurringTransaction &recurring)
{
    static const QString sql =
        SqlStatement::insertSql(kTable, QStringList{"id", "account_id"} + editableColumns() +
                                            QStringList{"created_at", "updated_at"});
    const QVariantList values =
        QVariantList{recurring.id, SqlValues::text(recurring.accountId)} + editableValues(recurring) +
        QVariantList{SqlValues::timestamp(recurring.createdAt), SqlValues::timestamp(recurring.updatedAt)};
    return write(sql, values, recurring, "insert");
}

bool RecurringRepository::update(const RecurringTransaction &recurring)
{
    static const QString sql =
        SqlStatement::updateByIdSql(kTable, editableColumns() + QStringList{"updated_at"});
    const QVariantList values =
        editableValues(recurring) + QVariantList{SqlValues::timestamp(recurring.updatedAt), recurring.id};
    return write(sql, values, recurring, "update");
}

bool RecurringRepository::write(const QString &sql, const QVariantList &values,
                                const RecurringTransaction &recurring, const char *method)
{
    // Saved all the same: refusing would lose the user's other edits; the
    // recurring service quarantines such a record when it comes due.
    if (!recurring.nextDueDate.isValid() || recurring.nextDueDate < QDate(2000, 1, 1)) {
        qWarning().noquote() << QStringLiteral(
                                    "RecurringRepository::%1 saving recurring with broken nextDueDate:")
                                    .arg(QLatin1String(method))
                             << recurring.id << recurring.payee << "start"
                             << recurring.startDate.toString(Qt::ISODate) << "next"
                             << recurring.nextDueDate.toString(Qt::ISODate) << "end"
                             << (recurring.endDate ? recurring.endDate->toString(Qt::ISODate) : QString())
                             << "frequency" << frequencyToString(recurring.frequency);
    }
    const QByteArray context = QByteArrayLiteral("RecurringRepository::") + method;
    if (!SqlStatement::write(m_database, sql, values, context.constData()))
        return false;
    emit recurringChanged();
    return true;
}

bool RecurringRepository::softDelete(const QString &id)
{
    if (!stampDeleted(id, QDateTime()))
        return false;
    emit recurringChanged();
    return true;
}
