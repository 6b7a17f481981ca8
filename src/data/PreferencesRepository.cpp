#include "PreferencesRepository.h"

#include "Database.h"
#include "SqlStatement.h"
#include "SqlValues.h"
#include "SqliteRows.h"

PreferencesRepository::PreferencesRepository(Database *database, QObject *parent)
    : QObject(parent)
    , m_database(database)
{
}

std::optional<QString> PreferencesRepository::get(const QString &key) const
{
    // Read on every refresh of the sidebar and the register: the statement is kept.
    static const QString sql = QStringLiteral("SELECT value FROM preferences WHERE key = ?");
    SqliteRows rows(m_database, sql, {key});
    if (rows.next())
        return rows.isNull(0) ? QString(QLatin1String("")) : rows.text(0);
    if (rows.failed())
        SqlStatement::readFailed(rows.lastError(), nullptr);
    return std::nullopt;
}

QString PreferencesRepository::value(const QString &key, const QString &defaultValue) const
{
    return get(key).value_or(defaultValue);
}

bool PreferencesRepository::getBool(const QString &key, bool defaultValue) const
{
    const std::optional<QString> stored = get(key);
    return stored ? isSet(*stored) : defaultValue;
}

bool PreferencesRepository::isSet(const QString &text)
{
    return text == QLatin1String("1") || text == QLatin1String("true");
}

bool PreferencesRepository::set(const QString &key, const QString &value)
{
    const bool ok =
        SqlStatement::write(m_database,
                            QStringLiteral("INSERT INTO preferences (key, value) VALUES (?, ?) "
                                           "ON CONFLICT(key) DO UPDATE SET value = excluded.value"),
                            {key, SqlValues::text(value)}, "PreferencesRepository::set")
            .has_value();
    if (ok)
        emit changed(key);
    return ok;
}

bool PreferencesRepository::set(PreferenceKey key, const QString &value)
{
    if (!set(key.name(), value))
        return false;
    if (key.use() == PreferenceUse::Register || key.use() == PreferenceUse::AccountList)
        emit shownChanged(key.use());
    return true;
}

bool PreferencesRepository::remove(const QString &key)
{
    return SqlStatement::write(m_database, QStringLiteral("DELETE FROM preferences WHERE key = ?"), {key},
                               "PreferencesRepository::remove")
        .has_value();
}
