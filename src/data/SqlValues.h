#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

// One place for how values of the records become column values and back.
// Storage rules: dates as "yyyy-MM-dd", time stamps as ISO 8601 UTC text
// ("...Z", whole seconds), flags as 0/1, text columns never NULL, optional
// references NULL when empty. An invalid date or time stamp is stored as empty
// text, which reads back as invalid.
namespace SqlValues {

// Text for a NOT NULL column: a null QString would otherwise bind as NULL.
QVariant text(const QString &value);

// An optional reference (category, parent, server id...): NULL when empty so
// that a foreign key is never asked to find "".
QVariant reference(const QString &id);

QVariant flag(bool value);

QVariant date(const QDate &value);
QVariant optionalDate(const std::optional<QDate> &value);

QString timestampText(const QDateTime &value);
QVariant timestamp(const QDateTime &value);
QVariant optionalTimestamp(const std::optional<QDateTime> &value);

// The current UTC time as it is stored.
QString nowText();

QString readText(const QVariant &value);
bool readFlag(const QVariant &value);
QDate readDate(const QVariant &value);
std::optional<QDate> readOptionalDate(const QVariant &value);
// A text without zone designator (SQLite's "yyyy-MM-dd HH:mm:ss") is UTC.
QDateTime readTimestamp(const QVariant &value);
std::optional<QDateTime> readOptionalTimestamp(const QVariant &value);
// The same from a column's UTF-8 text (SqliteRows).
QDate readDate(QByteArrayView utf8);
QDateTime readTimestamp(QByteArrayView utf8);

} // namespace SqlValues
