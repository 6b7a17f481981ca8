#include "RecurringRepository.h"

#include "ColumnTables.h"
#include "Database.h"
#include "SqlStatement.h"
#include "SqlValues.h"

#include <QDebug>

namespace {

constexpr const auto &kTable = ColumnTables::recurring;

QString select(const char *rest)
{
    return QStringLiteral("SELECT %1 FROM recurring_transactions %2")
        .arg(RecordColumns::selectList(kTable), QLatin1String(rest));
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
    : SyncedRepository(database, kTable.name, "RecurringRepository", parent)
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
    return RecordColumns::readOne(kTable, m_database->database(), select("WHERE id = ?"), {id},
                                  "RecurringRepository::findById");
}

QList<RecurringTransaction> RecurringRepository::findAllOrdered() const
{
    return RecordColumns::readAll(
        kTable, m_database->database(),
        select("WHERE deleted_at IS NULL "
               "ORDER BY is_active DESC, next_due_date ASC, payee COLLATE NOCASE ASC"),
        {}, "RecurringRepository::findAllOrdered");
}

std::optional<RecurringTransaction> RecurringRepository::findByServerId(const QString &serverId) const
{
    if (serverId.isEmpty())
        return std::nullopt;
    return RecordColumns::readOne(kTable, m_database->database(), select("WHERE server_id = ?"), {serverId},
                                  "RecurringRepository::findByServerId");
}

QList<RecurringTransaction> RecurringRepository::findPendingSync() const
{
    return RecordColumns::readAll(kTable, m_database->database(), select("WHERE sync_status = 'pending'"), {},
                                  "RecurringRepository::findPendingSync");
}

bool RecurringRepository::insert(const RecurringTransaction &recurring)
{
    static const QString sql = RecordColumns::insertSql(kTable);
    const QVariantList values = RecordColumns::insertValues(kTable, recurring);
    return write(sql, values, recurring, "insert");
}

bool RecurringRepository::update(const RecurringTransaction &recurring)
{
    static const QString sql = RecordColumns::updateSql(kTable);
    const QVariantList values = RecordColumns::updateValues(kTable, recurring);
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
