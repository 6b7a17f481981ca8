#include "SqliteRows.h"

#include "Database.h"
#include "SqlStatement.h"

#include <QSqlDriver>
#include <QSqlRecord>
#include <sqlite3.h>

namespace {

bool g_directAllowed = true;

// The driver's handle may be used here only when both sides are one SQLite
// library: the same source (a copy built into the driver would differ in its
// state, if not its code) and a handle of the type SQLite's interface takes.
bool driverSharesLibrary(const QSqlDatabase &database)
{
    const QVariant handle = database.driver() ? database.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return false;
    QSqlQuery query(database);
    return query.exec(QStringLiteral("SELECT sqlite_source_id()")) && query.next() &&
           query.value(0).toString() == QLatin1String(sqlite3_sourceid());
}

sqlite3 *handleOf(const QSqlDatabase &database)
{
    const QVariant handle = database.driver()->handle();
    return *static_cast<sqlite3 *const *>(handle.constData());
}

QSqlError errorOf(sqlite3 *db, int code)
{
    // As the driver reports it: the primary result code is the native one.
    return QSqlError(QStringLiteral("Unable to fetch row"), QString::fromUtf8(sqlite3_errmsg(db)),
                     QSqlError::StatementError, QString::number(code & 0xff));
}

} // namespace

bool SqliteRows::directReads(const QSqlDatabase &database)
{
    // Whether the driver has its own copy is a property of the process.
    static const bool shared = driverSharesLibrary(database);
    return g_directAllowed && shared;
}

void SqliteRows::setDirectReadsAllowed(bool allowed)
{
    g_directAllowed = allowed;
}

SqliteRows::SqliteRows(const QSqlDatabase &database, const QString &sql, const QVariantList &values)
{
    prepare(database, sql);
    bind(values);
}

SqliteRows::SqliteRows(Database *database, const QString &sql, const QVariantList &values)
{
    m_statement = database->keptReadStatement(sql);
    // A read of the same statement still under way (a caller's) keeps it.
    if (m_statement && sqlite3_stmt_busy(m_statement))
        m_statement = nullptr;
    m_kept = m_statement != nullptr;
    if (!m_kept)
        prepare(database->database(), sql);
    bind(values);
}

void SqliteRows::prepare(const QSqlDatabase &database, const QString &sql)
{
    if (!database.isOpen()) {
        m_error = QSqlError(QStringLiteral("Driver not loaded"), QString(), QSqlError::ConnectionError);
        return;
    }
    if (!directReads(database)) {
        m_query = std::make_unique<QSqlQuery>(database);
        m_query->setForwardOnly(true);
        if (!m_query->prepare(sql))
            m_error = m_query->lastError();
        return;
    }
    sqlite3 *db = handleOf(database);
    const QByteArray text = sql.toUtf8();
    const int prepared = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &m_statement, nullptr);
    if (prepared != SQLITE_OK) {
        m_error = errorOf(db, prepared);
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
    }
}

void SqliteRows::bind(const QVariantList &values)
{
    if (failed())
        return;
    if (m_query) {
        for (const QVariant &value : values)
            m_query->addBindValue(value);
        if (!m_query->exec())
            m_error = m_query->lastError();
        else
            m_texts.resize(m_query->record().count());
        return;
    }
    for (int i = 0; i < values.size(); ++i) {
        const QVariant &value = values.at(i);
        int bound = SQLITE_OK;
        if (value.isNull()) {
            bound = sqlite3_bind_null(m_statement, i + 1);
        } else if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong ||
                   value.typeId() == QMetaType::Bool) {
            bound = sqlite3_bind_int64(m_statement, i + 1, value.toLongLong());
        } else {
            const QByteArray bytes = value.toString().toUtf8();
            bound =
                sqlite3_bind_text(m_statement, i + 1, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        }
        if (bound != SQLITE_OK) {
            m_error = errorOf(sqlite3_db_handle(m_statement), bound);
            return;
        }
    }
}

SqliteRows::~SqliteRows()
{
    release();
}

void SqliteRows::release()
{
    if (m_kept && m_statement) {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    } else {
        sqlite3_finalize(m_statement);
    }
    m_statement = nullptr;
}

bool SqliteRows::next()
{
    if (failed())
        return false;
    if (m_query) {
        if (!m_query->next()) {
            if (m_query->lastError().type() != QSqlError::NoError)
                m_error = m_query->lastError();
            return false;
        }
        for (int c = 0; c < m_texts.size(); ++c)
            m_texts[c] = m_query->isNull(c) ? QByteArray() : m_query->value(c).toString().toUtf8();
        return true;
    }
    if (!m_statement)
        return false;
    const int stepped = sqlite3_step(m_statement);
    if (stepped == SQLITE_ROW)
        return true;
    if (stepped != SQLITE_DONE)
        m_error = errorOf(sqlite3_db_handle(m_statement), stepped);
    // Ended: the read transaction is let go at once.
    release();
    return false;
}

bool SqliteRows::isNull(int column) const
{
    if (m_query)
        return m_query->isNull(column);
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

qint64 SqliteRows::integer(int column) const
{
    if (m_query)
        return m_query->value(column).toLongLong();
    return sqlite3_column_int64(m_statement, column);
}

std::optional<qint64> SqliteRows::exactInteger(int column) const
{
    if (m_query) {
        const QVariant value = m_query->value(column);
        return value.typeId() == QMetaType::LongLong ? std::optional<qint64>(value.toLongLong())
                                                     : std::nullopt;
    }
    if (sqlite3_column_type(m_statement, column) != SQLITE_INTEGER)
        return std::nullopt;
    return sqlite3_column_int64(m_statement, column);
}

QByteArrayView SqliteRows::utf8(int column) const
{
    if (m_query)
        return m_texts.at(column);
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return QByteArrayView(text, text ? sqlite3_column_bytes(m_statement, column) : 0);
}
