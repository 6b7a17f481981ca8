#include "BackupService.h"

#include "Database.h"
#include "DatabaseTransaction.h"
#include "RecordOrder.h"
#include "SqlStatement.h"
#include "SqlValues.h"
#include "ZipReader.h"
#include "ZipWriter.h"

#include <QDebug>
#include <QHash>
#include <QJsonDocument>
#include <QJsonValue>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <array>

namespace {

const QString kManifestName = QStringLiteral("manifest.json");
constexpr int kArchiveVersion = 1;

enum class Kind
{
    Text,     // NOT NULL text
    Optional, // text, NULL when empty (references, server id, deletion time)
    Integer,  // money, counts and 0/1 flags
};

struct Column
{
    const char *name;
    Kind kind;
    const char *textDefault = "";
    qint64 integerDefault = 0;
};

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

// One table of the archive: its folder, its columns in a fixed order (id
// first) with the value a missing or mistyped key takes, and its counters.
struct Table
{
    const char *name;
    QString folder;
    QList<Column> columns;
    int RestoreResult::*restored;
    int RestoreResult::*skipped;
};

const std::array<Table, 6> &tables()
{
    // Dependency order: a row's references are written before it.
    static const std::array<Table, 6> list{{
        {"accounts", QStringLiteral("accounts/"),
         QList<Column>{text("id"), text("name"), text("account_type", "checking"), text("currency", "USD"),
                       text("institution"), text("account_number_last4"), integer("starting_balance"),
                       integer("sort_order"), integer("is_shared")} +
             syncColumns(),
         &RestoreResult::accountsRestored, &RestoreResult::accountsSkipped},
        {"categories", QStringLiteral("categories/"),
         QList<Column>{text("id"), text("name"), text("category_type", "expense"), optional("parent_id"),
                       integer("is_tax_relevant"), text("tax_category"), text("icon"), text("color"),
                       integer("is_default"), optional("account_id")} +
             syncColumns(),
         &RestoreResult::categoriesRestored, &RestoreResult::categoriesSkipped},
        {"transactions", QStringLiteral("transactions/"),
         QList<Column>{text("id"), text("account_id"), text("date"), text("payee"), text("memo"),
                       integer("amount"), optional("category_id"), text("check_number"), integer("cleared"),
                       integer("reconciled"), optional("transfer_link_id"),
                       optional("transfer_dest_account_id"), integer("is_split"), optional("recurring_id")} +
             syncColumns(),
         &RestoreResult::transactionsRestored, &RestoreResult::transactionsSkipped},
        {"split_lines", QStringLiteral("split_lines/"),
         QList<Column>{text("id"), text("transaction_id"), optional("category_id"), integer("amount"),
                       text("memo"), text("created_at"), text("updated_at")},
         &RestoreResult::splitLinesRestored, &RestoreResult::splitLinesSkipped},
        {"recurring_transactions", QStringLiteral("recurring/"),
         QList<Column>{text("id"), text("account_id"), text("payee"), text("memo"), integer("amount"),
                       optional("category_id"), text("frequency", "monthly"), text("start_date"),
                       optional("end_date"), text("next_due_date"), integer("auto_post"),
                       integer("is_active", 1), optional("transfer_dest_account_id")} +
             syncColumns() +
             QList<Column>{integer("lead_days"), integer("interval_count", 1),
                           integer("semimonthly_day_1", 1), integer("semimonthly_day_2", 15)},
         &RestoreResult::recurringRestored, &RestoreResult::recurringSkipped},
        {"reconciliations", QStringLiteral("reconciliations/"),
         QList<Column>{text("id"), text("account_id"), text("statement_date"), integer("statement_balance"),
                       integer("reconciled_balance"), text("completed_at")} +
             syncColumns(),
         &RestoreResult::reconciliationsRestored, &RestoreResult::reconciliationsSkipped},
    }};
    return list;
}

QStringList columnNames(const Table &table)
{
    QStringList names;
    for (const Column &column : table.columns)
        names << QLatin1String(column.name);
    return names;
}

// The upsert for a table and mode; only literal names go into it.
QString upsertSql(const Table &table, RestoreMode mode)
{
    const QStringList names = columnNames(table);
    QString sql = SqlStatement::insertSql(table.name, names) + QStringLiteral(" ON CONFLICT(id) ");
    if (mode == RestoreMode::SkipExisting)
        return sql + QStringLiteral("DO NOTHING");
    QStringList assignments;
    for (const QString &name : names.mid(1))
        assignments << QStringLiteral("%1 = excluded.%1").arg(name);
    sql += QStringLiteral("DO UPDATE SET ") + assignments.join(QLatin1String(", "));
    if (mode == RestoreMode::KeepNewer)
        sql += QStringLiteral(" WHERE excluded.updated_at != '' AND excluded.updated_at > %1.updated_at")
                   .arg(QLatin1String(table.name));
    return sql;
}

QVariant bindValue(const Column &column, const QJsonValue &value)
{
    switch (column.kind) {
    case Kind::Integer:
        if (value.isBool())
            return qint64(value.toBool() ? 1 : 0);
        return value.toInteger(column.integerDefault);
    case Kind::Optional:
        if (value.isString() && !value.toString().isEmpty())
            return value.toString();
        return QVariant(QMetaType::fromType<QString>());
    case Kind::Text:
        if (value.isString())
            return SqlValues::text(value.toString());
        if (value.isDouble())
            return value.toVariant().toString();
        return QString::fromLatin1(column.textDefault);
    }
    return {};
}

QJsonValue jsonValue(const Column &column, const QVariant &value)
{
    switch (column.kind) {
    case Kind::Integer:
        return QJsonValue(value.toLongLong());
    case Kind::Optional:
        return value.isNull() ? QJsonValue(QJsonValue::Null) : QJsonValue(value.toString());
    case Kind::Text:
        return QJsonValue(value.toString());
    }
    return {};
}

} // namespace

BackupService::BackupService(Database *database, QObject *parent)
    : QObject(parent)
    , m_database(database)
{
}

void BackupService::setLimits(qint64 maxEntries, qint64 maxEntrySize)
{
    m_maxEntries = maxEntries;
    m_maxEntrySize = maxEntrySize;
}

QByteArray BackupService::createBackup() const
{
    ZipWriter writer;
    // Reads inside one transaction see one snapshot, whatever is written
    // meanwhile.
    DatabaseTransaction snapshot(m_database, "BackupService::createBackup");
    for (const Table &table : tables()) {
        QSqlQuery query(m_database->database());
        query.setForwardOnly(true);
        const QString sql = QStringLiteral("SELECT %1 FROM %2 ORDER BY id")
                                .arg(columnNames(table).join(QLatin1String(", ")), QLatin1String(table.name));
        if (!query.exec(sql)) {
            qWarning() << "BackupService::createBackup failed:" << query.lastError().text();
            return {};
        }
        while (query.next()) {
            QJsonObject row;
            for (int i = 0; i < table.columns.size(); ++i)
                row.insert(QLatin1String(table.columns[i].name), jsonValue(table.columns[i], query.value(i)));
            // The id is percent-encoded so that any id makes one plain name.
            const QString name = table.folder +
                                 QString::fromLatin1(QUrl::toPercentEncoding(query.value(0).toString())) +
                                 QStringLiteral(".json");
            if (!writer.addFile(name, QJsonDocument(row).toJson(QJsonDocument::Compact)))
                return {};
        }
    }
    const QJsonObject manifest{{QStringLiteral("version"), kArchiveVersion},
                               {QStringLiteral("created_at"), SqlValues::nowText()}};
    if (!writer.addFile(kManifestName, QJsonDocument(manifest).toJson(QJsonDocument::Indented)))
        return {};
    snapshot.commit();
    return writer.finish();
}

std::optional<QJsonObject> BackupService::readObject(const ZipReader &reader, int index,
                                                     RestoreResult &result) const
{
    const ZipReader::Entry &entry = reader.entries().at(index);
    if (qint64(entry.size) > m_maxEntrySize) {
        result.errors << tr("%1: entry too large").arg(entry.name);
        return std::nullopt;
    }
    const std::optional<QByteArray> bytes = reader.read(entry, m_maxEntrySize);
    if (!bytes) {
        result.errors << tr("%1: damaged entry").arg(entry.name);
        return std::nullopt;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(*bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        result.errors << tr("%1: invalid JSON").arg(entry.name);
        return std::nullopt;
    }
    return document.object();
}

RestoreResult BackupService::restoreBackup(const QByteArray &archive, RestoreMode mode) const
{
    RestoreResult result;
    const ZipReader reader(archive, m_maxEntries);
    if (reader.status() == ZipReader::Status::TooManyEntries) {
        result.errors << tr("Too many entries in backup: %1").arg(reader.declaredEntryCount());
        return result;
    }
    if (reader.status() != ZipReader::Status::Ok) {
        result.errors << tr("Failed to open ZIP archive");
        return result;
    }

    const QList<ZipReader::Entry> &entries = reader.entries();
    int manifestIndex = -1;
    std::array<QList<int>, 6> indices;
    for (int i = 0; i < entries.size(); ++i) {
        const ZipReader::Entry &entry = entries[i];
        if (entry.isDirectory())
            continue;
        if (entry.name == kManifestName) {
            manifestIndex = i;
            continue;
        }
        for (size_t t = 0; t < tables().size(); ++t) {
            if (entry.name.startsWith(tables()[t].folder)) {
                indices[t].append(i);
                break;
            }
        }
    }
    if (manifestIndex < 0) {
        result.errors << tr("Invalid backup: missing manifest.json");
        return result;
    }
    const std::optional<QJsonObject> manifest = readObject(reader, manifestIndex, result);
    if (!manifest)
        return result;
    const QJsonValue version = manifest->value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() != kArchiveVersion) {
        result.errors << tr("Unsupported backup version: %1")
                             .arg(version.isDouble() ? QString::number(version.toDouble())
                                                     : version.toVariant().toString());
        return result;
    }

    if (int(mode) < 0 || int(mode) > 2)
        mode = RestoreMode::SkipExisting;
    DatabaseTransaction transaction(m_database, "BackupService::restoreBackup");
    bool intact = true;
    for (size_t t = 0; t < tables().size() && intact; ++t) {
        const Table &table = tables()[t];
        if (table.folder == QLatin1String("categories/")) {
            // Only what the order needs is kept of each category, and each is
            // read again when written: all of them at once, each up to the
            // entry limit, could take hundreds of times the archive's size.
            QList<Row> rows;
            for (int index : indices[t]) {
                if (auto object = readObject(reader, index, result)) {
                    const QJsonObject order{
                        {QStringLiteral("id"), object->value(QStringLiteral("id"))},
                        {QStringLiteral("parent_id"), object->value(QStringLiteral("parent_id"))}};
                    rows.append({entries[index].name, order, index});
                }
            }
            for (const Row &row : parentsFirst(std::move(rows))) {
                RestoreResult again;
                auto object = readObject(reader, row.index, again);
                if (object && !(intact = restoreRow(t, {row.fileName, std::move(*object)}, mode, result)))
                    break;
            }
            continue;
        }
        for (int index : indices[t]) {
            auto object = readObject(reader, index, result);
            if (object && !(intact = restoreRow(t, {entries[index].name, std::move(*object)}, mode, result)))
                break;
        }
    }
    if (!intact || !transaction.commit()) {
        // Nothing of this restore is in the database.
        QStringList errors = result.errors;
        errors << tr("The restore could not be saved: %1").arg(m_database->database().lastError().text());
        result = RestoreResult();
        result.errors = errors;
    }
    return result;
}

bool BackupService::runStatement(const QString &sql) const
{
    QSqlQuery *query = m_database->reusableQuery(sql);
    return query && query->exec();
}

bool BackupService::restoreRow(size_t tableIndex, const Row &row, RestoreMode mode,
                               RestoreResult &result) const
{
    const Table &table = tables()[tableIndex];
    const QJsonValue id = row.object.value(QStringLiteral("id"));
    if (!id.isString() || id.toString().isEmpty()) {
        result.errors << tr("%1: invalid JSON").arg(row.fileName);
        return true;
    }
    // Built once per table and mode.
    static std::array<std::array<QString, 3>, 6> statements;
    QString &sql = statements[tableIndex][size_t(mode)];
    if (sql.isEmpty())
        sql = upsertSql(table, mode);

    // A failed statement undoes only itself, but an error that ends the
    // whole transaction would leave later rows committing one by one: the
    // savepoint notices that and stops the restore.
    if (!runStatement(QStringLiteral("SAVEPOINT backup_row")))
        return false;
    QSqlQuery *query = m_database->reusableQuery(sql);
    if (query) {
        for (const Column &column : table.columns)
            query->addBindValue(bindValue(column, row.object.value(QLatin1String(column.name))));
    }
    if (query && query->exec()) {
        ++(result.*(query->numRowsAffected() > 0 ? table.restored : table.skipped));
        return runStatement(QStringLiteral("RELEASE backup_row"));
    }
    const QString reason = query ? query->lastError().text() : m_database->database().lastError().text();
    result.errors << tr("%1: could not be written: %2").arg(row.fileName, reason);
    return runStatement(QStringLiteral("ROLLBACK TO backup_row")) &&
           runStatement(QStringLiteral("RELEASE backup_row"));
}

QList<BackupService::Row> BackupService::parentsFirst(QList<Row> categories)
{
    // A row whose parent is not in the archive, absent or on a cycle then fails alone.
    return RecordOrder::parentsFirst(
        std::move(categories),
        [](const Row &row) { return row.object.value(QStringLiteral("id")).toString(); },
        [](const Row &row) { return row.object.value(QStringLiteral("parent_id")).toString(); });
}
