#pragma once

#include "RowTexts.h"
#include "SqlStatement.h"
#include "SqlValues.h"
#include "SqliteRows.h"

#include <QDate>
#include <QDateTime>
#include <QLatin1String>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <tuple>
#include <type_traits>

// How a record's fields are columns: each record's table of them (in
// ColumnTables.h) is read by its repository, the backup and the sync wire, so
// that a new column is the migration plus one line there. A column names its
// field at compile time, so that reading thousands of rows through the table
// costs what reading them field by field by hand did.
//
// Adding a column:
// - The migration adds it at the end of its SQL table (ALTER TABLE ... ADD
//   COLUMN); the line in ColumnTables.h may stand anywhere. Statements name
//   every column, so a read returns them in the table's order, never the
//   database's.
// - Give it the same default in the migration and in its record's struct: a
//   backup row without it takes the database's, a pulled record the struct's.
// - Say how it is written (onInsert, elsewhere) and sent (notSent,
//   sentWhenSet, sentAs) in its line; the statements, backup rows and
//   payloads follow.
// - A read of some columns names them (columnsNamed); never count on a
//   column's position.
//
// Adding a kind of column (Kind) means five places: the enum and its maker
// below (text(), date() ...), Column::toSql and Column::fromSql,
// Column::storage (how the backup moves it), put() and putWhenSet() in
// src/sync/SyncWire.cpp (sending), and readFields() there (pulled records).
namespace RecordColumns {

// How a field is stored and sent.
enum class Kind
{
    Text,      // NOT NULL text
    Reference, // text, NULL when empty (an id another row may hold)
    Integer,   // int or qint64
    Flag,      // 0/1
    Date,      // "yyyy-MM-dd"; NULL when an optional one is unset
    Timestamp, // ISO 8601 UTC; NULL when an optional one is unset
    Choice,    // an enumeration by its text form
};

// When a repository writes the column.
enum class Written
{
    Key,       // the id: on insert; an update finds the row by it
    OnInsert,  // on insert only (the account a transaction belongs to, created_at)
    Always,    // on insert and on every update
    Elsewhere, // by a statement of its own (deleted_at, by a soft delete)
};

// Whether a sync payload carries the column.
enum class Sent
{
    No,
    Always,
    WhenSet, // only when it holds a value (server id, deletion time, end date)
};

// What the backup, which moves rows without records, needs to know.
enum class Storage
{
    Id,       // NOT NULL text that must be given
    Text,     // NOT NULL text
    Optional, // text, NULL when empty
    Integer,  // numbers and flags
};

template <typename> struct MemberOf;
template <typename Value, typename Owner> struct MemberOf<Value Owner::*>
{
    using Type = Value;
};

template <typename> inline constexpr bool IsOptional = false;
template <typename Value> inline constexpr bool IsOptional<std::optional<Value>> = true;

template <Kind K, auto Member, auto ToText = nullptr, auto FromText = nullptr> struct Column
{
    using Value = typename MemberOf<decltype(Member)>::Type;
    static constexpr Kind kind = K;
    static constexpr bool optional = IsOptional<Value>;

    const char *name;
    Written written = Written::Always;
    Sent sent = Sent::Always;
    // The key a sync payload gives it, when not its name.
    const char *wireKey = nullptr;
    // Read from a pulled record's header (identity, version, time stamps)
    // rather than by the record's reader.
    bool fromHeader = false;
    // Text each row has its own of (ids): never shared between rows.
    bool distinct = false;

    constexpr Column onInsert() const { return with(&Column::written, Written::OnInsert); }
    constexpr Column elsewhere() const { return with(&Column::written, Written::Elsewhere); }
    constexpr Column notSent() const { return with(&Column::sent, Sent::No); }
    constexpr Column sentWhenSet() const { return with(&Column::sent, Sent::WhenSet); }
    constexpr Column sending(Sent sent) const { return with(&Column::sent, sent); }
    constexpr Column sentAs(const char *key) const { return with(&Column::wireKey, key); }
    constexpr Column inHeader() const { return with(&Column::fromHeader, true); }
    constexpr Column distinctText() const { return with(&Column::distinct, true); }

    QLatin1String key() const { return QLatin1String(wireKey ? wireKey : name); }
    const char *keyText() const { return wireKey ? wireKey : name; }

    constexpr Storage storage() const
    {
        if (written == Written::Key)
            return Storage::Id;
        if (kind == Kind::Integer || kind == Kind::Flag)
            return Storage::Integer;
        if (kind == Kind::Reference || optional)
            return Storage::Optional;
        return Storage::Text;
    }

    template <typename Record> static const Value &get(const Record &record) { return record.*Member; }
    template <typename Record> static Value &field(Record &record) { return record.*Member; }

    static QString text(const Value &value) { return ToText(value); }
    static Value fromText(const QString &text) { return FromText(text); }

    // The value bound for the column.
    template <typename Record> static QVariant toSql(const Record &record)
    {
        const Value &value = get(record);
        if constexpr (K == Kind::Text)
            return SqlValues::text(value);
        else if constexpr (K == Kind::Reference)
            return SqlValues::reference(value);
        else if constexpr (K == Kind::Integer)
            return QVariant::fromValue(value);
        else if constexpr (K == Kind::Flag)
            return SqlValues::flag(value);
        else if constexpr (K == Kind::Date && optional)
            return SqlValues::optionalDate(value);
        else if constexpr (K == Kind::Date)
            return SqlValues::date(value);
        else if constexpr (K == Kind::Timestamp && optional)
            return SqlValues::optionalTimestamp(value);
        else if constexpr (K == Kind::Timestamp)
            return SqlValues::timestamp(value);
        else
            return text(value);
    }

    // Fills the field from the row's column `index`.
    template <typename Record>
    void fromSql(Record &record, const SqliteRows &rows, int index, RowTexts &texts) const
    {
        Value &value = field(record);
        if constexpr (K == Kind::Text || K == Kind::Reference)
            value = texts(rows.utf8(index), distinct);
        else if constexpr (K == Kind::Integer)
            value = Value(rows.integer(index));
        else if constexpr (K == Kind::Flag)
            value = rows.integer(index) != 0;
        else if constexpr (K == Kind::Date && optional)
            value = rows.isNull(index) ? std::nullopt : std::optional(SqlValues::readDate(rows.utf8(index)));
        else if constexpr (K == Kind::Date)
            value = SqlValues::readDate(rows.utf8(index));
        else if constexpr (K == Kind::Timestamp && optional)
            value =
                rows.isNull(index) ? std::nullopt : std::optional(SqlValues::readTimestamp(rows.utf8(index)));
        else if constexpr (K == Kind::Timestamp)
            value = SqlValues::readTimestamp(rows.utf8(index));
        else
            value = fromText(texts(rows.utf8(index)));
    }

private:
    template <typename Field, typename Setting> constexpr Column with(Field member, Setting setting) const
    {
        Column copy = *this;
        copy.*member = setting;
        return copy;
    }
};

template <auto Member> constexpr auto key()
{
    return Column<Kind::Text, Member>{"id", Written::Key}.sentAs("client_id").inHeader().distinctText();
}
template <auto Member> constexpr auto text(const char *name)
{
    return Column<Kind::Text, Member>{name};
}
template <auto Member> constexpr auto reference(const char *name)
{
    return Column<Kind::Reference, Member>{name};
}
template <auto Member> constexpr auto integer(const char *name)
{
    return Column<Kind::Integer, Member>{name};
}
template <auto Member> constexpr auto flag(const char *name)
{
    return Column<Kind::Flag, Member>{name};
}
template <auto Member> constexpr auto date(const char *name)
{
    return Column<Kind::Date, Member>{name};
}
template <auto Member> constexpr auto timestamp(const char *name)
{
    return Column<Kind::Timestamp, Member>{name};
}
template <auto Member, auto ToText, auto FromText> constexpr auto choice(const char *name)
{
    return Column<Kind::Choice, Member, ToText, FromText>{name};
}

// A record's table: the SQL table's name and its columns, id first.
template <typename Record, typename Columns> struct Table
{
    using RecordType = Record;
    const char *name;
    Columns columns;
    static constexpr int size = int(std::tuple_size_v<Columns>);
};

template <typename Record, typename Columns> constexpr auto table(const char *name, Columns columns)
{
    return Table<Record, Columns>{name, columns};
}

// Whether every column can be sent as the table says: a field that may hold
// no value (optional) is sent only when it holds one, and only such a field
// or a text is ever left out.
template <typename T> constexpr bool sendable(const T &table)
{
    return std::apply(
        [](const auto &...column) {
            return ((column.sent != Sent::Always || !column.optional) && ...) &&
                   ((column.sent != Sent::WhenSet || column.optional || column.kind == Kind::Text ||
                     column.kind == Kind::Reference) &&
                    ...);
        },
        table.columns);
}

// Calls `visit` with each column in order.
template <typename Columns, typename Visit> constexpr void forEach(const Columns &columns, Visit &&visit)
{
    std::apply([&visit](const auto &...column) { (visit(column), ...); }, columns);
}

// The names of the columns a repository writes as one of `written` (all of
// them when empty), in table order.
template <typename T> QStringList names(const T &table, std::initializer_list<Written> written = {})
{
    QStringList list;
    forEach(table.columns, [&](const auto &column) {
        if (written.size() == 0 || std::find(written.begin(), written.end(), column.written) != written.end())
            list << QLatin1String(column.name);
    });
    return list;
}

template <typename T>
QVariantList values(const T &table, const typename T::RecordType &record,
                    std::initializer_list<Written> written)
{
    QVariantList list;
    forEach(table.columns, [&](const auto &column) {
        if (std::find(written.begin(), written.end(), column.written) != written.end())
            list << column.toSql(record);
    });
    return list;
}

// A set of a table's columns, bit i for its column i, as columnsNamed()
// makes it.
using ColumnSet = std::uint64_t;
inline constexpr ColumnSet EveryColumn = ~ColumnSet(0);

constexpr bool sameName(const char *a, const char *b)
{
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

// The columns of `table` that a read takes, by name. A name the table does
// not hold stops the build, so a read that names its columns reads those
// columns wherever the table puts them.
template <typename T, std::size_t N>
consteval ColumnSet columnsNamed(const T &table, const char *const (&wanted)[N])
{
    static_assert(T::size <= 64);
    ColumnSet set = 0;
    for (const char *name : wanted) {
        int index = 0;
        int found = -1;
        forEach(table.columns, [&](const auto &column) {
            if (sameName(column.name, name))
                found = index;
            ++index;
        });
        if (found < 0)
            throw "no such column in the table";
        set |= ColumnSet(1) << found;
    }
    return set;
}

// "alias.id, alias.name, ...": the columns of `columns` (every one by
// default), in table order.
template <typename T>
QString selectList(const T &table, const char *alias = nullptr, ColumnSet columns = EveryColumn)
{
    QStringList list;
    int index = 0;
    forEach(table.columns, [&](const auto &column) {
        if (columns & (ColumnSet(1) << index++))
            list << (alias ? QLatin1String(alias) + QLatin1Char('.') + QLatin1String(column.name)
                           : QString(QLatin1String(column.name)));
    });
    return list.join(QLatin1String(", "));
}

template <typename T> QString insertSql(const T &table)
{
    return SqlStatement::insertSql(table.name,
                                   names(table, {Written::Key, Written::OnInsert, Written::Always}));
}

template <typename T> QVariantList insertValues(const T &table, const typename T::RecordType &record)
{
    return values(table, record, {Written::Key, Written::OnInsert, Written::Always});
}

// Rewrites the columns written always, finding the row by its id.
template <typename T> QString updateSql(const T &table)
{
    return SqlStatement::updateByIdSql(table.name, names(table, {Written::Always}));
}

template <typename T> QVariantList updateValues(const T &table, const typename T::RecordType &record)
{
    QVariantList list = values(table, record, {Written::Always});
    list << record.id;
    return list;
}

// The record of a row read with selectList() of the same columns; the
// fields of the columns not read keep a new record's values.
template <typename T>
typename T::RecordType read(const T &table, const SqliteRows &rows, RowTexts &texts,
                            ColumnSet columns = EveryColumn)
{
    typename T::RecordType record;
    int index = 0;
    int read = 0;
    forEach(table.columns, [&](const auto &column) {
        if (columns & (ColumnSet(1) << index++))
            column.fromSql(record, rows, read++, texts);
    });
    return record;
}

template <typename T> typename T::RecordType read(const T &table, const SqliteRows &rows)
{
    RowTexts texts;
    return read(table, rows, texts);
}

// Every record of `sql`, which selects selectList(); empty when the read fails.
template <typename T, typename Connection>
QList<typename T::RecordType> readAll(const T &table, const Connection &database, const QString &sql,
                                      const QVariantList &values, const char *context)
{
    return SqliteRows::readAll<typename T::RecordType>(
        database, sql, values, [&table](const SqliteRows &rows) { return read(table, rows); }, context);
}

// The first record of `sql`; none when there is none or the read fails.
template <typename T, typename Connection>
std::optional<typename T::RecordType> readOne(const T &table, const Connection &database, const QString &sql,
                                              const QVariantList &values, const char *context)
{
    QList<typename T::RecordType> found = readAll(table, database, sql, values, context);
    if (found.isEmpty())
        return std::nullopt;
    return std::move(found.first());
}

} // namespace RecordColumns
