// Measures what the main window adds on top of the queries it runs: filling
// the register of a 20,000-row account, the sidebar's balances and rebuild,
// each against the same answer through the SQLite C API on its own connection
// to the same file, and 2,000 inserts with the window alive against the same
// inserts with none. Then what a user feels when starting the program on that
// file: the time to the first painted register and the peak memory, against a
// minimal Qt + SQLite program showing the same rows (minimal_register). Each
// figure is the median of the rounds, the two sides alternating (the baseline
// first in every other round); a ratio over its target makes the exit status 1.
//
// `bench_ui --program` is the program itself (what main() runs), printing its
// peak memory when it quits; the start-up measure runs it that way.

#include "AccountRepository.h"
#include "AccountSidebar.h"
#include "AppInfo.h"
#include "AppState.h"
#include "Application.h"
#include "BenchBook.h"
#include "BenchCommon.h"
#include "Database.h"
#include "MainWindow.h"
#include "Money.h"
#include "RegisterModel.h"
#include "RegisterScreen.h"
#include "TransactionRepository.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUuid>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace {

// The book of 100,000 rows, its largest account (a fifth of them) on screen.
constexpr int kTransactions = 100000;
constexpr int kInserts = 2000;

using Bench::bindText;
using Bench::millisSince;
using Bench::Pair;
using Bench::Raw;

QTextStream &g_out = Bench::out();

Transaction sample(int i, const QString &account)
{
    Transaction t;
    t.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    t.accountId = account;
    t.date = QDate(2024, 1, 1).addDays(i % 365);
    t.payee = QStringLiteral("Inserted %1").arg(i % 50);
    t.amount = -(i % 5000) - 1;
    t.createdAt = QDateTime(QDate(2031, 1, 1), QTime(0, 0), Qt::UTC);
    t.updatedAt = t.createdAt;
    return t;
}

// What one start of a program printed; nothing when it failed.
struct Start
{
    double firstPaintMs = 0;
    qint64 peakKiB = 0;
    // The register's rows, its last balance and the sum of the sidebar's balances.
    QList<qint64> shown;
};

std::optional<Start> startOnce(const QString &program, const QStringList &arguments,
                               QProcessEnvironment environment)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (qEnvironmentVariableIsEmpty("TALLYFERN_VERBOSE"))
        process.setStandardErrorFile(QProcess::nullDevice());
    else
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The clock the child reads at its first paint, as it stands at its start.
    environment.insert(QStringLiteral("TALLYFERN_BENCH_FIRST_PAINT"),
                       QString::number(QDeadlineTimer::current().deadlineNSecs()));
    process.setProcessEnvironment(environment);
    process.start();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        process.kill();
        process.waitForFinished();
        g_out << "  " << QFileInfo(program).fileName() << " " << arguments.join(QLatin1Char(' '))
              << " failed\n";
        return std::nullopt;
    }
    const QString output = QString::fromLocal8Bit(process.readAllStandardOutput());
    Start start;
    bool painted = false;
    for (const QString &line : output.split(QLatin1Char('\n'))) {
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (line.startsWith(QLatin1String("first paint ")) && words.size() >= 3) {
            start.firstPaintMs = words.at(2).toDouble();
            painted = true;
        } else if (line.startsWith(QLatin1String("peak ")) && words.size() >= 2) {
            start.peakKiB = words.at(1).toLongLong();
        } else if (line.startsWith(QLatin1String("rows ")) && words.size() >= 6) {
            start.shown = {words.at(1).toLongLong(), words.at(3).toLongLong(), words.at(5).toLongLong()};
        }
    }
    if (!painted) {
        g_out << "  " << QFileInfo(program).fileName() << " printed no first paint\n";
        return std::nullopt;
    }
    return start;
}

// Starting the program on a copy of the file with the shown account as the
// last viewed one, until its window with that register is first painted, and
// its peak memory by then; against the minimal program on the same file. The
// program's time is the real executable's, its memory the same code run by
// `bench_ui --program` (which can read its own peak when the program quits).
bool measureStartUp(AppState &app, const QString &shown, const QString &self)
{
    app.setCurrentAccountId(shown);
    app.saveCurrentAccountId();
    QSqlQuery(app.database()->database()).exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    QTemporaryDir home;
    const QString data = home.path() + QStringLiteral("/data");
    const QString file = data + QLatin1Char('/') + QLatin1String(Database::FileName);
    QDir().mkpath(data);
    if (!QFile::copy(app.database()->filePath(), file))
        return false;
    // Platform settings of their own, past the first start after an upgrade.
    const QString config = home.path() + QStringLiteral("/config");
    {
        QSettings settings(config + QStringLiteral("/Tallowmere/Tallyfern.conf"), QSettings::IniFormat);
        settings.setValue(QStringLiteral("whatsNew/lastShownVersion"), QString::fromLatin1(AppInfo::Version));
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("TALLYFERN_DATA_DIR"), data);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.path() + QStringLiteral("/share"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), home.path() + QStringLiteral("/cache"));
    // Nothing leaves the machine: the update and feedback servers are a closed local port.
    environment.insert(QStringLiteral("UPDATE_BASE_URL"), QStringLiteral("http://127.0.0.1:9/"));
    environment.insert(QStringLiteral("FEEDBACK_BASE_URL"), QStringLiteral("http://127.0.0.1:9/"));

    std::vector<double> programMs, minimalMs, programKiB, minimalKiB;
    bool ok = true;
    bool same = true;
    QList<qint64> minimalShown;
    QList<qint64> programShown;
    auto minimal = [&] {
        const std::optional<Start> start =
            startOnce(QStringLiteral(TALLYFERN_BENCH_MINIMAL), {file, shown}, environment);
        ok = ok && start;
        if (start) {
            minimalShown = start->shown;
            minimalMs.push_back(start->firstPaintMs);
            minimalKiB.push_back(double(start->peakKiB));
        }
    };
    auto program = [&] {
        const std::optional<Start> timed =
            startOnce(QStringLiteral(TALLYFERN_BENCH_PROGRAM), {}, environment);
        const std::optional<Start> measured = startOnce(self, {QStringLiteral("--program")}, environment);
        ok = ok && timed && measured;
        if (timed)
            programMs.push_back(timed->firstPaintMs);
        if (measured) {
            programKiB.push_back(double(measured->peakKiB));
            programShown = measured->shown;
        }
    };
    for (int round = 0; round < Bench::Rounds && ok; ++round) {
        if (round % 2 == 0) {
            minimal();
            program();
        } else {
            program();
            minimal();
        }
        same = same && !programShown.isEmpty() && programShown == minimalShown &&
               programShown.constFirst() > 0;
    }
    if (!ok)
        return false;
    const Pair time{Bench::median(programMs), Bench::median(minimalMs), same};
    const Pair memory{Bench::median(programKiB) / 1024, Bench::median(minimalKiB) / 1024, true};
    bool met =
        Bench::reportPair(QStringLiteral("start-up to the first painted register / minimal"), time, 1.5);
    met &= Bench::report(QStringLiteral("peak memory with the register open / minimal"), memory.ratio(), 1.5,
                         Bench::versus(memory.program, memory.floor, QStringLiteral("MiB")));
    return met;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "--program") == 0) {
        // The program as main() runs it; its peak memory once it has quit.
        Application program(argc, argv);
        const int status = program.run();
        // What its window showed, for the comparison with minimal_register.
        if (auto *window = qobject_cast<MainWindow *>(program.mainWindow())) {
            const QList<RegisterRow> &rows = window->registerScreen()->model()->entries();
            qint64 balances = 0;
            for (int i = 0; i < window->sidebar()->list()->count(); ++i)
                balances +=
                    window->sidebar()->list()->item(i)->data(AccountSidebar::BalanceRole).toLongLong();
            std::printf("rows %lld balance %lld balances %lld\n", static_cast<long long>(rows.size()),
                        static_cast<long long>(rows.isEmpty() ? 0 : rows.constLast().balance),
                        static_cast<long long>(balances));
        }
        std::printf("peak %lld KiB\n", static_cast<long long>(Bench::peakResidentKiB()));
        return status;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("TALLYFERN_VERBOSE"))
        qInstallMessageHandler(Bench::quietMessages);
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("TallyfernBench"));
    Bench::BookShape shape;
    shape.transactions = kTransactions;
    const QString book = Bench::keptBook(QStringLiteral(TALLYFERN_BENCH_DATA_DIR), shape);
    const QList<QByteArray> bookAccounts = Bench::bookAccounts(book);
    QTemporaryDir dir;
    if (book.isEmpty() || bookAccounts.size() < 2 ||
        !QFile::copy(book, dir.filePath(QLatin1String(Database::FileName))))
        return 2;
    qputenv("TALLYFERN_DATA_DIR", dir.path().toLocal8Bit());
    QSettings().clear();

    AppState app;
    if (!app.initialize())
        return 2;
    g_out << QStringLiteral("the book of %1 transactions over %2 accounts (%3 in the shown one)\n")
                 .arg(kTransactions)
                 .arg(bookAccounts.size())
                 .arg(shape.largest());
    g_out << QStringLiteral(
                 "each ratio: the window / the same answer through the C API, median of %1 rounds\n")
                 .arg(Bench::Rounds);

    bool allOk = true;
    const QString shown = QString::fromLatin1(bookAccounts.at(0));
    const QString other = QString::fromLatin1(bookAccounts.at(1));
    const QByteArray shownUtf8 = shown.toUtf8();
    QSqlDatabase db = app.database()->database();
    Raw raw(app.database()->filePath());
    if (!raw.isOpen() || !raw.matchSettings(db))
        return 2;

    {
        auto window = std::make_unique<MainWindow>(&app);
        window->show();
        QApplication::processEvents();
        RegisterScreen *screen = window->registerScreen();
        AccountSidebar *sidebar = window->sidebar();

        // Selecting the account until its rows are in the register and drawn,
        // against reading the same rows.
        allOk &= Bench::reportPair(QStringLiteral("select account -> register filled"),
                                   Bench::alternate(
                                       [&](qint64 *answer) {
                                           window->selectAccount(other);
                                           QApplication::processEvents();
                                           QElapsedTimer timer;
                                           timer.start();
                                           window->selectAccount(shown);
                                           QApplication::processEvents();
                                           const double millis = millisSince(timer);
                                           const QList<RegisterRow> &rows = screen->model()->entries();
                                           *answer = rows.size() * 1000000000LL +
                                                     (rows.isEmpty() ? 0 : rows.constLast().balance);
                                           return millis;
                                       },
                                       [&](qint64 *answer) {
                                           QElapsedTimer timer;
                                           timer.start();
                                           sqlite3_stmt *s =
                                               raw.statement(TransactionRepository::registerRowsSql());
                                           bindText(s, 1, shownUtf8);
                                           bindText(s, 2, shownUtf8);
                                           qint64 balance = 0;
                                           const qint64 rows = Bench::stepRegister(s, &balance);
                                           const double millis = millisSince(timer);
                                           *answer = rows * 1000000000LL + balance;
                                           return millis;
                                       }),
                                   2.0);

        // The sidebar after a change of transactions, against reading every
        // account's kept sum; and its full rebuild (accounts changed) against
        // that and the account list. The answers: the balances as shown.
        auto rawBalances = [&raw] {
            sqlite3_stmt *s = raw.statement(AccountRepository::balancesSql(QStringLiteral("current")));
            QMap<QString, QString> figures;
            while (sqlite3_step(s) == SQLITE_ROW)
                figures.insert(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, 0))),
                               Money::format(sqlite3_column_int64(s, 1), Currency::USD));
            return figures;
        };
        auto shown = [sidebar] {
            QMap<QString, QString> figures;
            for (const Account &account : sidebar->accounts())
                figures.insert(account.id, sidebar->balanceText(account.id));
            return Bench::answerOf(figures);
        };
        auto timedSidebar = [&](const std::function<void()> &work, qint64 *answer) {
            const double millis = Bench::millisOf(work);
            *answer = shown();
            return millis;
        };
        allOk &= Bench::reportPair(
            QStringLiteral("sidebar balances after a change"),
            Bench::alternate(
                [&](qint64 *answer) { return timedSidebar([&] { sidebar->refreshBalances(); }, answer); },
                [&](qint64 *answer) {
                    QMap<QString, QString> figures;
                    const double millis = Bench::millisOf([&] { figures = rawBalances(); });
                    *answer = Bench::answerOf(figures);
                    return millis;
                },
                Bench::MicroRounds),
            1.5);
        allOk &= Bench::reportPair(
            QStringLiteral("sidebar full rebuild"),
            Bench::alternate(
                [&](qint64 *answer) { return timedSidebar([&] { sidebar->rebuild(); }, answer); },
                [&](qint64 *answer) {
                    QMap<QString, QString> figures;
                    const double millis = Bench::millisOf([&] {
                        Bench::stepRows(raw.statement(Bench::accountListSql()), [](sqlite3_stmt *) {});
                        figures = rawBalances();
                    });
                    *answer = Bench::answerOf(figures);
                    return millis;
                },
                Bench::MicroRounds),
            1.5);
    }

    // 2,000 inserts into the shown account through the repository, one write
    // each: with the window alive, until it has shown them (its coalesced
    // reload included), against the same inserts with no window.
    std::unique_ptr<MainWindow> window;
    auto removeInserted = [&raw] {
        sqlite3_stmt *s = raw.statement(
            QStringLiteral("DELETE FROM transactions WHERE created_at = '2031-01-01T00:00:00Z'"));
        sqlite3_step(s);
    };
    auto inserted = [&raw] {
        sqlite3_stmt *s = raw.statement(
            QStringLiteral("SELECT COUNT(*) FROM transactions WHERE created_at = '2031-01-01T00:00:00Z'"));
        const qint64 count = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int64(s, 0) : -1;
        sqlite3_reset(s);
        return count;
    };
    auto inserts = [&](bool withWindow, qint64 *answer) {
        removeInserted();
        window.reset();
        if (withWindow) {
            window = std::make_unique<MainWindow>(&app);
            window->show();
            window->selectAccount(shown);
            QApplication::processEvents();
        }
        QList<Transaction> rows;
        for (int i = 0; i < kInserts; ++i)
            rows.append(sample(i, shown));
        const int shownBefore = window ? window->registerScreen()->model()->entryCount() : 0;
        QElapsedTimer timer;
        timer.start();
        for (const Transaction &t : std::as_const(rows))
            app.transactions()->insert(t);
        if (window) {
            QElapsedTimer limit;
            limit.start();
            while (window->registerScreen()->model()->entryCount() < shownBefore + kInserts &&
                   limit.elapsed() < 5000)
                QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        const double millis = millisSince(timer);
        *answer = inserted();
        return millis;
    };
    allOk &= Bench::reportPair(QStringLiteral("2,000 inserts, window alive / none"),
                               Bench::alternate([&](qint64 *answer) { return inserts(true, answer); },
                                                [&](qint64 *answer) { return inserts(false, answer); }),
                               1.5);
    window.reset();
    removeInserted();

    g_out << "starting the program on this file (the shown account last viewed):\n";
    g_out.flush();
    allOk &= measureStartUp(app, shown, QCoreApplication::applicationFilePath());

    g_out << (allOk ? "all targets met\n" : "some targets missed\n");
    g_out.flush();
    return allOk ? 0 : 1;
}
