// Measures the sync engine against raw work on the same schema that gives the
// same result, in one run, with the fake sync service answering at once, and
// prints the ratios. The push's floor goes through the SQLite C API and, like
// the engine, builds the change objects it sends; the pull's floors bind the
// parsed pages through QSqlQuery. Each side runs in one database transaction;
// the rounds alternate the two sides (the floor first in every other round)
// and keep the median. A ratio over its target makes the exit status 1.

#include "AccountRepository.h"
#include "ApiClient.h"
#include "BenchBook.h"
#include "BenchCommon.h"
#include "CategoryRepository.h"
#include "Database.h"
#include "FakeSyncServer.h"
#include "MigrationRunner.h"
#include "PreferencesRepository.h"
#include "ReconciliationRepository.h"
#include "RecurringRepository.h"
#include "SplitLineRepository.h"
#include "SyncApplier.h"
#include "SyncEngine.h"
#include "SyncOutbox.h"
#include "SyncStore.h"
#include "TokenManager.h"
#include "TokenStore.h"
#include "TransactionRepository.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kRows = 20000;
constexpr int kRounds = Bench::Rounds;
constexpr int kPageSize = SyncEngine::PullPageSize;

using Bench::median;
using Bench::millisOf;
using Bench::out;

bool report(const QString &what, double value, double target, const QString &unit = QStringLiteral("x"))
{
    const bool ok = value <= target;
    out() << QStringLiteral("  %1: %2%3 (target <= %4%3) %5\n")
                 .arg(what)
                 .arg(value, 0, 'f', 2)
                 .arg(unit)
                 .arg(target, 0, 'f', 2)
                 .arg(ok ? QStringLiteral("ok") : QStringLiteral("MISSED"));
    out().flush();
    return ok;
}

bool exec(const QString &sql, const QVariantList &values = {})
{
    QSqlQuery query;
    query.prepare(sql);
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (query.exec())
        return true;
    out() << "setup failed: " << sql << "\n";
    return false;
}

class MemoryTokenStore : public BrioAccount::TokenStore
{
public:
    std::optional<QString> read(const QString &) override { return std::nullopt; }
    bool write(const QString &, const QString &) override { return true; }
    bool remove(const QString &) override { return false; }
    void clear() override {}
};

QString token()
{
    const QJsonObject payload{{"sub", "bench"}, {"exp", QDateTime::currentSecsSinceEpoch() + 3600}};
    return "e30." +
           QJsonDocument(payload).toJson(QJsonDocument::Compact).toBase64(QByteArray::Base64UrlEncoding) +
           ".sig";
}

const QStringList SyncTables{"accounts", "categories", "recurring_transactions", "transactions",
                             "reconciliations"};

// The application's objects over one database file.
struct Fixture
{
    QTemporaryDir dir;
    Database db{dir.path()};
    std::unique_ptr<AccountRepository> accounts;
    std::unique_ptr<TransactionRepository> transactions;
    std::unique_ptr<CategoryRepository> categories;
    std::unique_ptr<RecurringRepository> recurring;
    std::unique_ptr<ReconciliationRepository> reconciliations;
    std::unique_ptr<SplitLineRepository> splitLines;
    std::unique_ptr<PreferencesRepository> preferences;
    std::unique_ptr<SyncStore> store;

    bool open()
    {
        if (!db.open() || !MigrationRunner(&db).migrate())
            return false;
        accounts = std::make_unique<AccountRepository>(&db);
        transactions = std::make_unique<TransactionRepository>(&db);
        categories = std::make_unique<CategoryRepository>(&db);
        recurring = std::make_unique<RecurringRepository>(&db);
        reconciliations = std::make_unique<ReconciliationRepository>(&db);
        splitLines = std::make_unique<SplitLineRepository>(&db);
        preferences = std::make_unique<PreferencesRepository>(&db);
        store = std::make_unique<SyncStore>(accounts.get(), transactions.get(), categories.get(),
                                            recurring.get(), reconciliations.get(), splitLines.get());
        return true;
    }
};

// About 20,000 pending rows of all five kinds: the benchmarks' book of 17,000
// transactions over 200 accounts, with 1,000 recurring rules and 1,000
// reconciliations, never synchronised; copied into the fixture's folder
// before it opens. The number of rows goes to `rows`.
bool seedPendingRows(Fixture &fixture, int *rows)
{
    Bench::BookShape shape;
    shape.transactions = 17000;
    shape.accounts = 200;
    shape.recurring = 1000;
    shape.reconciliations = 1000;
    const QString book = Bench::keptBook(QStringLiteral(TALLYFERN_BENCH_DATA_DIR), shape);
    if (book.isEmpty() || !QFile::copy(book, fixture.dir.filePath(QLatin1String(Database::FileName))) ||
        !fixture.open())
        return false;
    QSqlQuery count;
    *rows = 0;
    for (const QString &table : SyncTables) {
        if (!count.exec(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE sync_status = 'pending'").arg(table)) ||
            !count.next())
            return false;
        *rows += count.value(0).toInt();
    }
    return true;
}

void resetToPending()
{
    for (const QString &table : SyncTables)
        exec(QStringLiteral("UPDATE %1 SET sync_status = 'pending', server_id = NULL").arg(table));
}

// A row as a JSON object, every column by its name, into `text`.
void appendObject(QByteArray &text, sqlite3_stmt *row, int firstColumn)
{
    text += '{';
    for (int c = firstColumn; c < sqlite3_column_count(row); ++c) {
        if (c > firstColumn)
            text += ',';
        text += '"';
        text += sqlite3_column_name(row, c);
        text += "\":";
        switch (sqlite3_column_type(row, c)) {
        case SQLITE_INTEGER:
            text += QByteArray::number(sqlite3_column_int64(row, c));
            break;
        case SQLITE_NULL:
            text += "null";
            break;
        default: {
            const auto *value = reinterpret_cast<const char *>(sqlite3_column_text(row, c));
            const int size = sqlite3_column_bytes(row, c);
            text += '"';
            for (int k = 0; k < size; ++k) {
                const char ch = value[k];
                if (ch == '"' || ch == '\\')
                    text += '\\';
                if (static_cast<unsigned char>(ch) < 0x20)
                    text += "\\u00" +
                            QByteArray::number(static_cast<unsigned char>(ch), 16).rightJustified(2, '0');
                else
                    text += ch;
            }
            text += '"';
        }
        }
    }
    text += '}';
}

// The least the push must do for the same result: read every pending row (and
// the split lines of the split ones), write each as its change object in the
// JSON the server receives (the lines inside their transaction's), and mark
// each one synced with a server id. Returns the bytes written.
qsizetype rawPush(Bench::Raw &raw)
{
    raw.exec("BEGIN");
    QHash<QByteArray, QByteArray> lines;
    sqlite3_stmt *split = raw.statement(
        QStringLiteral("SELECT s.transaction_id, s.* FROM split_lines s JOIN transactions t ON t.id = "
                       "s.transaction_id WHERE t.sync_status = 'pending' AND t.is_split = 1"));
    Bench::stepRows(split, [&](sqlite3_stmt *row) {
        QByteArray &text = lines[reinterpret_cast<const char *>(sqlite3_column_text(row, 0))];
        text += text.isEmpty() ? '[' : ',';
        appendObject(text, row, 1);
    });
    QByteArray body = "{\"changes\":[";
    std::vector<QByteArray> ids[5];
    for (int t = 0; t < 5; ++t) {
        const QByteArray type = SyncTables[t].toUtf8();
        sqlite3_stmt *select = raw.statement(
            QStringLiteral("SELECT * FROM %1 WHERE sync_status = 'pending'").arg(SyncTables[t]));
        const int deletedColumn = Bench::columnIndex(select, "deleted_at");
        const int versionColumn = Bench::columnIndex(select, "version");
        Bench::stepRows(select, [&](sqlite3_stmt *row) {
            const QByteArray id(reinterpret_cast<const char *>(sqlite3_column_text(row, 0)));
            body += "{\"entity_type\":\"" + type + "\",\"entity_id\":\"" + id + "\",\"action\":\"" +
                    (sqlite3_column_type(row, deletedColumn) == SQLITE_NULL ? "upsert" : "delete") +
                    "\",\"version\":" + QByteArray::number(sqlite3_column_int64(row, versionColumn)) +
                    ",\"payload\":";
            appendObject(body, row, 0);
            if (const auto found = lines.constFind(id); found != lines.constEnd()) {
                body.chop(1);
                body += ",\"split_lines\":" + *found + "]}";
            }
            body += "},";
            ids[t].push_back(id);
        });
    }
    body.chop(1);
    body += "]}";
    for (int t = 0; t < 5; ++t) {
        sqlite3_stmt *update =
            raw.statement(QStringLiteral("UPDATE %1 SET sync_status = 'synced', server_id = ? WHERE id = ?")
                              .arg(SyncTables[t]));
        for (const QByteArray &id : std::as_const(ids[t])) {
            Bench::bindText(update, 1, "srv-" + id);
            Bench::bindText(update, 2, id);
            sqlite3_step(update);
            sqlite3_reset(update);
        }
    }
    raw.exec("COMMIT");
    return body.size();
}

// The engine's own work of a push, without the network: reading the pending
// rows, building the change objects and each batch's body as it is posted, and
// writing back each reply's results. Returns the database part and the
// building part.
std::pair<double, double> enginePushWork(const SyncStore &store)
{
    SyncOutbox outbox(&store);
    SyncOutbox::PendingRows rows;
    double database = millisOf([&] { rows = outbox.readPending(); });
    double building = millisOf([&] { outbox.collect(rows); });
    while (outbox.remaining() > 0) {
        QJsonArray batch;
        building += millisOf([&] {
            batch = outbox.takeBatch(SyncEngine::PushBatchSize);
            QJsonDocument(QJsonObject{{"changes", batch}}).toJson(QJsonDocument::Compact);
        });
        QJsonArray results;
        for (const QJsonValue &change : batch)
            results.append(QJsonObject{{"status", "ok"},
                                       {"entity_type", change["entity_type"]},
                                       {"entity_id", change["entity_id"]},
                                       {"server_id", "srv-" + change["entity_id"].toString()}});
        const QJsonObject reply{{"results", results}};
        database += millisOf([&] { outbox.applyResults(reply); });
    }
    return {database, building};
}

// Runs one engine cycle to its end.
bool runCycle(SyncEngine &engine)
{
    QEventLoop loop;
    bool completed = false;
    QObject::connect(&engine, &SyncEngine::syncCompleted, &loop, [&] {
        completed = true;
        loop.quit();
    });
    QObject::connect(&engine, &SyncEngine::syncFailed, &loop, &QEventLoop::quit);
    QTimer::singleShot(0, &engine, &SyncEngine::syncNow);
    loop.exec();
    return completed;
}

QJsonObject serverTransaction(int i, int version, const QString &clientId, const QString &serverId)
{
    return QJsonObject{{"id", serverId},
                       {"client_id", clientId},
                       {"account_id", "acc-pull"},
                       {"date", "2024-03-01"},
                       {"payee", QStringLiteral("Pulled %1 v%2").arg(i).arg(version)},
                       {"memo", "from the server"},
                       {"amount", -(i + version)},
                       {"category_id", ""},
                       {"check_number", ""},
                       {"cleared", 1},
                       {"reconciled", 0},
                       {"transfer_link_id", ""},
                       {"transfer_dest_account_id", ""},
                       {"is_split", 0},
                       {"recurring_id", ""},
                       {"version", version},
                       {"created_at", "2024-03-01T08:00:00Z"},
                       {"updated_at", QStringLiteral("2024-03-0%1T09:00:00Z").arg(1 + version % 9)}};
}

// Pull pages of `count` transactions; `byServerIdOnly` leaves the client ids out.
QList<QJsonObject> pages(int count, int version, bool byServerIdOnly)
{
    QList<QJsonObject> result;
    QJsonArray records;
    for (int i = 0; i < count; ++i) {
        const QString clientId = QStringLiteral("pull-%1").arg(i);
        records.append(serverTransaction(i, version, byServerIdOnly ? QString() : clientId,
                                         QStringLiteral("srv-pull-%1").arg(i)));
        if (records.size() == kPageSize || i == count - 1) {
            result.append(QJsonObject{{"transactions", records}});
            records = QJsonArray();
        }
    }
    return result;
}

struct PullRun
{
    double millis = 0;
    double longestPageMillis = 0;
    int mostSignalsPerPage = 0;
};

PullRun applyPages(Fixture &fixture, const QList<QJsonObject> &pageList)
{
    SyncOutbox outbox(fixture.store.get());
    outbox.collect();
    SyncApplier applier(fixture.store.get(), fixture.preferences.get());
    int signalCount = 0;
    QList<QMetaObject::Connection> connections{
        QObject::connect(fixture.accounts.get(), &AccountRepository::accountsChanged, [&] { ++signalCount; }),
        QObject::connect(fixture.transactions.get(), &TransactionRepository::transactionsChanged,
                         [&] { ++signalCount; }),
        QObject::connect(fixture.categories.get(), &CategoryRepository::categoriesChanged,
                         [&] { ++signalCount; }),
        QObject::connect(fixture.recurring.get(), &RecurringRepository::recurringChanged,
                         [&] { ++signalCount; }),
        QObject::connect(fixture.reconciliations.get(), &ReconciliationRepository::reconciliationsChanged,
                         [&] { ++signalCount; })};
    PullRun run;
    applier.beginPull(&outbox);
    for (const QJsonObject &page : pageList) {
        signalCount = 0;
        const double millis = millisOf([&] { applier.applyPage(page); });
        run.millis += millis;
        run.longestPageMillis = std::max(run.longestPageMillis, millis);
        run.mostSignalsPerPage = std::max(run.mostSignalsPerPage, signalCount);
    }
    applier.endPull();
    for (const QMetaObject::Connection &connection : connections)
        QObject::disconnect(connection);
    return run;
}

const char *TransactionColumns =
    "id, account_id, date, payee, memo, amount, category_id, check_number, cleared, "
    "reconciled, transfer_link_id, transfer_dest_account_id, is_split, recurring_id, "
    "version, sync_status, server_id, created_at, updated_at";

void rawInsert(const QList<QJsonObject> &pageList)
{
    QSqlDatabase::database().transaction();
    QSqlQuery insert;
    insert.prepare(
        QStringLiteral("INSERT INTO transactions (%1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                       "?, 'synced', ?, ?, ?)")
            .arg(QLatin1String(TransactionColumns)));
    for (const QJsonObject &page : pageList) {
        for (const QJsonValue &value : page["transactions"].toArray()) {
            const QJsonObject r = value.toObject();
            for (const char *key :
                 {"client_id", "account_id", "date", "payee", "memo", "amount", "category_id", "check_number",
                  "cleared", "reconciled", "transfer_link_id", "transfer_dest_account_id", "is_split",
                  "recurring_id", "version", "id", "created_at", "updated_at"})
                insert.addBindValue(r[QLatin1String(key)].toVariant());
            insert.exec();
        }
    }
    QSqlDatabase::database().commit();
}

// `keyColumn` "id" matches by client id, "server_id" by the server's id.
void rawUpdate(const QList<QJsonObject> &pageList, const QString &keyColumn)
{
    QSqlDatabase::database().transaction();
    QSqlQuery update;
    update.prepare(
        QStringLiteral("UPDATE transactions SET date = ?, payee = ?, memo = ?, amount = ?, category_id = ?, "
                       "check_number = ?, cleared = ?, reconciled = ?, transfer_link_id = ?, "
                       "transfer_dest_account_id = ?, is_split = ?, recurring_id = ?, version = ?, "
                       "sync_status = 'synced', server_id = ?, updated_at = ? WHERE %1 = ?")
            .arg(keyColumn));
    const QString key = keyColumn == QLatin1String("id") ? QStringLiteral("client_id") : QStringLiteral("id");
    for (const QJsonObject &page : pageList) {
        for (const QJsonValue &value : page["transactions"].toArray()) {
            const QJsonObject r = value.toObject();
            for (const char *column :
                 {"date", "payee", "memo", "amount", "category_id", "check_number", "cleared", "reconciled",
                  "transfer_link_id", "transfer_dest_account_id", "is_split", "recurring_id", "version", "id",
                  "updated_at"})
                update.addBindValue(r[QLatin1String(column)].toVariant());
            update.addBindValue(r[key].toVariant());
            update.exec();
        }
    }
    QSqlDatabase::database().commit();
}

// Rounds alternate raw and engine, raw first in every other round; each side
// returns its time in ms.
std::pair<double, double> alternate(const std::function<double(int)> &raw,
                                    const std::function<double(int)> &engine)
{
    std::vector<double> raws, engines;
    for (int round = 0; round < kRounds; ++round) {
        if (round % 2 == 0) {
            raws.push_back(raw(round));
            engines.push_back(engine(round));
        } else {
            engines.push_back(engine(round));
            raws.push_back(raw(round));
        }
    }
    return {median(raws), median(engines)};
}

void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg)
        fprintf(stderr, "WARN: %s\n", qPrintable(message));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(quietMessages);
    // Optional arguments pick sections ("push", "pull", "idle"); none runs all.
    const QStringList wanted = app.arguments().mid(1);
    auto runs = [&wanted](const char *section) {
        return wanted.isEmpty() || wanted.contains(QLatin1String(section));
    };
    bool allOk = true;

    // --- push ---------------------------------------------------------
    if (runs("push")) {
        Fixture fixture;
        int pending = 0;
        if (!seedPendingRows(fixture, &pending))
            return 2;
        Bench::Raw rawConnection(fixture.db.filePath());
        if (!rawConnection.isOpen() || !rawConnection.matchSettings(fixture.db.database()))
            return 2;
        out() << "push of " << pending << " pending rows (five kinds, every twentieth transaction split):\n";
        std::vector<double> buildings;
        qsizetype bodyBytes = 0;
        const auto [raw, engine] = alternate(
            [&](int) {
                const double millis = millisOf([&] { bodyBytes = rawPush(rawConnection); });
                resetToPending();
                return millis;
            },
            [&](int) {
                const auto [database, building] = enginePushWork(*fixture.store);
                buildings.push_back(building);
                resetToPending();
                return database + building;
            });
        out() << QStringLiteral(
                     "  C API select, change objects (%1 KiB of JSON) and updates %2 ms; engine %3 ms, of "
                     "which building the change objects and bodies %4 ms\n")
                     .arg(bodyBytes / 1024)
                     .arg(raw, 0, 'f', 1)
                     .arg(engine, 0, 'f', 1)
                     .arg(median(buildings), 0, 'f', 1);
        allOk &= report("engine push work / raw", engine / raw, 2.0);

        FakeSync::FakeSyncServer server;
        server.setEchoPushes(false);
        if (!server.listen())
            return 2;
        BrioAccount::TokenManager tokens(std::make_unique<MemoryTokenStore>());
        tokens.setTokens(token(), "refresh");
        BrioAccount::ApiClient api(&tokens);
        api.setBaseUrl(server.baseUrl());
        SyncEngine syncEngine(&api, fixture.accounts.get(), fixture.transactions.get(),
                              fixture.categories.get(), fixture.recurring.get(),
                              fixture.reconciliations.get(), fixture.splitLines.get(),
                              fixture.preferences.get());
        std::vector<double> endToEnd;
        std::vector<double> serverWork;
        int posts = 0;
        for (int round = 0; round < kRounds; ++round) {
            const int before = server.pushCount();
            const qint64 serverBefore = server.handlerNanoseconds();
            endToEnd.push_back(millisOf([&] { allOk &= runCycle(syncEngine); }));
            serverWork.push_back((server.handlerNanoseconds() - serverBefore) / 1e6);
            posts = server.pushCount() - before;
            resetToPending();
        }
        // A server at zero latency answers at once: the time the fake takes to
        // handle each request is its own, not the engine's.
        std::vector<double> engineEndToEnd;
        for (size_t i = 0; i < endToEnd.size(); ++i)
            engineEndToEnd.push_back(endToEnd[i] - serverWork[i]);
        out() << QStringLiteral(
                     "  end to end %1 ms, of which the fake server handling requests %2 ms; %3 POSTs\n")
                     .arg(median(endToEnd), 0, 'f', 1)
                     .arg(median(serverWork), 0, 'f', 1)
                     .arg(posts);
        allOk &=
            report("end to end without the fake server's own work / raw", median(engineEndToEnd) / raw, 5.0);
        allOk &= report("POSTs", posts, 40, QString());
    }

    // --- pull ---------------------------------------------------------
    if (runs("pull")) {
        Fixture fixture;
        if (!fixture.open() ||
            !exec("INSERT INTO accounts (id, name, sync_status, created_at, updated_at) VALUES ('acc-pull', "
                  "'Pulled', 'synced', '2024-01-01T00:00:00Z', '2024-01-01T00:00:00Z')"))
            return 2;

        out() << "pull of " << kRows << " new transactions into an empty database:\n";
        const QList<QJsonObject> fresh = pages(kRows, 1, false);
        PullRun lastInsertRun;
        const auto [rawInsertMs, applyInsertMs] = alternate(
            [&](int) {
                const double millis = millisOf([&] { rawInsert(fresh); });
                exec("DELETE FROM transactions");
                return millis;
            },
            [&](int) {
                lastInsertRun = applyPages(fixture, fresh);
                exec("DELETE FROM transactions");
                return lastInsertRun.millis;
            });
        // The updates below find these rows.
        applyPages(fixture, fresh);
        out() << QStringLiteral("  raw inserts %1 ms, apply %2 ms\n")
                     .arg(rawInsertMs, 0, 'f', 1)
                     .arg(applyInsertMs, 0, 'f', 1);
        allOk &= report("apply / raw inserts", applyInsertMs / rawInsertMs, 3.0);
        allOk &= report("change signals per page", lastInsertRun.mostSignalsPerPage, 5, QString());
        allOk &= report("longest page", lastInsertRun.longestPageMillis, 100, QStringLiteral(" ms"));

        int version = 1;
        auto updates = [&](const QString &label, bool byServerId, double target) {
            out() << "pull of " << kRows << " updates matched by " << label << ":\n";
            const QString keyColumn = byServerId ? QStringLiteral("server_id") : QStringLiteral("id");
            const auto [rawMs, applyMs] = alternate(
                [&](int) {
                    const QList<QJsonObject> pageList = pages(kRows, ++version, byServerId);
                    return millisOf([&] { rawUpdate(pageList, keyColumn); });
                },
                [&](int) { return applyPages(fixture, pages(kRows, ++version, byServerId)).millis; });
            out() << QStringLiteral("  raw updates %1 ms, apply %2 ms\n")
                         .arg(rawMs, 0, 'f', 1)
                         .arg(applyMs, 0, 'f', 1);
            allOk &= report("apply / raw updates", applyMs / rawMs, target);
            return applyMs;
        };
        updates(QStringLiteral("client_id"), false, 3.0);
        const double twenty = updates(QStringLiteral("server_id only"), true, 4.0);

        // Twice the rows: no work may grow faster than the row count.
        applyPages(fixture, pages(2 * kRows, ++version, false));
        std::vector<double> forty;
        for (int round = 0; round < kRounds; ++round)
            forty.push_back(applyPages(fixture, pages(2 * kRows, ++version, true)).millis);
        out() << "pull of " << 2 * kRows << " updates matched by server_id only: " << median(forty)
              << " ms\n";
        allOk &= report("time for 40,000 / time for 20,000", median(forty) / twenty, 2.3);
    }

    // --- idle cycle ---------------------------------------------------
    if (runs("idle")) {
        Fixture fixture;
        FakeSync::FakeSyncServer server;
        if (!fixture.open() || !server.listen())
            return 2;
        BrioAccount::TokenManager tokens(std::make_unique<MemoryTokenStore>());
        tokens.setTokens(token(), "refresh");
        BrioAccount::ApiClient api(&tokens);
        api.setBaseUrl(server.baseUrl());
        SyncEngine engine(&api, fixture.accounts.get(), fixture.transactions.get(), fixture.categories.get(),
                          fixture.recurring.get(), fixture.reconciliations.get(), fixture.splitLines.get(),
                          fixture.preferences.get());
        int signalCount = 0;
        QObject::connect(fixture.accounts.get(), &AccountRepository::accountsChanged, [&] { ++signalCount; });
        QObject::connect(fixture.transactions.get(), &TransactionRepository::transactionsChanged,
                         [&] { ++signalCount; });
        QObject::connect(fixture.categories.get(), &CategoryRepository::categoriesChanged,
                         [&] { ++signalCount; });
        QObject::connect(fixture.preferences.get(), &PreferencesRepository::changed, [&] { ++signalCount; });
        runCycle(engine);
        signalCount = 0;
        const QString before = SyncStore::writeMark();
        const int requestsBefore = server.http()->requestCount();
        allOk &= runCycle(engine);
        const bool wroteNothing = SyncStore::writeMark() == before;
        out() << "idle cycle:\n";
        out() << QStringLiteral("  requests %1, database writes %2, change signals %3 %4\n")
                     .arg(server.http()->requestCount() - requestsBefore)
                     .arg(wroteNothing ? 0 : 1)
                     .arg(signalCount)
                     .arg(wroteNothing && signalCount == 0 ? QStringLiteral("ok") : QStringLiteral("MISSED"));
        allOk &= wroteNothing && signalCount == 0;
    }

    out() << (allOk ? "all sync targets met\n" : "some sync targets MISSED\n");
    return allOk ? 0 : 1;
}
