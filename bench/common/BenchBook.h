#pragma once

// The one book every benchmark runs on: the schema through the program's
// migrations, then accounts, parent categories before their subcategories,
// transactions with split lines, transfers (two legs naming each other) and
// a few soft-deleted rows, written through the C API in one transaction. Ids
// are random UUIDs, as the program makes them, so that nothing depends on
// ids sorting in the order rows were written. Payees and memos come from a
// vocabulary of real-looking names, a few of them far more common than the
// rest, as in a household's books. The same shape gives the same rows but
// for the ids.

#include "BenchCommon.h"
#include "Database.h"
#include "MigrationRunner.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringList>
#include <QUuid>

namespace Bench {

// Part of a kept book's file name: bump when the rows change.
constexpr int BookVersion = 2;

struct BookShape
{
    int transactions = 100000;
    int accounts = 20;
    // Rows of account 0 (the largest) and account 1 (a small one); the rest
    // are spread over the other accounts. A negative largest is a fifth.
    int largestRows = -1;
    int smallRows = 200;
    // Every n-th plain row is soft-deleted; 0 deletes none.
    int deletedEvery = 97;
    // Recurring rules and reconciliations, spread over the accounts.
    int recurring = 0;
    int reconciliations = 0;

    int largest() const { return largestRows < 0 ? transactions / 5 : largestRows; }
};

namespace BookData {

inline QByteArray newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1();
}

// Payees, most common first; the chains get store numbers, as bank
// statements show them.
inline const QList<QByteArray> &payees()
{
    static const QList<QByteArray> list = [] {
        const char *const names[] = {
            "Grocery Outlet", "Safeway", "Shell", "Amazon", "Starbucks", "Trader Joe's", "Payroll",
            "Green Grocer", "Costco", "Target", "Walgreens", "CVS Pharmacy", "Chevron", "Whole Foods Market",
            "Rent", "City Water", "Power Company", "Comcast", "Verizon Wireless", "Netflix", "Spotify",
            "Home Depot", "Lowe's", "Best Buy", "Apple", "Google", "Uber", "Lyft", "McDonald's",
            "Chipotle", "Subway", "Panera Bread", "Dunkin'", "Peet's Coffee", "Ground Coffee", "Gap",
            "Goodwill", "GameStop", "Great Clips", "Guitar Center", "Golden Corral", "Giant Eagle",
            "Groceries Direct", "Grove Pharmacy", "Gas Station", "Geico", "State Farm", "Kaiser Permanente",
            "Blue Cross", "Planet Fitness", "Petco", "PetSmart", "Barnes & Noble", "Macy's", "Nordstrom",
            "Kohl's", "TJ Maxx", "Ross", "IKEA", "Wayfair", "eBay", "Etsy", "PayPal", "Venmo", "Zelle",
            "Dentist", "Pediatrics Clinic", "Vet Clinic", "Dry Cleaner", "Car Wash", "Parking",
            "Toll Road", "Airline", "Hotel", "Cinema", "Bakery", "Farmers Market", "Hardware Store",
            "Book Shop", "Pizza Place", "Thai Kitchen", "Sushi Bar", "Taqueria", "Burger Joint",
            "Ice Cream", "Florist", "Post Office", "DMV", "IRS", "County Tax", "School District",
            "Daycare", "Music Lessons", "Soccer Club", "Library", "Church", "Red Cross", "Interest",
            "Bank Fee", "ATM Withdrawal", "Transfer"};
        const char *const chains[] = {"Safeway", "Shell", "Starbucks", "Chevron", "Walgreens",
                                      "CVS Pharmacy", "McDonald's", "Target", "Subway", "Gas Station"};
        QList<QByteArray> out;
        for (const char *name : names) {
            out.append(name);
            for (const char *chain : chains) {
                if (qstrcmp(name, chain) != 0)
                    continue;
                for (int store = 1; store <= 30; ++store)
                    out.append(QByteArray(name) + " #" + QByteArray::number(100 + store * 37));
            }
        }
        return out;
    }();
    return list;
}

inline const QList<QByteArray> &memos()
{
    static const QList<QByteArray> list = {
        "weekly shopping", "groceries", "gas", "dinner with friends", "lunch", "coffee", "birthday gift",
        "gift for mom", "school supplies", "new shoes", "monthly bill", "reimbursed", "refund",
        "vacation", "car repair", "oil change", "doctor visit", "prescription", "haircut", "movie night",
        "books", "garden", "home repair", "pet food", "insurance", "subscription", "donation",
        "graduation party", "groceries for the week", "game night", "green beans and more"};
    return list;
}

// Parent categories and their subcategories.
struct CategoryGroup
{
    const char *parent;
    const char *type;
    QList<const char *> children;
};

inline const QList<CategoryGroup> &categoryGroups()
{
    static const QList<CategoryGroup> list = {
        {"Food", "expense", {"Groceries", "Dining Out", "Coffee"}},
        {"Housing", "expense", {"Rent", "Repairs", "Furniture"}},
        {"Utilities", "expense", {"Electricity", "Water", "Internet", "Phone"}},
        {"Transportation", "expense", {"Fuel", "Parking", "Maintenance", "Transit"}},
        {"Health", "expense", {"Doctor", "Pharmacy", "Dental"}},
        {"Shopping", "expense", {"Clothing", "Electronics", "Household"}},
        {"Entertainment", "expense", {"Movies", "Music", "Games"}},
        {"Personal", "expense", {"Gifts", "Hair", "Fitness"}},
        {"Insurance", "expense", {}},
        {"Taxes", "expense", {}},
        {"Salary", "income", {"Wages", "Bonus"}},
        {"Other Income", "income", {"Interest", "Refunds"}},
    };
    return list;
}

// A skewed pick in [0, count): low indexes far more often, as a few payees
// make most of a household's rows.
inline int skewed(quint32 random, int count)
{
    const double u = double(random % 1000003) / 1000003.0;
    return qMin(count - 1, int(u * u * u * count));
}

} // namespace BookData

// Writes the book of `shape` at `path`. False when a step failed.
inline bool generateBook(const QString &path, const BookShape &shape)
{
    QFile::remove(path);
    const QString directory = QFileInfo(path).absolutePath() +
                              QStringLiteral("/schema-%1-%2").arg(QFileInfo(path).completeBaseName()).arg(shape.transactions);
    QDir(directory).removeRecursively();
    {
        Database db(directory);
        if (!db.open() || !MigrationRunner(&db).migrate())
            return false;
    }
    const bool moved = QFile::rename(directory + QLatin1Char('/') + QLatin1String(Database::FileName), path);
    QDir(directory).removeRecursively();
    if (!moved)
        return false;

    Raw raw(path);
    if (!raw.isOpen() || !raw.exec("PRAGMA journal_mode = DELETE") || !raw.exec("BEGIN"))
        return false;
    const QByteArray stamp = "2020-01-01T00:00:00Z";
    auto done = [](sqlite3_stmt *s) {
        const bool ok = sqlite3_step(s) == SQLITE_DONE;
        sqlite3_reset(s);
        return ok;
    };

    QList<QByteArray> accounts;
    const char *const accountNames[] = {"Checking", "Small Savings", "Credit Card", "Joint Checking"};
    for (int i = 0; i < shape.accounts; ++i) {
        accounts.append(BookData::newId());
        sqlite3_stmt *s = raw.statement(QStringLiteral(
            "INSERT INTO accounts (id, name, starting_balance, sort_order, created_at, updated_at) "
            "VALUES (?, ?, ?, ?, ?, ?)"));
        bindText(s, 1, accounts.last());
        bindText(s, 2, i < 4 ? QByteArray(accountNames[i]) : "Account " + QByteArray::number(i));
        sqlite3_bind_int64(s, 3, 100000 * i);
        sqlite3_bind_int(s, 4, i);
        bindText(s, 5, stamp);
        bindText(s, 6, stamp);
        if (!done(s))
            return false;
    }

    // Parents first: a subcategory names its parent, whose id may sort after its own.
    QList<QByteArray> leaves;
    for (const BookData::CategoryGroup &group : BookData::categoryGroups()) {
        const QByteArray parentId = BookData::newId();
        auto insert = [&](const QByteArray &id, const char *name, const QByteArray &parent) {
            sqlite3_stmt *s = raw.statement(
                QStringLiteral("INSERT INTO categories (id, name, category_type, parent_id, created_at, "
                               "updated_at) VALUES (?, ?, ?, ?, ?, ?)"));
            bindText(s, 1, id);
            bindText(s, 2, name);
            bindText(s, 3, group.type);
            if (parent.isEmpty())
                sqlite3_bind_null(s, 4);
            else
                bindText(s, 4, parent);
            bindText(s, 5, stamp);
            bindText(s, 6, stamp);
            return done(s);
        };
        if (!insert(parentId, group.parent, QByteArray()))
            return false;
        if (group.children.isEmpty())
            leaves.append(parentId);
        for (const char *child : group.children) {
            leaves.append(BookData::newId());
            if (!insert(leaves.last(), child, parentId))
                return false;
        }
    }

    const int total = shape.transactions;
    const int large = shape.largest();
    const int others = qMax(1, shape.accounts - 2);
    auto accountOf = [&](int i) {
        if (i < large)
            return 0;
        if (i < large + shape.smallRows)
            return 1;
        return qMin(shape.accounts - 1, 2 + i % others);
    };
    quint32 seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    const QList<QByteArray> &payees = BookData::payees();
    const QList<QByteArray> &memos = BookData::memos();
    const QDate first(2019, 1, 1);
    const QDateTime created(first, QTime(8, 0), Qt::UTC);
    QByteArray pendingLegId; // the second leg of a transfer, named by the first
    QByteArray pendingLegLink;
    QByteArray pendingLegAccount;
    QByteArray pendingLegDate;
    qint64 pendingLegAmount = 0;
    for (int i = 0; i < total; ++i) {
        const bool secondLeg = !pendingLegId.isEmpty();
        // Every fiftieth row starts a transfer, whose other leg is the next row.
        const bool firstLeg = !secondLeg && i % 50 == 24 && i + 1 < total;
        const bool split = !secondLeg && !firstLeg && i % 20 == 0;
        int account = accountOf(i);
        QByteArray id = secondLeg ? pendingLegId : BookData::newId();
        if (secondLeg)
            account = int(accounts.indexOf(pendingLegAccount));
        qint64 amount = secondLeg ? pendingLegAmount : -qint64(next() % 50000) + (i % 10 == 0 ? 150000 : 0);
        const QByteArray date =
            secondLeg ? pendingLegDate : first.addDays(int(next() % 1800)).toString(Qt::ISODate).toLatin1();
        const QByteArray when = created.addSecs(qint64(i) * 37).toString(Qt::ISODate).toLatin1();
        QByteArray link;
        QByteArray dest;
        if (firstLeg) {
            int other = accountOf(i + 1);
            if (other == account)
                other = 2 + (account + 1) % others;
            pendingLegId = BookData::newId();
            pendingLegLink = id;
            pendingLegAccount = accounts.at(other);
            pendingLegDate = date;
            pendingLegAmount = -amount;
            link = pendingLegId;
            dest = pendingLegAccount;
        } else if (secondLeg) {
            link = pendingLegLink;
            dest = accounts.at(accountOf(i - 1));
            pendingLegId.clear();
        }
        const bool transfer = firstLeg || secondLeg;
        const QByteArray &payee = transfer ? payees.constLast() : payees.at(BookData::skewed(next(), int(payees.size())));
        const quint32 memoPick = next();
        const QByteArray memo = transfer ? QByteArray("to savings")
                                : memoPick % 10 < 7 ? QByteArray()
                                                   : memos.at(BookData::skewed(memoPick >> 3, int(memos.size())));
        sqlite3_stmt *s = raw.statement(QStringLiteral(
            "INSERT INTO transactions (id, account_id, date, payee, memo, amount, category_id, check_number, "
            "cleared, reconciled, transfer_link_id, transfer_dest_account_id, is_split, created_at, "
            "updated_at, deleted_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        bindText(s, 1, id);
        bindText(s, 2, accounts.at(account));
        bindText(s, 3, date);
        bindText(s, 4, payee);
        bindText(s, 5, memo);
        sqlite3_bind_int64(s, 6, amount);
        if (split || transfer)
            sqlite3_bind_null(s, 7);
        else
            bindText(s, 7, leaves.at(int(next() % leaves.size())));
        bindText(s, 8, i % 7 == 0 && !transfer ? QByteArray::number(1000 + i) : QByteArray());
        sqlite3_bind_int(s, 9, i % 2);
        sqlite3_bind_int(s, 10, i % 4 == 1 ? 1 : 0);
        if (transfer) {
            bindText(s, 11, link);
            bindText(s, 12, dest);
        }
        sqlite3_bind_int(s, 13, split ? 1 : 0);
        bindText(s, 14, when);
        bindText(s, 15, when);
        const bool deleted = shape.deletedEvery > 0 && !transfer && !split && i % shape.deletedEvery == 3;
        if (deleted)
            bindText(s, 16, when);
        if (!done(s))
            return false;
        for (int line = 0; split && line < 2; ++line) {
            sqlite3_stmt *l = raw.statement(
                QStringLiteral("INSERT INTO split_lines (id, transaction_id, category_id, amount, memo, "
                               "created_at, updated_at) VALUES (?, ?, ?, ?, ?, ?, ?)"));
            bindText(l, 1, BookData::newId());
            bindText(l, 2, id);
            bindText(l, 3, leaves.at(int(next() % leaves.size())));
            sqlite3_bind_int64(l, 4, line == 0 ? amount / 2 : amount - amount / 2);
            bindText(l, 5, line == 0 ? QByteArray() : memos.at(int(next() % memos.size())));
            bindText(l, 6, when);
            bindText(l, 7, when);
            if (!done(l))
                return false;
        }
    }
    for (int i = 0; i < shape.recurring; ++i) {
        sqlite3_stmt *s = raw.statement(QStringLiteral(
            "INSERT INTO recurring_transactions (id, account_id, payee, amount, category_id, start_date, "
            "next_due_date, created_at, updated_at) VALUES (?, ?, ?, ?, ?, '2024-01-01', '2024-06-01', ?, ?)"));
        bindText(s, 1, BookData::newId());
        bindText(s, 2, accounts.at(i % shape.accounts));
        bindText(s, 3, payees.at(BookData::skewed(next(), int(payees.size()))));
        sqlite3_bind_int64(s, 4, -qint64(next() % 50000));
        bindText(s, 5, leaves.at(int(next() % leaves.size())));
        bindText(s, 6, stamp);
        bindText(s, 7, stamp);
        if (!done(s))
            return false;
    }
    for (int i = 0; i < shape.reconciliations; ++i) {
        sqlite3_stmt *s = raw.statement(QStringLiteral(
            "INSERT INTO reconciliations (id, account_id, statement_date, statement_balance, "
            "reconciled_balance, completed_at, created_at, updated_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
        const qint64 balance = qint64(next() % 1000000);
        bindText(s, 1, BookData::newId());
        bindText(s, 2, accounts.at(i % shape.accounts));
        bindText(s, 3, first.addMonths(i % 60).addDays(-1).toString(Qt::ISODate).toLatin1());
        sqlite3_bind_int64(s, 4, balance);
        sqlite3_bind_int64(s, 5, balance);
        bindText(s, 6, stamp);
        bindText(s, 7, stamp);
        bindText(s, 8, stamp);
        if (!done(s))
            return false;
    }
    return raw.exec("COMMIT") && raw.exec("ANALYZE");
}

// The book's accounts in the sidebar's order: the largest first, then the small one.
inline QList<QByteArray> bookAccounts(const QString &path)
{
    QList<QByteArray> ids;
    Raw raw(path, SQLITE_OPEN_READONLY);
    sqlite3_stmt *s = raw.statement(QStringLiteral("SELECT id FROM accounts ORDER BY sort_order"));
    while (s && sqlite3_step(s) == SQLITE_ROW)
        ids.append(QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(s, 0))));
    if (s)
        sqlite3_reset(s);
    return ids;
}

// The book of `shape`, kept in `directory` between runs under a name telling
// its shape, the schema and the generator, so that benchmarks asking for the
// same shape share one file; empty when making it failed.
inline QString keptBook(const QString &directory, const BookShape &shape)
{
    const int schema = MigrationRunner::builtInScripts().constLast().version;
    QString name = QStringLiteral("book-%1-a%2-l%3-s%4-d%5-schema%6-v%7.db")
                             .arg(shape.transactions)
                             .arg(shape.accounts)
                             .arg(shape.largest())
                             .arg(shape.smallRows)
                             .arg(shape.deletedEvery)
                             .arg(schema)
                             .arg(BookVersion);
    // Books without rules and reconciliations keep their names.
    if (shape.recurring > 0 || shape.reconciliations > 0)
        name.insert(name.size() - 3, QStringLiteral("-r%1-c%2").arg(shape.recurring).arg(shape.reconciliations));
    return keptFile(directory, name, shape.transactions,
                    [&shape](const QString &path, int) { return generateBook(path, shape); });
}

} // namespace Bench
