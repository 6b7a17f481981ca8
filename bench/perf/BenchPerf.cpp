// What a user feels, at 10k, 100k and 1M transactions over 20 accounts: opening
// the largest register, one edit until the register and the sidebar have
// repainted, the sidebar's balances, a small account opened right after the
// largest, a reload asked for when nothing changed, switching accounts, and the
// file size per transaction. Each time is the median of the rounds, the program
// and its floor alternating (the floor first in every other round), and each
// floor is the least work for the same answer through the SQLite C API on its
// own copy of the file. Prints the ratios, the growth between sizes, and exits
// non-zero when one misses its target.
//
// Generated files are kept in TALLYFERN_BENCH_DATA_DIR (the build folder's
// bench-data/) and reused; TALLYFERN_BENCH_SIZES (e.g. "10000,100000") picks
// the sizes.

#include "AccountRepository.h"
#include "AccountSidebar.h"
#include "AppState.h"
#include "BenchCommon.h"
#include "Database.h"
#include "MainWindow.h"
#include "MigrationRunner.h"
#include "Money.h"
#include "RegisterModel.h"
#include "RegisterScreen.h"
#include "RegisterTableView.h"
#include "SyncEngine.h"
#include "SyncStore.h"
#include "TransactionActions.h"
#include "TransactionRepository.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMap>
#include <QPaintEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUuid>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

using Bench::alternate;
using Bench::answerOf;
using Bench::bindText;
using Bench::millisOf;
using Bench::millisSince;
using Bench::Pair;
using Bench::quietMessages;
using Bench::Raw;
using Bench::stepAll;
using Bench::versus;

constexpr int kAccounts = 20;
constexpr int kSmallAccountRows = 200;
constexpr int kGeneratorVersion = 2; // part of the cached file's name: bump when the data changes
// The open and edit targets hold for registers of at least this many rows; in
// a smaller one the fixed cost of laying out and painting a window of rows
// weighs as much as the work of the floor.
constexpr int kTargetRegisterRows = 20000;
// Each side of an edit waits for one flush to disk, whose time moves with what
// other processes write meanwhile: more rounds than the reads take.
constexpr int kEditRounds = 21;

QTextStream &g_out = Bench::out();
bool g_allOk = true;

// The largest account holds a fifth of the file.
int largeAccountRows(int total)
{
    return total / 5;
}

QString accountId(int i)
{
    // Stable ids of the same shape as the program's.
    return QUuid::createUuidV5(QUuid(QStringLiteral("{0b8e54a2-7c1d-4e3f-9a6b-5d2c1e0f3a47}")),
                               QStringLiteral("account-%1").arg(i))
        .toString(QUuid::WithoutBraces);
}

// The schema through the program's migrations, then the rows through the C API.
bool generate(const QString &path, int total)
{
    QFile::remove(path);
    const QString directory = QFileInfo(path).absolutePath() + QStringLiteral("/schema-%1").arg(total);
    QDir(directory).removeRecursively();
    {
        Database db(directory);
        if (!db.open() || !MigrationRunner(&db).migrate())
            return false;
    }
    if (!QFile::rename(directory + QLatin1Char('/') + QLatin1String(Database::FileName), path))
        return false;
    QDir(directory).removeRecursively();

    Raw raw(path);
    if (!raw.isOpen() || !raw.exec("BEGIN"))
        return false;
    const QByteArray stamp = "2020-01-01T00:00:00Z";
    for (int i = 0; i < kAccounts; ++i) {
        sqlite3_stmt *s = raw.statement(QStringLiteral(
            "INSERT INTO accounts (id, name, starting_balance, sort_order, created_at, updated_at) "
            "VALUES (?, ?, ?, ?, ?, ?)"));
        bindText(s, 1, accountId(i).toUtf8());
        bindText(s, 2, QStringLiteral("Account %1").arg(i, 2, 10, QLatin1Char('0')).toUtf8());
        sqlite3_bind_int64(s, 3, 100000 * i);
        sqlite3_bind_int(s, 4, i);
        bindText(s, 5, stamp);
        bindText(s, 6, stamp);
        if (sqlite3_step(s) != SQLITE_DONE)
            return false;
    }
    QList<QByteArray> categories;
    for (int i = 0; i < 40; ++i) {
        categories.append(QUuid::createUuid().toString(QUuid::WithoutBraces).toUtf8());
        sqlite3_stmt *s = raw.statement(
            QStringLiteral("INSERT INTO categories (id, name, created_at, updated_at) VALUES (?, ?, ?, ?)"));
        bindText(s, 1, categories.last());
        bindText(s, 2, QStringLiteral("Category %1").arg(i).toUtf8());
        bindText(s, 3, stamp);
        bindText(s, 4, stamp);
        if (sqlite3_step(s) != SQLITE_DONE)
            return false;
    }
    QList<QByteArray> payees;
    for (int i = 0; i < 300; ++i)
        payees.append(i < 5 ? QList<QByteArray>{"Grocery Outlet", "Green Grocer", "Rent", "Payroll", "City Water"}[i]
                            : QStringLiteral("Vendor %1").arg(i).toUtf8());

    const int large = largeAccountRows(total);
    quint32 seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    const QDate first(2019, 1, 1);
    const QDateTime created(first, QTime(8, 0), Qt::UTC);
    for (int i = 0; i < total; ++i) {
        // Account 0 is the largest, account 1 the small one, the rest share the others.
        const int account = i < large ? 0 : (i < large + kSmallAccountRows ? 1 : 2 + i % (kAccounts - 2));
        const QByteArray id = QUuid::createUuid().toString(QUuid::WithoutBraces).toUtf8();
        const bool split = i % 20 == 0;
        const qint64 amount = -qint64(next() % 50000) + (i % 10 == 0 ? 150000 : 0);
        const QByteArray when = created.addSecs(i * 37).toString(Qt::ISODate).toUtf8();
        sqlite3_stmt *s = raw.statement(
            QStringLiteral("INSERT INTO transactions (id, account_id, date, payee, memo, amount, category_id, "
                           "check_number, cleared, is_split, created_at, updated_at) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        bindText(s, 1, id);
        bindText(s, 2, accountId(account).toUtf8());
        bindText(s, 3, first.addDays(int(next() % 1800)).toString(Qt::ISODate).toUtf8());
        bindText(s, 4, payees.at(int(next() % payees.size())));
        bindText(s, 5, i % 3 == 0 ? QByteArray("weekly shopping") : QByteArray(""));
        sqlite3_bind_int64(s, 6, amount);
        if (split)
            sqlite3_bind_null(s, 7);
        else
            bindText(s, 7, categories.at(int(next() % categories.size())));
        bindText(s, 8, i % 7 == 0 ? QByteArray::number(1000 + i) : QByteArray(""));
        sqlite3_bind_int(s, 9, i % 2);
        sqlite3_bind_int(s, 10, split ? 1 : 0);
        bindText(s, 11, when);
        bindText(s, 12, when);
        if (sqlite3_step(s) != SQLITE_DONE)
            return false;
        for (int line = 0; split && line < 2; ++line) {
            sqlite3_stmt *l = raw.statement(
                QStringLiteral("INSERT INTO split_lines (id, transaction_id, category_id, amount, memo, "
                               "created_at, updated_at) VALUES (?, ?, ?, ?, '', ?, ?)"));
            bindText(l, 1, QUuid::createUuid().toString(QUuid::WithoutBraces).toUtf8());
            bindText(l, 2, id);
            bindText(l, 3, categories.at(int(next() % categories.size())));
            sqlite3_bind_int64(l, 4, line == 0 ? amount / 2 : amount - amount / 2);
            bindText(l, 5, when);
            bindText(l, 6, when);
            if (sqlite3_step(l) != SQLITE_DONE)
                return false;
        }
    }
    return raw.exec("COMMIT") && raw.exec("ANALYZE") && raw.exec("PRAGMA wal_checkpoint(TRUNCATE)");
}

bool report(const QString &what, double value, double target, const QString &detail = QString())
{
    const bool ok = Bench::report(what, value, target, detail);
    g_allOk = g_allOk && ok;
    return ok;
}

// A ratio with its target; different answers from the two sides miss it.
void reportAgainstFloor(const QString &what, const Pair &pair, double target)
{
    g_allOk = Bench::reportPair(what, pair, target) && g_allOk;
}

// Opening and editing the largest register: the target from
// kTargetRegisterRows rows on; below, the ratio is shown without one (the
// answers must still agree).
void reportOnLargest(const QString &what, const Pair &pair, double target, int total)
{
    if (largeAccountRows(total) >= kTargetRegisterRows) {
        reportAgainstFloor(what, pair, target);
        return;
    }
    g_out << QStringLiteral("  %1: %2 (%3; the target is for %4 rows or more)\n")
                 .arg(what)
                 .arg(pair.ratio(), 0, 'f', 2)
                 .arg(versus(pair.program, pair.floor))
                 .arg(kTargetRegisterRows);
    if (!pair.sameAnswer)
        g_out << "  DIFFERENT ANSWERS between the program and its floor\n";
    g_allOk = g_allOk && pair.sameAnswer;
}

// The regions a widget painted since the last take().
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget *widget)
        : QObject(widget)
    {
        widget->installEventFilter(this);
    }
    QRegion take() { return std::exchange(m_painted, QRegion()); }
    bool covers(const QRect &rect) const
    {
        return !rect.isEmpty() && QRegion(rect).subtracted(m_painted).isEmpty();
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            m_painted += static_cast<QPaintEvent *>(event)->region();
        return false;
    }

private:
    QRegion m_painted;
};

struct SizeResult
{
    double edit = 0;
    double smallAfterLarge = 0;
    double sidebarAfterChange = 0;
};

bool runSize(int total, const QString &cached, SizeResult *result)
{
    g_out << QStringLiteral("%1 transactions over %2 accounts (largest %3, small %4):\n")
                 .arg(total)
                 .arg(kAccounts)
                 .arg(largeAccountRows(total))
                 .arg(kSmallAccountRows);
    report(QStringLiteral("file size per transaction, bytes"), double(QFileInfo(cached).size()) / total, 450.0);

    QTemporaryDir dir;
    const QString programFile = dir.path() + QStringLiteral("/program/") + QLatin1String(Database::FileName);
    const QString floorFile = dir.path() + QStringLiteral("/floor.db");
    QDir().mkpath(dir.path() + QStringLiteral("/program"));
    if (!QFile::copy(cached, programFile) || !QFile::copy(cached, floorFile))
        return false;
    qputenv("TALLYFERN_DATA_DIR", QFileInfo(programFile).absolutePath().toLocal8Bit());
    QSettings().clear();

    Raw floor(floorFile);
    // SQLite's quick check reads every page. It runs once a day (and after
    // damage was met), after the window's first paint and off the GUI thread;
    // this prints it beside the start-up it no longer delays.
    const double quickCheck = millisOf([&] { floor.exec("PRAGMA quick_check"); });
    QElapsedTimer startup;
    startup.start();
    AppState app;
    if (!floor.isOpen() || !app.initialize() || !floor.matchSettings(app.database()->database()))
        return false;
    const QString large = accountId(0);
    const QString small = accountId(1);
    auto window = std::make_unique<MainWindow>(&app);
    window->resize(1280, 800);
    window->show();
    QApplication::processEvents();
    const double startupMillis = millisSince(startup);
    g_out << QStringLiteral("  quick check %1 ms beside start-up to the shown window %2 ms (after it, "
                            "off the GUI thread, once a day)\n")
                 .arg(quickCheck, 0, 'f', 1)
                 .arg(startupMillis, 0, 'f', 1);
    RegisterScreen *screen = window->registerScreen();
    AccountSidebar *sidebar = window->sidebar();
    auto paint = [&] {
        screen->view()->viewport()->repaint();
        sidebar->list()->viewport()->repaint();
    };
    // What is left to draw, as the event loop's next pass draws it: the
    // layouts asked for, then the regions marked for repainting.
    auto drawPending = [] {
        QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    };
    auto settle = [&] {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    };
    const QByteArray largeUtf8 = large.toUtf8();
    const QByteArray smallUtf8 = small.toUtf8();

    // The register's rows and the balance after the last, from either side.
    auto registerAnswer = [](qint64 rows, qint64 lastBalance) { return rows * 1000000000LL + lastBalance; };
    auto rawRegister = [&](const QByteArray &account, qint64 *answer) {
        QElapsedTimer timer;
        timer.start();
        sqlite3_stmt *s = floor.statement(TransactionRepository::registerRowsSql());
        bindText(s, 1, account);
        bindText(s, 2, account);
        qint64 balance = 0;
        const qint64 rows = Bench::stepRegister(s, &balance);
        const double millis = millisSince(timer);
        *answer = registerAnswer(rows, balance);
        return millis;
    };

    // From one account to the other, until the register is painted.
    auto switchAccount = [&](const QString &from, const QString &to, qint64 *answer) {
        window->selectAccount(from);
        settle();
        QElapsedTimer timer;
        timer.start();
        window->selectAccount(to);
        paint();
        const double millis = millisSince(timer);
        const QList<RegisterRow> &rows = screen->model()->entries();
        *answer = registerAnswer(rows.size(), rows.isEmpty() ? 0 : rows.constLast().balance);
        return millis;
    };

    // Opening the largest register from the small one, until it is painted.
    const Pair open = alternate([&](qint64 *answer) { return switchAccount(small, large, answer); },
                                [&](qint64 *answer) { return rawRegister(largeUtf8, answer); });
    reportOnLargest(QStringLiteral("open the largest register / C API rows"), open, 1.5, total);

    // A small account right after the largest: freeing the large one must not
    // hold the switch up.
    const Pair smallAfter = alternate([&](qint64 *answer) { return switchAccount(large, small, answer); },
                                      [&](qint64 *answer) { return rawRegister(smallUtf8, answer); });
    result->smallAfterLarge = smallAfter.program;
    g_out << QStringLiteral("  small account after the largest: %1\n").arg(versus(smallAfter.program, smallAfter.floor));
    if (!smallAfter.sameAnswer)
        g_out << "  DIFFERENT ANSWERS between the program and its floor\n";
    g_allOk = g_allOk && smallAfter.sameAnswer;

    // The balances the file keeps per account, as the program reads them: the
    // least work for the figures the register's header and the sidebar show.
    const QString keptSums = QStringLiteral(
        "SELECT a.starting_balance + COALESCE(s.current, 0), a.starting_balance + COALESCE(s.cleared, 0) "
        "FROM accounts a LEFT JOIN account_totals s ON s.account_id = a.id WHERE a.id = ?");
    auto floorSums = [&](qint64 *current, qint64 *cleared) {
        sqlite3_stmt *b = floor.statement(keptSums);
        bindText(b, 1, largeUtf8);
        sqlite3_step(b);
        *current = sqlite3_column_int64(b, 0);
        *cleared = sqlite3_column_int64(b, 1);
        sqlite3_reset(b);
    };
    auto money = [](qint64 amount) { return Money::format(amount, Currency::USD); };
    auto label = [&](const char *name) { return screen->findChild<QLabel *>(QLatin1String(name))->text(); };

    // One edit (toggle cleared on a row shown in the largest register) until
    // both views have repainted, against its UPDATE (committed on its own) and
    // the read of the account's kept sums. The views draw what the edit marked
    // for repainting, as the next pass of the event loop does, rather than
    // every row they show. The answers: the header's two figures, the
    // sidebar's, and whether the toggled cell and the cleared figure were drawn
    // again, as shown and as the floor's sums give them.
    window->selectAccount(large);
    settle();
    // A row the user sees, as the one a click toggles.
    RegisterTableView *view = screen->view();
    const int editedRow = view->rowAt(view->viewport()->height() / 2);
    const QString editedId = screen->model()->rowAt(editedRow).transaction.id;
    const QByteArray editedUtf8 = editedId.toUtf8();
    QLabel *clearedFigure = screen->findChild<QLabel *>(QStringLiteral("clearedBalanceValue"));
    PaintWatch &rowsDrawn = *new PaintWatch(view->viewport());
    PaintWatch &figureDrawn = *new PaintWatch(clearedFigure);
    const Pair edit = alternate(
        [&](qint64 *answer) {
            const std::optional<Transaction> t = app.transactions()->findById(editedId);
            const int reloads = screen->reloadCount();
            const int sidebarReads = sidebar->rebuildCount();
            rowsDrawn.take();
            figureDrawn.take();
            QElapsedTimer timer;
            timer.start();
            TransactionActions::toggleCleared(&app, *t);
            while (screen->reloadCount() == reloads || sidebar->rebuildCount() == sidebarReads)
                QApplication::processEvents();
            drawPending();
            const double millis = millisSince(timer);
            // What was drawn again is part of the answer: the toggled cell and
            // the header's cleared figure must be among it.
            const QRect cell =
                view->visualRect(screen->model()->index(editedRow, RegisterModel::ClearedColumn));
            const bool drawn = rowsDrawn.covers(cell) && figureDrawn.covers(clearedFigure->rect());
            *answer =
                answerOf({{QStringLiteral("cleared"), label("clearedBalanceValue")},
                          {QStringLiteral("current"), label("currentBalanceValue")},
                          {QStringLiteral("sidebar"), sidebar->balanceText(large)},
                          {QStringLiteral("drawn"), drawn ? QStringLiteral("yes") : QStringLiteral("no")}});
            return millis;
        },
        [&](qint64 *answer) {
            qint64 current = 0;
            qint64 cleared = 0;
            const double millis = millisOf([&] {
                sqlite3_stmt *u = floor.statement(
                    QStringLiteral("UPDATE transactions SET cleared = 1 - cleared WHERE id = ?"));
                bindText(u, 1, editedUtf8);
                sqlite3_step(u);
                sqlite3_reset(u);
                floorSums(&current, &cleared);
            });
            *answer = answerOf({{QStringLiteral("cleared"), money(cleared)},
                                {QStringLiteral("current"), money(current)},
                                {QStringLiteral("sidebar"), money(current)},
                                {QStringLiteral("drawn"), QStringLiteral("yes")}});
            return millis;
        },
        kEditRounds);
    result->edit = edit.program;
    reportOnLargest(QStringLiteral("one edit until both views repaint / floor"), edit, 5.0, total);

    // Sidebar balances: after a change only that account's, at start-up all of them.
    const Pair afterChange = alternate(
        [&](qint64 *answer) {
            QElapsedTimer timer;
            timer.start();
            sidebar->markBalanceStale(large);
            sidebar->refreshBalances();
            const double millis = millisSince(timer);
            *answer = answerOf({{large, sidebar->balanceText(large)}});
            return millis;
        },
        [&](qint64 *answer) {
            // The figure as shown is part of the answer.
            qint64 current = 0;
            qint64 cleared = 0;
            QString shown;
            const double millis = millisOf([&] {
                floorSums(&current, &cleared);
                shown = money(current);
            });
            *answer = answerOf({{large, shown}});
            return millis;
        },
        Bench::MicroRounds);
    result->sidebarAfterChange = afterChange.program;
    reportAgainstFloor(QStringLiteral("sidebar balance after a change / its kept sum"), afterChange, 1.5);
    const Pair full = alternate(
        [&](qint64 *answer) {
            QElapsedTimer timer;
            timer.start();
            sidebar->rebuild();
            const double millis = millisSince(timer);
            QMap<QString, QString> shown;
            for (const Account &account : sidebar->accounts())
                shown.insert(account.id, sidebar->balanceText(account.id));
            *answer = answerOf(shown);
            return millis;
        },
        [&](qint64 *answer) {
            // The account list and every account's kept sum, as shown.
            QMap<QString, QString> figures;
            QElapsedTimer timer;
            timer.start();
            stepAll(floor.statement(Bench::accountListSql()));
            sqlite3_stmt *s = floor.statement(AccountRepository::balancesSql(QStringLiteral("current")));
            while (sqlite3_step(s) == SQLITE_ROW)
                figures.insert(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, 0))),
                               money(sqlite3_column_int64(s, 1)));
            const double millis = millisSince(timer);
            *answer = answerOf(figures);
            return millis;
        },
        Bench::MicroRounds);
    reportAgainstFloor(QStringLiteral("sidebar full refresh / account list and kept sums"), full, 1.5);

    // A reload asked for when nothing changed (an idle sync cycle) reads nothing.
    // The last viewed account is saved first, as it is a few seconds after a
    // switch, so that its own write does not fall between the two cycles.
    app.saveCurrentAccountId();
    emit app.syncEngine()->dataChanged();
    settle();
    const int readsBefore = screen->reloadCount() + sidebar->rebuildCount();
    emit app.syncEngine()->dataChanged();
    settle();
    report(QStringLiteral("reads after an idle sync cycle"), screen->reloadCount() + sidebar->rebuildCount() - readsBefore,
           0);

    // Switching accounts writes nothing to the file.
    const QString mark = SyncStore::writeMark();
    for (int i = 0; i < 5; ++i) {
        window->selectAccount(small);
        window->selectAccount(accountId(2 + i));
    }
    settle();
    report(QStringLiteral("database writes for 10 account switches"), SyncStore::writeMark() == mark ? 0 : 1, 0);

    window.reset();
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("TALLYFERN_VERBOSE"))
        qInstallMessageHandler(quietMessages);
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("TallyfernBench"));

    const int schema = MigrationRunner::builtInScripts().constLast().version;
    QMap<int, SizeResult> results;
    for (const int total : Bench::sizes({10000, 100000, 1000000})) {
        const QString cached = Bench::keptFile(
            QStringLiteral(TALLYFERN_BENCH_DATA_DIR),
            QStringLiteral("perf-%1-s%2-g%3.db").arg(total).arg(schema).arg(kGeneratorVersion), total,
            generate);
        if (cached.isEmpty())
            return 2;
        SizeResult result;
        if (!runSize(total, cached, &result)) {
            g_out << "setup failed for " << total << " transactions\n";
            return 2;
        }
        results.insert(total, result);
    }

    if (results.size() > 1) {
        const SizeResult &smallest = results.first();
        const SizeResult &largest = results.last();
        g_out << QStringLiteral("growth between sizes:\n");
        for (auto it = std::next(results.cbegin()); it != results.cend(); ++it) {
            const SizeResult &from = std::prev(it).value();
            g_out << QStringLiteral("  %1 to %2: one edit %3, small after largest %4, sidebar balance %5\n")
                         .arg(std::prev(it).key())
                         .arg(it.key())
                         .arg(it->edit / from.edit, 0, 'f', 2)
                         .arg(it->smallAfterLarge / from.smallAfterLarge, 0, 'f', 2)
                         .arg(it->sidebarAfterChange / from.sidebarAfterChange, 0, 'f', 2);
        }
        g_out << QStringLiteral("growth from %1 to %2 transactions:\n").arg(results.firstKey()).arg(results.lastKey());
        report(QStringLiteral("one edit until both views repaint"), largest.edit / smallest.edit, 1.3);
        report(QStringLiteral("small account after the largest"), largest.smallAfterLarge / smallest.smallAfterLarge,
               1.5);
        g_out << QStringLiteral("  sidebar balance after a change: %1\n")
                     .arg(largest.sidebarAfterChange / smallest.sidebarAfterChange, 0, 'f', 2);
    }
    g_out << (g_allOk ? "all targets met\n" : "some targets missed\n");
    g_out.flush();
    return g_allOk ? 0 : 1;
}
