// The least a Qt program needs to show what the program's window shows at
// start-up: it opens the file through SQLite's C API, as the program reads its
// registers, reads what the register shows of one account into plain structs
// (running the balance) and every live account's balance from the sums the
// file keeps, and paints both: the
// register's rows scrolled to the newest, as the program opens it, beside the
// list of accounts with their balances. bench_ui measures the program's
// start-up and memory against it.
//
//   minimal_register <database file> <account id>
//
// With TALLYFERN_BENCH_FIRST_PAINT holding the monotonic clock's nanoseconds
// when it was started, it quits after its first paint. It prints the rows, the
// last balance, the sum of the accounts' balances, the time to the first paint
// and its peak resident memory.

#include "BenchCommon.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QListWidget>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <cstdio>
#include <vector>

namespace {

struct Row
{
    QString id;
    QString date;
    QString checkNumber;
    QString payee;
    QString category;
    QString memo;
    QString transferAccountId;
    qint64 amount = 0;
    qint64 balance = 0;
    bool cleared = false;
    bool reconciled = false;
    bool split = false;
};

QString money(qint64 cents)
{
    return QString::number(cents / 100.0, 'f', 2);
}

// The register's nine columns over the rows, as plain text.
class RowsModel : public QAbstractTableModel
{
public:
    explicit RowsModel(const std::vector<Row> &rows)
        : m_rows(rows)
    {
    }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    int columnCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : 9;
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        const Row &row = m_rows[std::size_t(index.row())];
        switch (index.column()) {
        case 0:
            return row.date;
        case 1:
            return row.checkNumber;
        case 2:
            return row.payee;
        case 3:
            return row.split ? QStringLiteral("— Split —") : row.category;
        case 4:
            return row.memo;
        case 5:
            return row.amount < 0 ? money(-row.amount) : QString();
        case 6:
            return row.amount > 0 ? money(row.amount) : QString();
        case 7:
            return row.reconciled ? QStringLiteral("R") : (row.cleared ? QStringLiteral("✓") : QString());
        default:
            return money(row.balance);
        }
    }

private:
    const std::vector<Row> &m_rows;
};

class FirstPaint : public QObject
{
public:
    FirstPaint(qint64 startedNs, QWidget *window)
        : QObject(window)
        , m_startedNs(startedNs)
    {
        window->installEventFilter(this);
    }

    double millis = 0;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            QTimer::singleShot(0, this, [this]() {
                millis = (QDeadlineTimer::current().deadlineNSecs() - m_startedNs) / 1e6;
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    qint64 m_startedNs = 0;
    bool m_painted = false;
};

QString textAt(sqlite3_stmt *statement, int column)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, column)),
                             sqlite3_column_bytes(statement, column));
}

bool readRows(Bench::Raw &db, const QByteArray &account, std::vector<Row> *rows)
{
    sqlite3_stmt *query = db.statement(QStringLiteral(
        "SELECT t.id, t.date, t.check_number, t.payee, "
        "CASE WHEN p.id IS NULL THEN COALESCE(c.name, '') ELSE p.name || ' > ' || c.name END, t.memo, "
        "t.transfer_dest_account_id, t.amount, t.cleared, t.reconciled, t.is_split, "
        "(SELECT a.starting_balance FROM accounts a WHERE a.id = ?) "
        "FROM transactions t LEFT JOIN categories c ON c.id = t.category_id AND c.deleted_at IS NULL "
        "LEFT JOIN categories p ON p.id = c.parent_id AND p.deleted_at IS NULL "
        "WHERE t.account_id = ? AND t.deleted_at IS NULL ORDER BY t.date, t.created_at, t.rowid"));
    if (!query)
        return false;
    Bench::bindText(query, 1, account);
    Bench::bindText(query, 2, account);
    qint64 balance = 0;
    int stepped = SQLITE_ROW;
    while ((stepped = sqlite3_step(query)) == SQLITE_ROW) {
        if (rows->empty())
            balance = sqlite3_column_int64(query, 11);
        Row row;
        row.id = textAt(query, 0);
        row.date = textAt(query, 1);
        row.checkNumber = textAt(query, 2);
        row.payee = textAt(query, 3);
        row.category = textAt(query, 4);
        row.memo = textAt(query, 5);
        row.transferAccountId = textAt(query, 6);
        row.amount = sqlite3_column_int64(query, 7);
        row.cleared = sqlite3_column_int64(query, 8) != 0;
        row.reconciled = sqlite3_column_int64(query, 9) != 0;
        row.split = sqlite3_column_int64(query, 10) != 0;
        balance += row.amount;
        row.balance = balance;
        rows->push_back(std::move(row));
    }
    return stepped == SQLITE_DONE;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc < 3)
        return 2;
    const QString account = QString::fromLocal8Bit(argv[2]);
    std::vector<Row> rows;
    QSplitter window;
    auto *accounts = new QListWidget(&window);
    qint64 balances = 0;
    {
        Bench::Raw db(QString::fromLocal8Bit(argv[1]));
        if (!db.isOpen() || !readRows(db, account.toUtf8(), &rows))
            return 2;
        sqlite3_stmt *query = db.statement(
            QStringLiteral("SELECT a.name, a.starting_balance + COALESCE(s.current, 0) FROM accounts a "
                           "LEFT JOIN account_totals s ON s.account_id = a.id WHERE a.deleted_at IS NULL "
                           "ORDER BY a.sort_order, a.name"));
        if (!query)
            return 2;
        while (sqlite3_step(query) == SQLITE_ROW) {
            balances += sqlite3_column_int64(query, 1);
            accounts->addItem(textAt(query, 0) + QLatin1Char(' ') + money(sqlite3_column_int64(query, 1)));
        }
    }

    RowsModel model(rows);
    auto *view = new QTableView(&window);
    view->setModel(&model);
    window.addWidget(accounts);
    window.addWidget(view);
    FirstPaint *firstPaint = nullptr;
    const QByteArray started = qgetenv("TALLYFERN_BENCH_FIRST_PAINT");
    if (!started.isEmpty())
        firstPaint = new FirstPaint(started.toLongLong(), &window);
    window.resize(1280, 800);
    view->scrollToBottom();
    window.show();
    const int status = application.exec();
    std::printf("rows %zu balance %lld balances %lld\n", rows.size(),
                rows.empty() ? 0LL : (long long)rows.back().balance, (long long)balances);
    if (firstPaint)
        std::printf("first paint %.2f ms\n", firstPaint->millis);
    std::printf("peak %lld KiB\n", (long long)Bench::peakResidentKiB());
    return status;
}
