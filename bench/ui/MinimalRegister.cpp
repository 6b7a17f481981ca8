// The least a Qt program needs to show a register: it opens the file through
// QSQLITE, reads what the register shows of one account into plain structs
// (running the balance), and shows one empty QTableView. bench_ui measures the
// program's start-up and memory against it.
//
//   minimal_register <database file> <account id>
//
// With TALLYFERN_BENCH_FIRST_PAINT holding the monotonic clock's nanoseconds
// when it was started, it quits after its first paint. It prints the rows, the
// last balance, the time to the first paint and its peak resident memory.

#include "BenchCommon.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QSqlDatabase>
#include <QSqlQuery>
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

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc < 3)
        return 2;
    const QString account = QString::fromLocal8Bit(argv[2]);
    std::vector<Row> rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
        db.setDatabaseName(QString::fromLocal8Bit(argv[1]));
        if (!db.open())
            return 2;
        QSqlQuery query(db);
        query.setForwardOnly(true);
        query.prepare(QStringLiteral(
            "SELECT t.id, t.date, t.check_number, t.payee, "
            "CASE WHEN p.id IS NULL THEN COALESCE(c.name, '') ELSE p.name || ' > ' || c.name END, t.memo, "
            "t.transfer_dest_account_id, t.amount, t.cleared, t.reconciled, t.is_split, "
            "(SELECT a.starting_balance FROM accounts a WHERE a.id = ?) "
            "FROM transactions t LEFT JOIN categories c ON c.id = t.category_id "
            "LEFT JOIN categories p ON p.id = c.parent_id "
            "WHERE t.account_id = ? AND t.deleted_at IS NULL ORDER BY t.date, t.created_at, t.rowid"));
        query.addBindValue(account);
        query.addBindValue(account);
        if (!query.exec())
            return 2;
        qint64 balance = 0;
        while (query.next()) {
            if (rows.empty())
                balance = query.value(11).toLongLong();
            Row row;
            row.id = query.value(0).toString();
            row.date = query.value(1).toString();
            row.checkNumber = query.value(2).toString();
            row.payee = query.value(3).toString();
            row.category = query.value(4).toString();
            row.memo = query.value(5).toString();
            row.transferAccountId = query.value(6).toString();
            row.amount = query.value(7).toLongLong();
            row.cleared = query.value(8).toBool();
            row.reconciled = query.value(9).toBool();
            row.split = query.value(10).toBool();
            balance += row.amount;
            row.balance = balance;
            rows.push_back(std::move(row));
        }
    }

    QTableView view;
    FirstPaint *firstPaint = nullptr;
    const QByteArray started = qgetenv("TALLYFERN_BENCH_FIRST_PAINT");
    if (!started.isEmpty())
        firstPaint = new FirstPaint(started.toLongLong(), &view);
    view.resize(1280, 800);
    view.show();
    const int status = application.exec();
    std::printf("rows %zu balance %lld\n", rows.size(), rows.empty() ? 0LL : (long long)rows.back().balance);
    if (firstPaint)
        std::printf("first paint %.2f ms\n", firstPaint->millis);
    std::printf("peak %lld KiB\n", (long long)Bench::peakResidentKiB());
    return status;
}
