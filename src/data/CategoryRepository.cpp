#include "CategoryRepository.h"

#include "ColumnTables.h"
#include "Database.h"
#include "SqlStatement.h"
#include "SqlValues.h"

namespace {

constexpr const auto &kTable = ColumnTables::categories;

QString select(const char *rest)
{
    return QStringLiteral("SELECT %1 FROM categories %2")
        .arg(RecordColumns::selectList(kTable), QLatin1String(rest));
}

int countOf(const QSqlDatabase &database, const QString &sql, const char *context)
{
    const std::optional<int> n = SqlStatement::readOne(
        database, sql, {}, [](const QSqlQuery &q) { return q.value(0).toInt(); }, context);
    return n.value_or(-1);
}

} // namespace

CategoryRepository::CategoryRepository(Database *database, QObject *parent)
    : SyncedRepository(database, kTable.name, "CategoryRepository", parent)
{
}

void CategoryRepository::announceChange(const QString &accountId)
{
    Q_UNUSED(accountId)
    emit categoriesChanged();
}

QList<Category> CategoryRepository::findAll() const
{
    return RecordColumns::readAll(kTable, m_database->database(),
                                  select("WHERE deleted_at IS NULL ORDER BY name"), {},
                                  "CategoryRepository::findAll");
}

std::optional<Category> CategoryRepository::findById(const QString &id) const
{
    return RecordColumns::readOne(kTable, m_database->database(), select("WHERE id = ?"), {id},
                                  "CategoryRepository::findById");
}

std::optional<Category> CategoryRepository::findByServerId(const QString &serverId) const
{
    if (serverId.isEmpty())
        return std::nullopt;
    return RecordColumns::readOne(kTable, m_database->database(), select("WHERE server_id = ?"), {serverId},
                                  "CategoryRepository::findByServerId");
}

QList<Category> CategoryRepository::findPendingSync() const
{
    return RecordColumns::readAll(kTable, m_database->database(), select("WHERE sync_status = 'pending'"), {},
                                  "CategoryRepository::findPendingSync");
}

int CategoryRepository::count() const
{
    return std::max(0, countOf(m_database->database(),
                               QStringLiteral("SELECT COUNT(*) FROM categories WHERE deleted_at IS NULL"),
                               "CategoryRepository::count"));
}

int CategoryRepository::countIncludingDeleted() const
{
    return countOf(m_database->database(), QStringLiteral("SELECT COUNT(*) FROM categories"),
                   "CategoryRepository::countIncludingDeleted");
}

bool CategoryRepository::insert(const Category &category)
{
    static const QString sql = RecordColumns::insertSql(kTable);
    if (!SqlStatement::write(m_database, sql, RecordColumns::insertValues(kTable, category),
                             "CategoryRepository::insert"))
        return false;
    emit categoriesChanged();
    return true;
}

bool CategoryRepository::update(const Category &category)
{
    static const QString sql = RecordColumns::updateSql(kTable);
    if (!SqlStatement::write(m_database, sql, RecordColumns::updateValues(kTable, category),
                             "CategoryRepository::update"))
        return false;
    emit categoriesChanged();
    return true;
}

bool CategoryRepository::softDelete(const QString &id)
{
    if (!stampDeleted(id, QDateTime()))
        return false;
    emit categoriesChanged();
    return true;
}
