#include "TransactionBatch.h"

#include "ColumnTables.h"
#include "Database.h"
#include "RecordColumns.h"
#include "SqliteStatement.h"

#include <QSqlQuery>
#include <QStringList>
#include <type_traits>

namespace {

constexpr const auto &kTable = ColumnTables::transactions;

// Rows per statement: as many as keep its values within the 999 that every
// SQLite takes (the limit was raised only in 3.32), about fifty, so that the
// index writes once for that many rows.
const int kBatchRows = [] {
    using RecordColumns::Written;
    return 999 / int(RecordColumns::names(kTable, {Written::Key, Written::OnInsert, Written::Always}).size());
}();

QString insertSql(int rows)
{
    const QString one = RecordColumns::insertSql(kTable);
    const qsizetype values = one.indexOf(QLatin1String(" VALUES ("));
    const QString tuple = one.mid(values + 8);
    QStringList tuples;
    tuples.fill(tuple, rows);
    return one.left(values + 8) + tuples.join(QLatin1String(", "));
}

} // namespace

TransactionBatch::TransactionBatch(Database *database)
    : m_database(database)
{
    m_pending.reserve(kBatchRows);
}

TransactionBatch::~TransactionBatch() = default;

bool TransactionBatch::add(const Transaction &transaction)
{
    m_pending.append(transaction);
    return m_pending.size() < kBatchRows || flush();
}

bool TransactionBatch::flush()
{
    if (m_pending.isEmpty())
        return true;
    std::unique_ptr<SqliteStatement> tail;
    if (!write(m_pending, m_pending.size() == kBatchRows ? m_full : tail)) {
        // The failed statement took back only itself: row by row, the one at
        // fault shows with its own reason.
        // Under a savepoint undone after: should the failure have ended the
        // caller's transaction, these rows must not be kept one by one.
        const QString batchError = m_error;
        QSqlQuery query(m_database->database());
        m_failedIndex = -1;
        if (query.exec(QStringLiteral("SAVEPOINT batch_fault"))) {
            for (int i = 0; i < m_pending.size() && m_failedIndex < 0; ++i) {
                if (!write({m_pending.at(i)}, m_one))
                    m_failedIndex = i;
            }
            query.exec(QStringLiteral("ROLLBACK TO batch_fault"));
            query.exec(QStringLiteral("RELEASE batch_fault"));
        }
        if (m_failedIndex < 0) {
            m_failedIndex = 0;
            m_error = batchError;
        }
        return false;
    }
    m_pending.clear();
    return true;
}

bool TransactionBatch::write(const QList<Transaction> &rows, std::unique_ptr<SqliteStatement> &statement)
{
    if (!statement)
        statement = std::make_unique<SqliteStatement>(m_database->database(), insertSql(int(rows.size())));
    // The columns of RecordColumns::insertValues, in its order; the rows of
    // one import share their time stamps, which are written out once.
    int index = 0;
    for (const Transaction &row : rows) {
        RecordColumns::forEach(kTable.columns, [&](const auto &column) {
            using Column = std::remove_cvref_t<decltype(column)>;
            if (column.written == RecordColumns::Written::Elsewhere)
                return;
            if constexpr (Column::kind == RecordColumns::Kind::Timestamp && !Column::optional) {
                const QDateTime &stamp = Column::get(row);
                if (stamp != m_stamp || m_stampText.isEmpty()) {
                    m_stamp = stamp;
                    m_stampText = SqlValues::timestampText(stamp).toUtf8();
                }
                statement->bindText(index++, m_stampText);
            } else {
                statement->bindValue(index++, column.toSql(row));
            }
        });
    }
    if (statement->exec())
        return true;
    m_error = statement->errorText();
    return false;
}
