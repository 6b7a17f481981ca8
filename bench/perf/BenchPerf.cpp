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
#include "BenchBook.h"
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
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
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

// The open and edit targets hold for registers of at least this many rows; in
// a smaller one the fixed cost of laying out and painting a window of rows
// weighs as much as the work of the floor.
constexpr int kTargetRegisterRows = 20000;
// Each side of an edit waits for one flush to disk, whose time moves with what
// other processes write meanwhile: more rounds than the reads take.
constexpr int kEditRounds = 21;
// The growth of one edit from the smallest to the largest size: edits of about
// a millisecond, taken in turn on both sizes at once, many of each.
constexpr int kGrowthEdits = 61;

QTextStream &g_out = Bench::out();
bool g_allOk = true;

// The largest account holds a fifth of the file.
int largeAccountRows(int total)
{
    return total / 5;
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

// One edit as a user makes it: toggling cleared on a row shown in the
// largest register, until both views have drawn what it marked for
// repainting, as the event loop's next pass draws it (rather than every row
// they show). Its answer: the header's two figures, the sidebar's, and
// whether the toggled cell and the cleared figure were drawn again.
class EditRig
{
public:
    EditRig(AppState *app, MainWindow *window, const QString &account)
        : m_app(app)
        , m_account(account)
        , m_screen(window->registerScreen())
        , m_sidebar(window->sidebar())
    {
        window->selectAccount(account);
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
        // A row the user sees, as the one a click toggles: reconciled ones
        // keep their mark.
        RegisterTableView *view = m_screen->view();
        m_row = view->rowAt(view->viewport()->height() / 2);
        while (m_row > 0 && m_screen->model()->rowAt(m_row).transaction.reconciled)
            --m_row;
        editedId = m_screen->model()->rowAt(m_row).transaction.id;
        m_clearedFigure = m_screen->findChild<QLabel *>(QStringLiteral("clearedBalanceValue"));
        m_rowsDrawn = new PaintWatch(view->viewport());
        m_figureDrawn = new PaintWatch(m_clearedFigure);
    }

    double edit(qint64 *answer)
    {
        const std::optional<Transaction> t = m_app->transactions()->findById(editedId);
        const int reloads = m_screen->reloadCount();
        const int sidebarReads = m_sidebar->rebuildCount();
        m_rowsDrawn->take();
        m_figureDrawn->take();
        QElapsedTimer timer;
        timer.start();
        TransactionActions::toggleCleared(m_app, *t);
        while (m_screen->reloadCount() == reloads || m_sidebar->rebuildCount() == sidebarReads)
            QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        const double millis = millisSince(timer);
        const QRect cell =
            m_screen->view()->visualRect(m_screen->model()->index(m_row, RegisterModel::ClearedColumn));
        const bool drawn = m_rowsDrawn->covers(cell) && m_figureDrawn->covers(m_clearedFigure->rect());
        *answer = answerOf({{QStringLiteral("cleared"), label("clearedBalanceValue")},
                            {QStringLiteral("current"), label("currentBalanceValue")},
                            {QStringLiteral("sidebar"), m_sidebar->balanceText(m_account)},
                            {QStringLiteral("drawn"), drawn ? QStringLiteral("yes") : QStringLiteral("no")}});
        return millis;
    }

    QString editedId;

private:
    QString label(const char *name) const
    {
        return m_screen->findChild<QLabel *>(QLatin1String(name))->text();
    }

    AppState *m_app;
    QString m_account;
    RegisterScreen *m_screen;
    AccountSidebar *m_sidebar;
    int m_row = 0;
    QLabel *m_clearedFigure = nullptr;
    PaintWatch *m_rowsDrawn = nullptr;
    PaintWatch *m_figureDrawn = nullptr;
};

// The program on a copy of `cached` in `dir`, its window shown.
struct Session
{
    std::unique_ptr<AppState> app;
    std::unique_ptr<MainWindow> window;

    bool open(const QTemporaryDir &dir, const QString &cached)
    {
        const QString programFile =
            dir.path() + QStringLiteral("/program/") + QLatin1String(Database::FileName);
        QDir().mkpath(dir.path() + QStringLiteral("/program"));
        if (!QFile::copy(cached, programFile))
            return false;
        qputenv("TALLYFERN_DATA_DIR", QFileInfo(programFile).absolutePath().toLocal8Bit());
        QSettings().clear();
        app = std::make_unique<AppState>();
        if (!app->initialize())
            return false;
        window = std::make_unique<MainWindow>(app.get());
        window->resize(1280, 800);
        window->show();
        QApplication::processEvents();
        return true;
    }
};

struct SizeResult
{
    double smallAfterLarge = 0;
    double sidebarAfterChange = 0;
};

bool runSize(int total, const QString &cached, SizeResult *result)
{
    const QList<QByteArray> accounts = Bench::bookAccounts(cached);
    if (accounts.size() < 12)
        return false;
    g_out << QStringLiteral("%1 transactions over %2 accounts (largest %3, small %4):\n")
                 .arg(total)
                 .arg(accounts.size())
                 .arg(largeAccountRows(total))
                 .arg(Bench::BookShape().smallRows);
    report(QStringLiteral("file size per transaction, bytes"), double(QFileInfo(cached).size()) / total, 450.0);

    QTemporaryDir dir;
    const QString floorFile = dir.path() + QStringLiteral("/floor.db");
    if (!QFile::copy(cached, floorFile))
        return false;

    Raw floor(floorFile);
    // SQLite's quick check reads every page. It runs once a day (and after
    // damage was met), after the window's first paint and off the GUI thread;
    // this prints it beside the start-up it no longer delays.
    const double quickCheck = millisOf([&] { floor.exec("PRAGMA quick_check"); });
    QElapsedTimer startup;
    startup.start();
    Session session;
    if (!floor.isOpen() || !session.open(dir, cached) || !floor.matchSettings(session.app->database()->database()))
        return false;
    AppState &app = *session.app;
    std::unique_ptr<MainWindow> &window = session.window;
    const double startupMillis = millisSince(startup);
    g_out << QStringLiteral("  quick check %1 ms beside start-up to the shown window %2 ms (after it, "
                            "off the GUI thread, once a day)\n")
                 .arg(quickCheck, 0, 'f', 1)
                 .arg(startupMillis, 0, 'f', 1);
    const QString large = QString::fromLatin1(accounts.at(0));
    const QString small = QString::fromLatin1(accounts.at(1));
    RegisterScreen *screen = window->registerScreen();
    AccountSidebar *sidebar = window->sidebar();
    auto paint = [&] {
        screen->view()->viewport()->repaint();
        sidebar->list()->viewport()->repaint();
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

    // One edit until both views have repainted, against its UPDATE (committed
    // on its own) and the read of the account's kept sums, whose figures are
    // the floor's answer.
    EditRig rig(&app, window.get(), large);
    const QByteArray editedUtf8 = rig.editedId.toUtf8();
    const Pair edit = alternate(
        [&](qint64 *answer) { return rig.edit(answer); },
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
        window->selectAccount(QString::fromLatin1(accounts.at(2 + i)));
    }
    settle();
    report(QStringLiteral("database writes for 10 account switches"), SyncStore::writeMark() == mark ? 0 : 1, 0);

    window.reset();
    return true;
}

// `bench_perf --edits <book>`: the program on a copy of the book, its largest
// register open, answering each line of its input with the milliseconds of
// one edit.
int serveEdits(const QString &cached)
{
    const QList<QByteArray> accounts = Bench::bookAccounts(cached);
    QTemporaryDir dir;
    Session session;
    if (accounts.isEmpty() || !session.open(dir, cached))
        return 2;
    EditRig rig(session.app.get(), session.window.get(), QString::fromLatin1(accounts.constFirst()));
    std::printf("ready\n");
    std::fflush(stdout);
    char line[64];
    while (std::fgets(line, sizeof line, stdin)) {
        qint64 answer = 0;
        std::printf("%.4f\n", rig.edit(&answer));
        std::fflush(stdout);
    }
    return 0;
}

// The next line a serving process prints; empty when it printed none in time.
QByteArray lineFrom(QProcess &process)
{
    while (!process.canReadLine()) {
        if (!process.waitForReadyRead(600000))
            return QByteArray();
    }
    return process.readLine().trimmed();
}

// One edit's growth from the smallest to the largest book: both open at once
// in processes of their own, edited in turn (the smaller first in every
// other round), the medians of many edits compared. Edits of a millisecond
// measured minutes apart would compare what else the machine did meanwhile.
bool editGrowth(const QString &smallest, const QString &largest, Pair *pair)
{
    QTemporaryDir home;
    QProcess sides[2];
    for (int side = 0; side < 2; ++side) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/config%1").arg(side));
        sides[side].setProcessEnvironment(environment);
        sides[side].setProcessChannelMode(QProcess::ForwardedErrorChannel);
        sides[side].start(QCoreApplication::applicationFilePath(),
                          {QStringLiteral("--edits"), side == 0 ? smallest : largest});
    }
    bool ok = lineFrom(sides[0]) == "ready" && lineFrom(sides[1]) == "ready";
    std::vector<double> millis[2];
    for (int round = 0; ok && round < kGrowthEdits; ++round) {
        for (int turn = 0; ok && turn < 2; ++turn) {
            const int side = (round + turn) % 2;
            sides[side].write("edit\n");
            const QByteArray line = lineFrom(sides[side]);
            ok = !line.isEmpty();
            millis[side].push_back(line.toDouble());
        }
    }
    for (QProcess &side : sides) {
        side.closeWriteChannel();
        if (!side.waitForFinished(60000))
            side.kill();
    }
    *pair = {Bench::median(millis[1]), Bench::median(millis[0]), true};
    return ok;
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
    if (argc > 2 && qstrcmp(argv[1], "--edits") == 0)
        return serveEdits(QString::fromLocal8Bit(argv[2]));

    QMap<int, SizeResult> results;
    QMap<int, QString> books;
    for (const int total : Bench::sizes({10000, 100000, 1000000})) {
        Bench::BookShape shape;
        shape.transactions = total;
        const QString cached = Bench::keptBook(QStringLiteral(TALLYFERN_BENCH_DATA_DIR), shape);
        if (cached.isEmpty())
            return 2;
        SizeResult result;
        if (!runSize(total, cached, &result)) {
            g_out << "setup failed for " << total << " transactions\n";
            return 2;
        }
        results.insert(total, result);
        books.insert(total, cached);
    }

    if (results.size() > 1) {
        const SizeResult &smallest = results.first();
        const SizeResult &largest = results.last();
        g_out << QStringLiteral("growth between sizes:\n");
        for (auto it = std::next(results.cbegin()); it != results.cend(); ++it) {
            const SizeResult &from = std::prev(it).value();
            g_out << QStringLiteral("  %1 to %2: small after largest %3, sidebar balance %4\n")
                         .arg(std::prev(it).key())
                         .arg(it.key())
                         .arg(it->smallAfterLarge / from.smallAfterLarge, 0, 'f', 2)
                         .arg(it->sidebarAfterChange / from.sidebarAfterChange, 0, 'f', 2);
        }
        g_out << QStringLiteral("growth from %1 to %2 transactions:\n").arg(results.firstKey()).arg(results.lastKey());
        Pair growth;
        if (!editGrowth(books.first(), books.last(), &growth)) {
            g_out << "the edit processes failed\n";
            return 2;
        }
        report(QStringLiteral("one edit until both views repaint, %1 edits each in turn").arg(kGrowthEdits),
               growth.ratio(), 1.3, versus(growth.program, growth.floor));
        report(QStringLiteral("small account after the largest"), largest.smallAfterLarge / smallest.smallAfterLarge,
               1.5);
        g_out << QStringLiteral("  sidebar balance after a change: %1\n")
                     .arg(largest.sidebarAfterChange / smallest.sidebarAfterChange, 0, 'f', 2);
    }
    g_out << (g_allOk ? "all targets met\n" : "some targets missed\n");
    g_out.flush();
    return g_allOk ? 0 : 1;
}
