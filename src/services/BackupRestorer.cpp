#include "BackupRestorer.h"

#include "AccountTotals.h"
#include "Database.h"
#include "DatabaseTransaction.h"
#include "FlatJsonObject.h"
#include "Money.h"
#include "RecordOrder.h"
#include "SqlValues.h"
#include "SqliteStatement.h"

#include <QJsonDocument>
#include <QJsonValue>
#include <QSqlError>
#include <QSqlQuery>
#include <QStorageInfo>

using namespace BackupTables;

namespace {

const QString kManifestName = QStringLiteral("manifest.json");
constexpr int kArchiveVersion = 1;
constexpr qint64 kProgressStep = 256;
// The ids of the categories, held for their order, take at most this.
constexpr qint64 kMaxCategoryMemory = 64 * 1024 * 1024;

QList<QByteArray> sortedKeys(const Table &table)
{
    QList<QByteArray> keys;
    for (const int column : table.keyOrder)
        keys << QByteArray(table.columns[column].name);
    return keys;
}

} // namespace

namespace {

using AccountTotals::addCapped;
using AccountTotals::magnitude;

size_t transactionsTable()
{
    static const size_t index = [] {
        size_t i = 0;
        while (i + 1 < tables().size() && qstrcmp(tables()[i].name, "transactions") != 0)
            ++i;
        return i;
    }();
    return index;
}

} // namespace

BackupRestorer::BackupRestorer(Database *database, RestoreMode mode, BackupService::Progress progress)
    : m_database(database)
    , m_mode(int(mode) < 0 || int(mode) > 2 ? RestoreMode::SkipExisting : mode)
    , m_progress(std::move(progress))
{
    m_first.fill(-1);
    m_last.fill(-1);
}

BackupRestorer::~BackupRestorer() = default;

void BackupRestorer::setLimits(qint64 maxEntries, qint64 maxEntrySize)
{
    m_maxEntries = maxEntries;
    m_maxEntrySize = maxEntrySize;
}

void BackupRestorer::addError(const QString &text)
{
    // A hostile archive may hold millions of bad entries: beyond the first
    // ones only their number is kept.
    if (m_result.errors.size() < RestoreResult::MaxListedErrors)
        m_result.errors << text;
    else
        ++m_result.unlistedErrors;
}

RestoreResult BackupRestorer::run(QIODevice *archive)
{
    m_reader = std::make_unique<ZipReader>(archive, m_maxEntries);
    if (m_reader->status() == ZipReader::Status::TooManyEntries) {
        addError(tr("Too many entries in backup: %1").arg(m_reader->declaredEntryCount()));
        return m_result;
    }
    if (m_reader->status() != ZipReader::Status::Ok || !scan()) {
        if (m_result.errors.isEmpty())
            addError(tr("Failed to open ZIP archive"));
        return m_result;
    }
    if (!checkManifest())
        return m_result;
    for (const QString &name : std::as_const(m_notRows))
        addError(tr("%1: not a row of the backup, skipped").arg(name));
    m_result.unlistedErrors += m_notRowsUnlisted;

    DatabaseTransaction transaction(m_database, "BackupService::restoreBackup");
    bool intact = true;
    for (size_t t = 0; t < Count && intact && !m_cancelled; ++t)
        intact = t == 1 ? restoreCategories() : restoreTable(t);
    // No statement of the restore may be running when the transaction ends.
    for (size_t t = 0; t < Count; ++t) {
        m_upserts[t].reset();
        m_stamps[t].reset();
    }
    if (m_cancelled || (m_progress && !m_progress(m_done, m_total))) {
        // Rolled back with the transaction: the database is as it was.
        RestoreResult cancelled;
        cancelled.cancelled = true;
        return cancelled;
    }
    if (!intact || !transaction.commit()) {
        // Nothing of this restore is in the database.
        RestoreResult failed;
        failed.errors = m_result.errors;
        failed.unlistedErrors = m_result.unlistedErrors;
        failed.errors
            << tr("The restore could not be saved: %1").arg(m_database->database().lastError().text());
        return failed;
    }
    return m_result;
}

bool BackupRestorer::scan()
{
    quint64 declared = 0;
    const bool whole = m_reader->forEachEntry([this, &declared](const ZipReader::Entry &entry) {
        if (entry.isDirectory())
            return true;
        const int table = tableOf(entry.name);
        if (table >= 0) {
            if (m_first[table] < 0)
                m_first[table] = entry.position;
            m_last[table] = entry.position;
            ++m_total;
        } else if (entry.name == kManifestName && m_manifest < 0) {
            m_manifest = entry.position;
        } else {
            if (m_notRows.size() < RestoreResult::MaxListedErrors)
                m_notRows << entry.name;
            else
                ++m_notRowsUnlisted;
            return true;
        }
        declared += entry.size;
        return true;
    });
    if (!whole)
        return false;
    // What the rows inflate to costs time: an archive that claims far more
    // than its own size in rows is refused before anything is read.
    const qint64 size = m_reader->archiveSize();
    if (declared > quint64(qMin(BackupService::MaxTotalBytes, size * BackupService::MaxExpansion))) {
        addError(tr("The backup's contents are too large to restore"));
        return false;
    }
    const qint64 available = QStorageInfo(m_database->dataDirectory()).bytesAvailable();
    if (available >= 0 && available < size) {
        addError(tr("Not enough free disk space to restore this backup"));
        return false;
    }
    return true;
}

bool BackupRestorer::checkManifest()
{
    const std::optional<ZipReader::Entry> entry =
        m_manifest >= 0 ? m_reader->entryAt(m_manifest) : std::nullopt;
    if (!entry) {
        addError(tr("Invalid backup: missing manifest.json"));
        return false;
    }
    const std::optional<QByteArray> bytes = readEntry(*entry);
    if (!bytes)
        return false;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(*bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        addError(tr("%1: invalid JSON").arg(entry->name));
        return false;
    }
    const QJsonValue version = document.object().value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() != kArchiveVersion) {
        addError(tr("Unsupported backup version: %1")
                     .arg(version.isDouble() ? QString::number(version.toDouble())
                                             : version.toVariant().toString()));
        return false;
    }
    return true;
}

std::optional<QByteArray> BackupRestorer::readEntry(const ZipReader::Entry &entry)
{
    if (qint64(entry.size) > m_maxEntrySize) {
        addError(tr("%1: entry too large").arg(entry.name));
        return std::nullopt;
    }
    std::optional<QByteArray> bytes = m_reader->read(entry, m_maxEntrySize);
    if (!bytes)
        addError(tr("%1: damaged entry").arg(entry.name));
    return bytes;
}

bool BackupRestorer::advance()
{
    ++m_done;
    if (m_progress && m_done % kProgressStep == 0 && !m_progress(m_done, m_total))
        m_cancelled = true;
    return !m_cancelled;
}

bool BackupRestorer::forEachRow(size_t table, const std::function<bool(const ZipReader::Entry &)> &visit)
{
    // Entries of other tables between this table's first and last are passed
    // over: in an archive of this program there are none.
    for (qint64 position = m_first[table]; position >= 0 && position <= m_last[table];) {
        const std::optional<ZipReader::Entry> entry = m_reader->entryAt(position);
        if (!entry)
            return false;
        position = entry->next;
        if (!entry->isDirectory() && tableOf(entry->name) == int(table) && !visit(*entry))
            break;
    }
    return true;
}

bool BackupRestorer::restoreTable(size_t table)
{
    bool intact = true;
    const bool read = forEachRow(table, [this, table, &intact](const ZipReader::Entry &entry) {
        intact = restoreEntry(table, entry);
        return intact && advance();
    });
    return read && intact;
}

bool BackupRestorer::restoreCategories()
{
    // Parents are written before their children, wherever the archive lists
    // them: the ids are read first, then each row again when it is written.
    const size_t table = 1;
    QList<Category> categories;
    qint64 kept = 0;
    const bool read = forEachRow(table, [this, &categories, &kept](const ZipReader::Entry &entry) {
        const std::optional<QByteArray> bytes = readEntry(entry);
        if (bytes && !readRow(table, *bytes)) {
            addError(tr("%1: invalid JSON").arg(entry.name));
        } else if (bytes && validRow(table, entry.name)) {
            const Value &parent = m_values[columnIndex(tables()[table], "parent_id")];
            categories.append({QString::fromUtf8(m_values[0].text),
                               parent.type == Value::Text ? QString::fromUtf8(parent.text) : QString(),
                               entry.position});
            // What is kept of each costs memory: a book has a few hundred.
            kept += 128 + 2 * (categories.constLast().id.size() + categories.constLast().parentId.size());
            return kept <= kMaxCategoryMemory;
        }
        return advance();
    });
    if (kept > kMaxCategoryMemory)
        addError(tr("The backup's contents are too large to restore"));
    if (!read || kept > kMaxCategoryMemory)
        return false;
    if (m_cancelled)
        return true;
    // A row whose parent is not in the archive, absent or on a cycle then fails alone.
    categories = RecordOrder::parentsFirst(
        std::move(categories), [](const Category &row) { return row.id; },
        [](const Category &row) { return row.parentId; });
    for (const Category &category : std::as_const(categories)) {
        const std::optional<ZipReader::Entry> entry = m_reader->entryAt(category.position);
        if (!entry || !restoreEntry(table, *entry))
            return false;
        if (!advance())
            return true;
    }
    return true;
}

bool BackupRestorer::restoreEntry(size_t table, const ZipReader::Entry &entry)
{
    const std::optional<QByteArray> bytes = readEntry(entry);
    if (!bytes)
        return true;
    if (!readRow(table, *bytes)) {
        addError(tr("%1: invalid JSON").arg(entry.name));
        return true;
    }
    return !validRow(table, entry.name) || writeRow(table, entry.name);
}

bool BackupRestorer::readRow(size_t table, const QByteArray &json)
{
    const Table &definition = tables()[table];
    m_texts.clear();
    m_values.resize(definition.columns.size());
    if (!m_json[table])
        m_json[table] = std::make_unique<FlatJsonObject>(sortedKeys(definition));
    FlatJsonObject &flat = *m_json[table];
    if (!flat.parse(json)) {
        // Anything but a plain row: what QJsonDocument makes of it decides.
        const QJsonDocument document = QJsonDocument::fromJson(json);
        if (!document.isObject())
            return false;
        readRow(table, document.object());
        return true;
    }
    using Type = FlatJsonObject::Type;
    for (qsizetype key = 0; key < definition.keyOrder.size(); ++key) {
        const Column &column = definition.columns[definition.keyOrder[key]];
        const FlatJsonObject::Value &in = flat.value(key);
        Value &out = m_values[definition.keyOrder[key]];
        out = Value();
        switch (column.kind) {
        case Kind::Id:
        case Kind::Optional:
            if (in.type == Type::Text && !in.text.isEmpty())
                out = {Value::Text, 0, in.text};
            break;
        case Kind::Integer:
            out = {Value::Integer,
                   in.type == Type::Bool || in.type == Type::Integer ? in.integer : column.integerDefault,
                   {}};
            break;
        case Kind::Text:
            if (in.type == Type::Text) {
                out = {Value::Text, 0, in.text};
            } else if (in.type == Type::Integer) {
                m_texts.append(QByteArray::number(in.integer));
                out = {Value::Text, 0, m_texts.constLast()};
            } else {
                out = {Value::Text, 0, QByteArrayView(column.textDefault)};
            }
            break;
        }
    }
    return true;
}

void BackupRestorer::readRow(size_t table, const QJsonObject &object)
{
    const Table &definition = tables()[table];
    for (qsizetype i = 0; i < definition.columns.size(); ++i) {
        const Column &column = definition.columns[i];
        const QJsonValue value = object.value(QLatin1String(column.name));
        Value &out = m_values[i];
        out = Value();
        const auto text = [this, &out](const QString &string) {
            m_texts.append(string.toUtf8());
            out = {Value::Text, 0, m_texts.constLast()};
        };
        switch (column.kind) {
        case Kind::Id:
        case Kind::Optional:
            if (value.isString() && !value.toString().isEmpty())
                text(value.toString());
            break;
        case Kind::Integer:
            out = {Value::Integer,
                   value.isBool() ? qint64(value.toBool()) : value.toInteger(column.integerDefault),
                   {}};
            break;
        case Kind::Text:
            if (value.isString() || value.isDouble())
                text(value.toVariant().toString());
            else
                out = {Value::Text, 0, QByteArrayView(column.textDefault)};
            break;
        }
    }
}

// Every check of a row before it is written is made here.
bool BackupRestorer::validRow(size_t table, const QString &fileName)
{
    if (m_values[0].type != Value::Text) {
        addError(tr("%1: the field \"%2\" is missing, empty or not text, skipped")
                     .arg(fileName, QLatin1String(tables()[table].columns[0].name)));
        return false;
    }
    QString refusal;
    if (table == 0)
        refusal = startingBalanceRefusal(fileName);
    else if (table == transactionsTable() && !keepsSumsInRange())
        refusal = sumsTooLarge(fileName);
    if (refusal.isEmpty())
        return true;
    addError(refusal);
    return false;
}

QString BackupRestorer::sumsTooLarge(const QString &fileName)
{
    return tr("%1: the amounts of its account would be too large to add up, skipped").arg(fileName);
}

QString BackupRestorer::startingBalanceRefusal(const QString &fileName)
{
    const Table &definition = tables()[0];
    const Value &balance = m_values[columnIndex(definition, "starting_balance")];
    const Value &currency = m_values[columnIndex(definition, "currency")];
    const qint64 amount = balance.type == Value::Integer ? balance.integer : 0;
    const Currency inCurrency =
        currencyFromString(currency.type == Value::Text ? QString::fromUtf8(currency.text) : QString());
    if (magnitude(amount) > quint64(Money::largestEntered(inCurrency)))
        return tr("%1: the field \"%2\" is out of range, skipped")
            .arg(fileName, QLatin1String("starting_balance"));
    // Only a row that replaces the stored one can move its sums (a new one has none yet).
    const bool replaces =
        m_mode == RestoreMode::Overwrite || (m_mode == RestoreMode::KeepNewer && archiveRowIsNewer(0));
    if (replaces &&
        !AccountTotals::startingBalanceInRange(m_database, QString::fromUtf8(m_values[0].text), amount))
        return sumsTooLarge(fileName);
    return QString();
}

bool BackupRestorer::keepsSumsInRange()
{
    const Table &definition = tables()[transactionsTable()];
    const auto text = [&](const char *column) {
        const Value &value = m_values[columnIndex(definition, column)];
        return value.type == Value::Text ? QString::fromUtf8(value.text) : QString();
    };
    const auto integer = [&](const char *column) {
        const Value &value = m_values[columnIndex(definition, column)];
        return value.type == Value::Integer ? value.integer : 0;
    };
    Transaction row;
    row.id = text("id");
    row.accountId = text("account_id");
    row.amount = integer("amount");
    row.cleared = integer("cleared") != 0;
    row.reconciled = integer("reconciled") != 0;
    if (!text("deleted_at").isEmpty())
        row.deletedAt = QDateTime::currentDateTimeUtc();
    // Asking the kept sums for every row would cost a restore half its time
    // again. While no account's sums can have moved past 2^62 (what they held,
    // plus every amount written, plus the largest a replaced row can have
    // taken away), none needs asking.
    if (!m_askEveryRow) {
        if (!std::exchange(m_sumsBoundRead, true) && !readSumsBound())
            m_askEveryRow = true;
        m_largestWritten = qMax(m_largestWritten, magnitude(row.amount));
        addCapped(m_sumsBound, magnitude(row.amount));
        addCapped(m_sumsBound, qMax(m_largestStored, m_largestWritten));
        if (m_sumsBound < (quint64(1) << 62) && !m_askEveryRow)
            return true;
        m_askEveryRow = true;
    }
    return AccountTotals::stayInRange(m_database, row);
}

bool BackupRestorer::readSumsBound()
{
    const std::optional<quint64> largest = AccountTotals::largestSums(m_database);
    if (!largest)
        return false;
    m_sumsBound = qMax(m_sumsBound, *largest);
    QSqlQuery query(m_database->database());
    query.setForwardOnly(true);
    // ABS() of the most negative amount fails the statement: then every row is asked.
    if (!query.exec(QStringLiteral("SELECT MAX(ABS(amount)) FROM transactions")) || !query.next())
        return false;
    m_largestStored = quint64(query.value(0).toLongLong());
    return true;
}

bool BackupRestorer::runPlain(const char *sql)
{
    QSqlQuery *query = m_database->reusableQuery(QString::fromLatin1(sql));
    return query && query->exec();
}

bool BackupRestorer::writeRow(size_t table, const QString &fileName)
{
    const Table &definition = tables()[table];
    if (m_mode == RestoreMode::KeepNewer && !archiveRowIsNewer(table)) {
        ++(m_result.*definition.skipped);
        return true;
    }
    std::unique_ptr<SqliteStatement> &statement = m_upserts[table];
    if (!statement)
        statement = std::make_unique<SqliteStatement>(
            m_database->database(), upsertSql(definition, m_mode != RestoreMode::SkipExisting));
    for (qsizetype i = 0; i < m_values.size(); ++i) {
        const Value &value = m_values[i];
        if (value.type == Value::Integer)
            statement->bindInteger(int(i), value.integer);
        else if (value.type == Value::Text)
            statement->bindText(int(i), value.text);
        else
            statement->bindNull(int(i));
    }
    if (statement->exec()) {
        ++(m_result.*(statement->changes() > 0 ? definition.restored : definition.skipped));
        return true;
    }
    addError(tr("%1: could not be written: %2").arg(fileName, statement->errorText()));
    // A failed statement undoes only itself, but an error that ends the whole
    // transaction (a full disk) would leave later rows committing one by one:
    // that stops the restore. Only when the transaction has ended can a new
    // one begin.
    if (!runPlain("BEGIN"))
        return true;
    runPlain("ROLLBACK");
    return false;
}

// Whether an existing row is to be replaced: only by a row updated later.
// Time stamps are compared as UTC date-times when both read as one (the
// archive may write "2026-12-05 10:00:00" where the file has
// "2026-12-05T09:00:00Z"); otherwise as text.
bool BackupRestorer::archiveRowIsNewer(size_t table)
{
    const Table &definition = tables()[table];
    std::unique_ptr<SqliteStatement> &statement = m_stamps[table];
    if (!statement)
        statement = std::make_unique<SqliteStatement>(
            m_database->database(),
            QStringLiteral("SELECT updated_at FROM %1 WHERE id = ?").arg(QLatin1String(definition.name)));
    statement->bindText(0, m_values[0].text);
    if (!statement->exec() || !statement->hasRow())
        return true; // no such row here: inserted
    const Value &archive = m_values[columnIndex(definition, "updated_at")];
    const QByteArrayView local = statement->utf8(0);
    if (archive.text.isEmpty())
        return false;
    const QDateTime archiveTime = SqlValues::readTimestamp(archive.text);
    const QDateTime localTime = local.isEmpty() ? QDateTime() : SqlValues::readTimestamp(local);
    if (archiveTime.isValid() && localTime.isValid())
        return archiveTime > localTime;
    return archive.text.compare(local) > 0;
}
