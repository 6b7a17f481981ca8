#include "FuzzSupport.h"

#include "Database.h"
#include "MigrationRunner.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtFatalMsg)
        return;
    std::fprintf(stderr, "FATAL: %s\n", qPrintable(message));
    std::abort();
}

struct Scratch
{
    QTemporaryDir directory;
    std::unique_ptr<Database> database;
};

bool exec(const char *sql)
{
    QSqlQuery query(QSqlDatabase::database());
    return query.exec(QString::fromLatin1(sql));
}

} // namespace

namespace FuzzSupport {

void start(int *argc, char ***argv)
{
    // Lives as long as the process; libFuzzer never returns from its loop.
    new QCoreApplication(*argc, *argv);
    qInstallMessageHandler(quietMessages);
}

QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

Database *scratchDatabase()
{
    static Scratch *scratch = nullptr;
    if (scratch)
        return scratch->database.get();
    auto made = std::make_unique<Scratch>();
    made->database = std::make_unique<Database>(made->directory.path());
    if (!made->directory.isValid() || !made->database->open() ||
        !MigrationRunner(made->database.get()).migrate()) {
        std::fprintf(stderr, "FuzzSupport: no scratch database in %s\n", qPrintable(made->directory.path()));
        std::abort();
    }
    scratch = made.release();
    // Registered after Qt's connection registry exists, so that it runs
    // before that registry is destroyed at exit.
    std::atexit([] {
        delete scratch;
        scratch = nullptr;
    });
    return scratch->database.get();
}

bool beginScratch()
{
    return scratchDatabase() && exec("BEGIN");
}

void discardScratch()
{
    exec("ROLLBACK");
}

} // namespace FuzzSupport
