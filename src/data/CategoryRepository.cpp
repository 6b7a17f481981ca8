#include "CategoryRepository.h"

#include "Database.h"
#include "SqlStatement.h"
#include "SqlValues.h"

namespace {

const char *const kTable = "categories";

const QStringList &editableColumns()
{
    static const QStringList list{"name",         "category_type", "parent_id",   "is_tax_relevant",
                                  "tax_category", "icon",          "color",       "is_default",
                                  "account_id",   "version",       "sync_status", "server_id"};
    return list;
}

QVariantList editableValues(const Category &c)
{
    return {SqlValues::text(c.name),           categoryTypeToString(c.categoryType),
            SqlValues::reference(c.parentId),  SqlValues::flag(c.isTaxRelevant),
            SqlValues::text(c.taxCategory),    SqlValues::text(c.icon),
            SqlValues::text(c.color),          SqlValues::flag(c.isDefault),
            SqlValues::reference(c.accountId), c.version,
            syncStatusToString(c.syncStatus),  SqlValues::reference(c.serverId)};
}

Category readCategory(const QSqlQuery &q)
{
    Category c;
    c.id = q.value(0).toString();
    c.name = SqlValues::readText(q.value(1));
    c.categoryType = categoryTypeFromString(q.value(2).toString());
    c.parentId = SqlValues::readText(q.value(3));
    c.isTaxRelevant = SqlValues::readFlag(q.value(4));
    c.taxCategory = SqlValues::readText(q.value(5));
    c.icon = SqlValues::readText(q.value(6));
    c.color = SqlValues::readText(q.value(7));
    c.isDefault = SqlValues::readFlag(q.value(8));
    c.accountId = SqlValues::readText(q.value(9));
    c.version = q.value(10).toInt();
    c.syncStatus = syncStatusFromString(q.value(11).toString());
    c.serverId = SqlValues::readText(q.value(12));
    c.createdAt = SqlValues::readTimestamp(q.value(13));
    c.updatedAt = SqlValues::readTimestamp(q.value(14));
    c.deletedAt = SqlValues::readOptionalTimestamp(q.value(15));
    return c;
}

QString select(const char *rest)
{
    return QStringLiteral("SELECT id, %1, created_at, updated_at, deleted_at FROM categories %2")
        .arg(editableColumns().join(QLatin1String(", ")), QLatin1String(rest));
}

int countOf(const QSqlDatabase &database, const QString &sql, const char *context)
{
    const std::optional<int> n = SqlStatement::readOne(
        database, sql, {}, [](const QSqlQuery &q) { return q.value(0).toInt(); }, context);
    return n.value_or(-1);
}

} // namespace

CategoryRepository::CategoryRepository(Database *database, QObject *parent)
    : SyncedRepository(database, kTable, "CategoryRepository", parent)
{
}

void CategoryRepository::announceChange(const QString &accountId)
{
    Q_UNUSED(accountId)
    emit categoriesChanged();
}

QList<Category> CategoryRepository::findAll() const
{
    return SqlStatement::readAll(m_database->database(), select("WHERE deleted_at IS NULL ORDER BY name"), {},
                                 readCategory, "CategoryRepository::findAll");
}

std::optional<Category> CategoryRepository::findById(const QString &id) const
{
    return SqlStatement::readOne(m_database->database(), select("WHERE id = ?"), {id}, readCategory,
                                 "CategoryRepository::findById");
}

std::optional<Category> CategoryRepository::findByServerId(const QString &serverId) const
{
    if (serverId.isEmpty())
        return std::nullopt;
    return SqlStatement::readOne(m_database->database(), select("WHERE server_id = ?"), {serverId},
                                 readCategory, "CategoryRepository::findByServerId");
}

QList<Category> CategoryRepository::findPendingSync() const
{
    return SqlStatement::readAll(m_database->database(), select("WHERE sync_status = 'pending'"), {},
                                 readCategory, "CategoryRepository::findPendingSync");
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
    static const QString sql = SqlStatement::insertSql(kTable, QStringList{"id"} + editableColumns() +
                                                                   QStringList{"created_at", "updated_at"});
    const QVariantList values =
        QVariantList{category.id} + editableValues(category) +
        QVariantList{SqlValues::timestamp(category.createdAt), SqlValues::timestamp(category.updatedAt)};
    if (!SqlStatement::write(m_database, sql, values, "CategoryRepository::insert"))
        return false;
    emit categoriesChanged();
    return true;
}

bool CategoryRepository::update(const Category &category)
{
    static const QString sql =
        SqlStatement::updateByIdSql(kTable, editableColumns() + QStringList{"updated_at"});
    const QVariantList values =
        editableValues(category) + QVariantList{SqlValues::timestamp(category.updatedAt), category.id};
    if (!SqlStatement::write(m_database, sql, values, "CategoryRepository::update"))
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
