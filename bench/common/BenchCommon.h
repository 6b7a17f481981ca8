#pragma once

// What every benchmark shares: the rounds and their medians, the program and
// its floor alternating, one connection through the SQLite C API for the
// floors, the printed ratios, and the process's peak memory.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <utility>
#include <vector>

namespace Bench {

constexpr int Rounds = 7;
// Reads of a few microseconds move with whatever else the machine does: their
// medians take many rounds, the program's and the floor's alike.
constexpr int MicroRounds = 101;

inline QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

// The offscreen platform complains about every window it cannot size; the
// measurements are what a benchmark prints.
inline void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        fprintf(stderr, "%s\n", qPrintable(message));
}

inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline double millisSince(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

inline double millisOf(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return millisSince(timer);
}

// Prints one measure against its target and returns whether it was met.
inline bool report(const QString &what, double value, double target, const QString &detail = QString())
{
    const bool ok = value <= target;
    out() << QStringLiteral("  %1 %2 (target <= %3)  %4%5\n")
                 .arg(what, -52)
                 .arg(value, 7, 'f', 2)
                 .arg(target, 0, 'f', 2)
                 .arg(ok ? QStringLiteral("ok") : QStringLiteral("MISSED"))
                 .arg(detail.isEmpty() ? QString() : QStringLiteral("  (") + detail + QLatin1Char(')'));
    out().flush();
    return ok;
}

// The live accounts with what the sidebar shows of each, in its order.
inline QString accountListSql()
{
    return QStringLiteral("SELECT id, name, account_type, currency, institution, account_number_last4, "
                          "starting_balance, sort_order FROM accounts WHERE deleted_at IS NULL "
                          "ORDER BY sort_order, name");
}

inline QString versus(double program, double floor, const QString &unit = QStringLiteral("ms"))
{
    // Reads of a few microseconds keep their digits.
    const int decimals = floor < 0.1 ? 4 : 2;
    return QStringLiteral("%1 %3 vs %2 %3")
        .arg(program, 0, 'f', decimals)
        .arg(floor, 0, 'f', decimals)
        .arg(unit);
}

// Figures as shown (balances by account, say), folded into one answer that
// both sides can give.
inline qint64 answerOf(const QMap<QString, QString> &figures)
{
    QStringList parts;
    for (auto it = figures.cbegin(); it != figures.cend(); ++it)
        parts << it.key() + QLatin1Char('=') + it.value();
    return qint64(qHash(parts.join(QLatin1Char(';'))));
}

// The medians of the rounds of a program and its floor, and whether every
// round gave both the same answer.
struct Pair
{
    double program = 0;
    double floor = 0;
    bool sameAnswer = true;

    double ratio() const { return floor > 0 ? program / floor : 0; }
};

// Each side times itself, so that its preparation stays out of the time, and
// writes its answer for the comparison. The rounds alternate the two sides,
// the floor first in every other round.
inline Pair alternate(const std::function<double(qint64 *)> &program,
                      const std::function<double(qint64 *)> &floor, int rounds = Rounds)
{
    std::vector<double> programMs;
    std::vector<double> floorMs;
    bool same = true;
    for (int round = 0; round < rounds; ++round) {
        qint64 a = 0;
        qint64 b = 0;
        if (round % 2 == 0) {
            floorMs.push_back(floor(&b));
            programMs.push_back(program(&a));
        } else {
            programMs.push_back(program(&a));
            floorMs.push_back(floor(&b));
        }
        same = same && a == b;
    }
    return {median(programMs), median(floorMs), same};
}

// Prints the ratio of a pair against its target; different answers miss it.
inline bool reportPair(const QString &what, const Pair &pair, double target)
{
    const bool ok = report(what, pair.ratio(), target, versus(pair.program, pair.floor));
    if (!pair.sameAnswer)
        out() << "  DIFFERENT ANSWERS between the program and its floor\n";
    return ok && pair.sameAnswer;
}

// One connection through the C API.
class Raw
{
public:
    explicit Raw(const QString &path, int flags = SQLITE_OPEN_READWRITE)
    {
        if (sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags, nullptr) != SQLITE_OK) {
            sqlite3_close(m_db);
            m_db = nullptr;
        }
    }
    ~Raw()
    {
        for (sqlite3_stmt *statement : std::as_const(m_statements))
            sqlite3_finalize(statement);
        sqlite3_close(m_db);
    }
    Raw(const Raw &) = delete;
    Raw &operator=(const Raw &) = delete;

    bool isOpen() const { return m_db; }
    sqlite3 *handle() const { return m_db; }

    // A statement prepared once and reset for every use.
    sqlite3_stmt *statement(const QString &sql)
    {
        sqlite3_stmt *&statement = m_statements[sql];
        if (!statement &&
            sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK)
            fprintf(stderr, "prepare failed: %s\n", sqlite3_errmsg(m_db));
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
        return statement;
    }
    bool exec(const char *sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

    // The program's page cache and foreign key checks on this connection, so
    // that the floor works with what the program has and checks what it checks.
    bool matchSettings(const QSqlDatabase &program)
    {
        QSqlQuery query(program);
        bool ok = true;
        for (const char *pragma : {"cache_size", "foreign_keys"}) {
            ok = ok && query.exec(QStringLiteral("PRAGMA %1").arg(QLatin1String(pragma))) && query.next() &&
                 exec(QStringLiteral("PRAGMA %1 = %2")
                          .arg(QLatin1String(pragma), QString::number(query.value(0).toLongLong()))
                          .toUtf8()
                          .constData());
        }
        return ok;
    }

private:
    sqlite3 *m_db = nullptr;
    QMap<QString, sqlite3_stmt *> m_statements;
};

inline void bindText(sqlite3_stmt *statement, int index, const QByteArray &text)
{
    sqlite3_bind_text(statement, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
}

// Reads every column of every row, as a program showing them must. The
// answer is the row count times 1000003 plus a checksum.
inline qint64 stepAll(sqlite3_stmt *statement, int amountColumn = -1)
{
    qint64 rows = 0;
    qint64 sum = 0;
    std::size_t bytes = 0;
    const int columns = sqlite3_column_count(statement);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < columns; ++c) {
            if (sqlite3_column_type(statement, c) == SQLITE_INTEGER)
                sum += sqlite3_column_int64(statement, c) & 1;
            else
                bytes += std::size_t(sqlite3_column_bytes(statement, c));
        }
        if (amountColumn >= 0)
            sum += sqlite3_column_int64(statement, amountColumn);
    }
    return rows * 1000003 + sum + qint64(bytes % 7);
}

// Steps through every row, reading every column once as a program showing
// them must, and hands each row to perRow for the answer. Returns the rows.
template <typename PerRow> qint64 stepRows(sqlite3_stmt *statement, PerRow perRow)
{
    const int columns = sqlite3_column_count(statement);
    qint64 rows = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < columns; ++c) {
            if (sqlite3_column_type(statement, c) == SQLITE_INTEGER)
                sqlite3_column_int64(statement, c);
            else
                sqlite3_column_text(statement, c);
        }
        perRow(statement);
    }
    return rows;
}

// The index of a result column by its name, -1 when there is none.
inline int columnIndex(sqlite3_stmt *statement, const char *name)
{
    for (int c = 0; c < sqlite3_column_count(statement); ++c) {
        if (qstrcmp(sqlite3_column_name(statement, c), name) == 0)
            return c;
    }
    return -1;
}

// A register statement through the C API: every column of every row read,
// the balance run from the account's starting balance (the last column).
// Returns the rows; the last balance goes to `lastBalance`.
inline qint64 stepRegister(sqlite3_stmt *statement, qint64 *lastBalance = nullptr)
{
    const int amount = columnIndex(statement, "amount");
    const int starting = sqlite3_column_count(statement) - 1;
    qint64 balance = 0;
    bool first = true;
    const qint64 rows = stepRows(statement, [&](sqlite3_stmt *row) {
        if (std::exchange(first, false))
            balance = sqlite3_column_int64(row, starting);
        balance += sqlite3_column_int64(row, amount);
    });
    if (lastBalance)
        *lastBalance = balance;
    return rows;
}

// The file sizes to run: TALLYFERN_BENCH_SIZES ("10000,100000") when set,
// else `defaults`; sizes under 1,000 are left out.
inline QList<int> sizes(const QList<int> &defaults)
{
    QList<int> chosen;
    const QString wanted = qEnvironmentVariable("TALLYFERN_BENCH_SIZES");
    for (const QString &part : wanted.split(QLatin1Char(','), Qt::SkipEmptyParts))
        chosen.append(part.trimmed().toInt());
    if (wanted.isEmpty())
        chosen = defaults;
    chosen.removeIf([](int total) { return total < 1000; });
    return chosen;
}

// A generated file of `total` transactions, kept between runs as `name` in
// `directory` and made by `generate` when it is missing. Empty when that failed.
inline QString keptFile(const QString &directory, const QString &name, int total,
                        const std::function<bool(const QString &path, int total)> &generate)
{
    QDir().mkpath(directory);
    const QString path = directory + QLatin1Char('/') + name;
    if (QFileInfo::exists(path))
        return path;
    QElapsedTimer timer;
    timer.start();
    if (!generate(path, total)) {
        out() << "generating " << path << " failed\n";
        QFile::remove(path);
        return QString();
    }
    out() << QStringLiteral("generated %1 in %2 s (kept for later runs)\n")
                 .arg(path)
                 .arg(timer.elapsed() / 1000.0, 0, 'f', 1);
    return path;
}

// The peak resident memory of this process (VmHWM), in KiB; 0 where the
// system does not tell.
inline qint64 peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    // The file tells no size: read it whole rather than up to a known end.
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').constFirst().toLongLong();
    }
    return 0;
}

} // namespace Bench
