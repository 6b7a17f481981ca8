#include "SqliteStatement.h"

#include "SqliteRows.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>

namespace {

sqlite3 *handleOf(const QSqlDatabase &database)
{
    return *static_cast<sqlite3 *const *>(database.driver()->handle().constData());
}

} // namespace

SqliteStatement::SqliteStatement(const QSqlDatabase &database, const QString &sql)
    : m_database(database)
{
    if (!database.isOpen()) {
        m_error = QStringLiteral("Driver not loaded");
        return;
    }
    if (SqliteRows::directReads(database)) {
        sqlite3 *db = handleOf(database);
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &m_statement, nullptr) != SQLITE_OK) {
            m_error = QString::fromUtf8(sqlite3_errmsg(db));
            sqlite3_finalize(m_statement);
            m_statement = nullptr;
        }
        return;
    }
    m_query = std::make_unique<QSqlQuery>(database);
    if (!m_query->prepare(sql)) {
        m_error = m_query->lastError().text();
        m_query.reset();
    }
}

SqliteStatement::SqliteStatement(sqlite3_stmt *kept)
    : m_statement(kept)
    , m_kept(true)
{
}

SqliteStatement::~SqliteStatement()
{
    if (!m_kept) {
        sqlite3_finalize(m_statement);
        return;
    }
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

void SqliteStatement::reset()
{
    if (!m_stepped)
        return;
    m_stepped = false;
    m_hasRow = false;
    if (m_statement) {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    } else if (m_query) {
        m_query->finish();
    }
}

void SqliteStatement::bindNull(int index)
{
    reset();
    if (m_statement)
        sqlite3_bind_null(m_statement, index + 1);
    else if (m_query)
        m_query->bindValue(index, QVariant(QMetaType::fromType<QString>()));
}

void SqliteStatement::bindInteger(int index, qint64 value)
{
    reset();
    if (m_statement)
        sqlite3_bind_int64(m_statement, index + 1, value);
    else if (m_query)
        m_query->bindValue(index, value);
}

void SqliteStatement::bindText(int index, QByteArrayView utf8)
{
    reset();
    if (m_statement)
        sqlite3_bind_text(m_statement, index + 1, utf8.data() ? utf8.data() : "", int(utf8.size()),
                          SQLITE_TRANSIENT);
    else if (m_query)
        m_query->bindValue(index, QString::fromUtf8(utf8.data() ? utf8 : QByteArrayView("")));
}

void SqliteStatement::bindValue(int index, const QVariant &value)
{
    if (value.isNull())
        bindNull(index);
    else if (value.typeId() == QMetaType::QString)
        bindText(index, value.toString().toUtf8());
    else
        bindInteger(index, value.toLongLong());
}

bool SqliteStatement::bindsAsIs(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        return true;
    default:
        return value.isNull();
    }
}

bool SqliteStatement::exec()
{
    reset();
    m_stepped = true;
    m_changes = 0;
    m_error.clear();
    if (m_statement) {
        const int stepped = sqlite3_step(m_statement);
        m_hasRow = stepped == SQLITE_ROW;
        if (stepped != SQLITE_ROW && stepped != SQLITE_DONE) {
            m_error = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(m_statement)));
            return false;
        }
        m_changes = sqlite3_changes(sqlite3_db_handle(m_statement));
        return true;
    }
    if (!m_query) {
        if (m_error.isEmpty())
            m_error = QStringLiteral("Statement not prepared");
        return false;
    }
    if (!m_query->exec()) {
        m_error = m_query->lastError().text();
        return false;
    }
    m_changes = m_query->numRowsAffected();
    m_hasRow = m_query->isSelect() && m_query->next();
    return true;
}

QByteArrayView SqliteStatement::utf8(int column) const
{
    if (!m_hasRow)
        return {};
    if (m_statement) {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
        return QByteArrayView(text, text ? sqlite3_column_bytes(m_statement, column) : 0);
    }
    m_text = m_query->value(column).toString().toUtf8();
    return m_text;
}
