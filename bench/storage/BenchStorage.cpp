// Measures the storage layer against the least work that gives the same
// answer through the SQLite C API on its own connection to the same file, in
// the same run, and prints the ratios. Each figure is the median of the rounds,
// the two sides alternating (the C API first in every other round); a ratio
// over its target, or a different answer, makes the exit status 1.

#include "AccountRepository.h"
#include "BenchBook.h"
#include "BenchCommon.h"
#include "Database.h"
#include "MigrationRunner.h"
#include "TransactionRepository.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUuid>
#include <array>
#include <utility>
#include <vector>

namespace {

constexpr int kTransactions = 100000;
constexpr int kInserts = 10000;

using Bench::bindText;
using Bench::millisSince;
using Bench::out;
using Bench::Raw;

// The inserted rows, read back after each side (not timed).
qint64 insertedRows(Raw &raw, const QByteArray &account)
{
    sqlite3_stmt *s = raw.statement(QStringLiteral("SELECT COUNT(*), SUM(amount) FROM transactions WHERE "
                                                   "account_id = ? AND created_at = '2030-01-01T00:00:00Z'"));
    bindText(s, 1, account);
    const qint64 answer = sqlite3_step(s) == SQLITE_ROW
                              ? sqlite3_column_int64(s, 0) * 1000000000LL + sqlite3_column_int64(s, 1)
                              : -1;
    // A statement left on a row holds its read transaction open.
    sqlite3_reset(s);
    return answer;
}

// Rows of the kind an import writes, into an account of the book, with its
// payees and subcategories.
Transaction sample(int i, const QString &accountId, const QStringList &categories)
{
    Transaction t;
    t.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    t.accountId = accountId;
    t.date = QDate(2024, 1, 1).addDays(i % 365);
    t.payee = QString::fromUtf8(Bench::BookData::payees().at(i % Bench::BookData::payees().size()));
    t.memo = QStringLiteral("imported");
    t.amount = -(i % 9000);
    t.categoryId = categories.at(i % categories.size());
    t.createdAt = QDateTime(QDate(2030, 1, 1), QTime(0, 0), Qt::UTC);
    t.updatedAt = t.createdAt;
    return t;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Bench::BookShape shape;
    shape.transactions = kTransactions;
    const QString book = Bench::keptBook(QStringLiteral(TALLYFERN_BENCH_DATA_DIR), shape);
    const QList<QByteArray> bookAccounts = Bench::bookAccounts(book);
    QTemporaryDir dir;
    if (book.isEmpty() || bookAccounts.size() < 2 ||
        !QFile::copy(book, dir.filePath(QLatin1String(Database::FileName))))
        return 2;
    Database db(dir.path());
    if (!db.open() || !MigrationRunner(&db).migrate())
        return 2;
    QStringList subcategories;
    QSqlQuery leaves(db.database());
    leaves.exec(QStringLiteral("SELECT id FROM categories WHERE parent_id IS NOT NULL ORDER BY name"));
    while (leaves.next())
        subcategories.append(leaves.value(0).toString());
    if (subcategories.isEmpty())
        return 2;
    out() << QStringLiteral("the book of %1 transactions over %2 accounts (largest %3 rows)\n")
                 .arg(kTransactions)
                 .arg(bookAccounts.size())
                 .arg(shape.largest());
    out() << QStringLiteral(
                 "each ratio: repository / the same answer through the C API, median of %1 rounds\n")
                 .arg(Bench::Rounds);

    AccountRepository accounts(&db);
    TransactionRepository transactions(&db);
    Raw raw(db.filePath());
    if (!raw.isOpen() || !raw.matchSettings(db.database()))
        return 2;
    bool allOk = true;

    // Register rows: the same rows, balances and category paths.
    const QString big = QString::fromLatin1(bookAccounts.constFirst());
    const QByteArray bigUtf8 = big.toUtf8();
    allOk &=
        Bench::reportPair(QStringLiteral("register rows (20,000-row account)"),
                          Bench::alternate(
                              [&](qint64 *answer) {
                                  QElapsedTimer timer;
                                  timer.start();
                                  const QList<RegisterRow> rows = transactions.registerRows(big);
                                  const double millis = millisSince(timer);
                                  *answer =
                                      rows.isEmpty() ? 0 : rows.size() * 1000000000LL + rows.last().balance;
                                  return millis;
                              },
                              [&](qint64 *answer) {
                                  QElapsedTimer timer;
                                  timer.start();
                                  sqlite3_stmt *s = raw.statement(TransactionRepository::registerRowsSql());
                                  bindText(s, 1, bigUtf8);
                                  bindText(s, 2, bigUtf8);
                                  qint64 balance = 0;
                                  const qint64 rows = Bench::stepRegister(s, &balance);
                                  const double millis = millisSince(timer);
                                  *answer = rows * 1000000000LL + balance;
                                  return millis;
                              }),
                          1.5);

    // Balances of all accounts, against reading the sums the file keeps per
    // account through the C API.
    auto weighted = [](const QByteArray &id, qint64 balance) { return balance * (id.right(2).toInt() + 1); };
    allOk &= Bench::reportPair(
        QStringLiteral("all balances"),
        Bench::alternate(
            [&](qint64 *answer) {
                QElapsedTimer timer;
                timer.start();
                const QHash<QString, qint64> balances = accounts.balances(QStringLiteral("current"));
                const double millis = millisSince(timer);
                qint64 sum = 0;
                for (auto it = balances.begin(); it != balances.end(); ++it)
                    sum += weighted(it.key().toUtf8(), it.value());
                *answer = sum;
                return millis;
            },
            [&](qint64 *answer) {
                QElapsedTimer timer;
                timer.start();
                sqlite3_stmt *s = raw.statement(AccountRepository::balancesSql(QStringLiteral("current")));
                qint64 sum = 0;
                while (sqlite3_step(s) == SQLITE_ROW) {
                    const QByteArray id(reinterpret_cast<const char *>(sqlite3_column_text(s, 0)),
                                        sqlite3_column_bytes(s, 0));
                    sum += weighted(id, sqlite3_column_int64(s, 1));
                }
                const double millis = millisSince(timer);
                *answer = sum;
                return millis;
            },
            Bench::MicroRounds),
        1.5);

    // Search for a common prefix: the 200 newest matches with category paths,
    // every column read.
    const QByteArray match = TransactionRepository::fullTextQuery(QStringLiteral("gro")).toUtf8();
    allOk &= Bench::reportPair(
        QStringLiteral("search \"gro\""),
        Bench::alternate(
            [&](qint64 *answer) {
                QElapsedTimer timer;
                timer.start();
                const QList<RegisterRow> rows = transactions.search(QStringLiteral("gro"), {});
                const double millis = millisSince(timer);
                qint64 sum = rows.size();
                for (const RegisterRow &row : rows)
                    sum += row.transaction.amount;
                *answer = sum;
                return millis;
            },
            [&](qint64 *answer) {
                QElapsedTimer timer;
                timer.start();
                sqlite3_stmt *s = raw.statement(QStringLiteral(
                    "SELECT t.id, t.account_id, t.date, t.payee, t.memo, t.amount, t.category_id, "
                    "t.check_number, t.cleared, t.reconciled, t.transfer_link_id, "
                    "t.transfer_dest_account_id, "
                    "t.is_split, t.recurring_id, t.version, t.sync_status, t.server_id, t.created_at, "
                    "t.updated_at, t.deleted_at, "
                    "CASE WHEN p.id IS NULL THEN COALESCE(c.name, '') ELSE p.name || ' > ' || c.name END "
                    "FROM transactions_fts JOIN transactions t ON t.rowid = transactions_fts.rowid "
                    "LEFT JOIN categories c ON c.id = t.category_id AND c.deleted_at IS NULL "
                    "LEFT JOIN categories p ON p.id = c.parent_id AND p.deleted_at IS NULL "
                    "WHERE t.deleted_at IS NULL AND transactions_fts MATCH ? "
                    "ORDER BY t.date DESC, t.created_at DESC LIMIT 200"));
                bindText(s, 1, match);
                qint64 amounts = 0;
                const qint64 rows =
                    Bench::stepRows(s, [&](sqlite3_stmt *row) { amounts += sqlite3_column_int64(row, 5); });
                const double millis = millisSince(timer);
                *answer = rows + amounts;
                return millis;
            }),
        2.0);

    // Payee list.
    allOk &= Bench::reportPair(
        QStringLiteral("all payees"),
        Bench::alternate(
            [&](qint64 *answer) {
                QElapsedTimer timer;
                timer.start();
                const QStringList list = transactions.allPayees();
                const double millis = millisSince(timer);
                *answer = list.isEmpty() ? 0 : qint64(list.size()) * 1000 + list.last().toUtf8().size();
                return millis;
            },
            [&](qint64 *answer) {
                QElapsedTimer timer;
                timer.start();
                sqlite3_stmt *s = raw.statement(TransactionRepository::allPayeesSql());
                int lastBytes = 0;
                const qint64 rows =
                    Bench::stepRows(s, [&](sqlite3_stmt *row) { lastBytes = sqlite3_column_bytes(row, 0); });
                const double millis = millisSince(timer);
                *answer = rows * 1000 + lastBytes;
                return millis;
            }),
        1.5);

    // 10,000 inserts inside one database transaction, into an empty account
    // each round: the rows are made before the clock starts, and emptied again
    // after it stops.
    const QString target = QString::fromLatin1(bookAccounts.constLast());
    const QByteArray targetUtf8 = target.toUtf8();
    auto removeInserted = [&raw] {
        sqlite3_stmt *s = raw.statement(
            QStringLiteral("DELETE FROM transactions WHERE created_at = '2030-01-01T00:00:00Z'"));
        sqlite3_step(s);
    };
    allOk &= Bench::reportPair(
        QStringLiteral("insert 10,000 in one transaction"),
        Bench::alternate(
            [&](qint64 *answer) {
                QList<Transaction> rows;
                rows.reserve(kInserts);
                for (int i = 0; i < kInserts; ++i)
                    rows.append(sample(i, target, subcategories));
                QElapsedTimer timer;
                timer.start();
                db.database().transaction();
                for (const Transaction &t : std::as_const(rows))
                    transactions.insert(t);
                db.database().commit();
                const double millis = millisSince(timer);
                *answer = insertedRows(raw, targetUtf8);
                removeInserted();
                return millis;
            },
            [&](qint64 *answer) {
                // The text of each row as the file holds it.
                std::vector<std::array<QByteArray, 9>> rows;
                std::vector<qint64> amounts;
                rows.reserve(kInserts);
                for (int i = 0; i < kInserts; ++i) {
                    const Transaction t = sample(i, target, subcategories);
                    rows.push_back({t.id.toUtf8(), t.accountId.toUtf8(),
                                    t.date.toString(Qt::ISODate).toUtf8(), t.payee.toUtf8(), t.memo.toUtf8(),
                                    QByteArray(), t.categoryId.toUtf8(),
                                    t.createdAt.toString(Qt::ISODate).toUtf8(),
                                    t.updatedAt.toString(Qt::ISODate).toUtf8()});
                    amounts.push_back(t.amount);
                }
                QElapsedTimer timer;
                timer.start();
                raw.exec("BEGIN");
                sqlite3_stmt *s = raw.statement(QStringLiteral(
                    "INSERT INTO transactions (id, account_id, date, payee, memo, amount, category_id, "
                    "check_number, cleared, reconciled, transfer_link_id, transfer_dest_account_id, "
                    "is_split, "
                    "recurring_id, version, sync_status, server_id, created_at, updated_at) "
                    "VALUES (?, ?, ?, ?, ?, ?, ?, '', 0, 0, NULL, NULL, 0, NULL, 1, 'pending', NULL, ?, ?)"));
                for (int i = 0; i < kInserts; ++i) {
                    const std::array<QByteArray, 9> &row = rows[std::size_t(i)];
                    for (int column : {0, 1, 2, 3, 4, 6, 7, 8})
                        bindText(s, column + 1, row[std::size_t(column)]);
                    sqlite3_bind_int64(s, 6, amounts[std::size_t(i)]);
                    if (sqlite3_step(s) != SQLITE_DONE)
                        fprintf(stderr, "insert failed: %s\n", sqlite3_errmsg(raw.handle()));
                    sqlite3_reset(s);
                }
                raw.exec("COMMIT");
                const double millis = millisSince(timer);
                *answer = insertedRows(raw, targetUtf8);
                removeInserted();
                return millis;
            }),
        2.0);

    out() << (allOk ? "all targets met\n" : "some targets missed\n");
    out().flush();
    return allOk ? 0 : 1;
}
