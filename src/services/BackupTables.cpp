#include "BackupTables.h"

#include "SqlStatement.h"

#include <algorithm>
#include <numeric>

namespace BackupTables {

namespace {

Column id()
{
    return {"id", Kind::Id, "", 0};
}
Column text(const char *name, const char *fallback = "")
{
    return {name, Kind::Text, fallback, 0};
}
Column optional(const char *name)
{
    return {name, Kind::Optional, "", 0};
}
Column integer(const char *name, qint64 fallback = 0)
{
    return {name, Kind::Integer, "", fallback};
}

QList<Column> syncColumns()
{
    return {integer("version", 1), text("sync_status", "pending"), optional("server_id"), text("created_at"),
            text("updated_at"),    optional("deleted_at")};
}

Table table(const char *name, const char *folder, QList<Column> columns, int RestoreResult::*restored,
            int RestoreResult::*skipped)
{
    QList<int> order(columns.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&columns](int a, int b) { return qstrcmp(columns[a].name, columns[b].name) < 0; });
    return {name, QString::fromLatin1(folder), std::move(columns), restored, skipped, std::move(order)};
}

} // namespace

const std::array<Table, Count> &tables()
{
    static const std::array<Table, Count> list{{
        table("accounts", "accounts/",
              QList<Column>{id(), text("name"), text("account_type", "checking"), text("currency", "USD"),
                            text("institution"), text("account_number_last4"), integer("starting_balance"),
                            integer("sort_order"), integer("is_shared")} +
                  syncColumns(),
              &RestoreResult::accountsRestored, &RestoreResult::accountsSkipped),
        table("categories", "categories/",
              QList<Column>{id(), text("name"), text("category_type", "expense"), optional("parent_id"),
                            integer("is_tax_relevant"), text("tax_category"), text("icon"), text("color"),
                            integer("is_default"), optional("account_id")} +
                  syncColumns(),
              &RestoreResult::categoriesRestored, &RestoreResult::categoriesSkipped),
        table("transactions", "transactions/",
              QList<Column>{id(), text("account_id"), text("date"), text("payee"), text("memo"),
                            integer("amount"), optional("category_id"), text("check_number"),
                            integer("cleared"), integer("reconciled"), optional("transfer_link_id"),
                            optional("transfer_dest_account_id"), integer("is_split"),
                            optional("recurring_id")} +
                  syncColumns(),
              &RestoreResult::transactionsRestored, &RestoreResult::transactionsSkipped),
        table("split_lines", "split_lines/",
              QList<Column>{id(), text("transaction_id"), optional("category_id"), integer("amount"),
                            text("memo"), text("created_at"), text("updated_at")},
              &RestoreResult::splitLinesRestored, &RestoreResult::splitLinesSkipped),
        table("recurring_transactions", "recurring/",
              QList<Column>{id(), text("account_id"), text("payee"), text("memo"), integer("amount"),
                            optional("category_id"), text("frequency", "monthly"), text("start_date"),
                            optional("end_date"), text("next_due_date"), integer("auto_post"),
                            integer("is_active", 1), optional("transfer_dest_account_id")} +
                  syncColumns() +
                  QList<Column>{integer("lead_days"), integer("interval_count", 1),
                                integer("semimonthly_day_1", 1), integer("semimonthly_day_2", 15)},
              &RestoreResult::recurringRestored, &RestoreResult::recurringSkipped),
        table("reconciliations", "reconciliations/",
              QList<Column>{id(), text("account_id"), text("statement_date"), integer("statement_balance"),
                            integer("reconciled_balance"), text("completed_at")} +
                  syncColumns(),
              &RestoreResult::reconciliationsRestored, &RestoreResult::reconciliationsSkipped),
    }};
    return list;
}

int tableOf(const QString &name)
{
    for (size_t t = 0; t < Count; ++t) {
        if (name.startsWith(tables()[t].folder))
            return int(t);
    }
    return -1;
}

QStringList columnNames(const Table &table)
{
    QStringList names;
    for (const Column &column : table.columns)
        names << QLatin1String(column.name);
    return names;
}

int columnIndex(const Table &table, const char *name)
{
    for (qsizetype i = 0; i < table.columns.size(); ++i) {
        if (qstrcmp(table.columns[i].name, name) == 0)
            return int(i);
    }
    return -1;
}

QString upsertSql(const Table &table, bool replaceExisting)
{
    // Only literal names go into it.
    const QStringList names = columnNames(table);
    QString sql = SqlStatement::insertSql(table.name, names) + QStringLiteral(" ON CONFLICT(id) ");
    if (!replaceExisting)
        return sql + QStringLiteral("DO NOTHING");
    QStringList assignments;
    for (const QString &name : names.mid(1))
        assignments << QStringLiteral("%1 = excluded.%1").arg(name);
    return sql + QStringLiteral("DO UPDATE SET ") + assignments.join(QLatin1String(", "));
}

} // namespace BackupTables
