#pragma once

#include "PreferenceKeys.h"

#include <QObject>
#include <QString>
#include <optional>

class Database;

// User preferences: text values by key, kept on this device only.
class PreferencesRepository : public QObject
{
    Q_OBJECT

public:
    explicit PreferencesRepository(Database *database, QObject *parent = nullptr);

    // Keys come from PreferenceKeys only, so a misspelled key does not compile.

    // Empty when the key is absent or the query fails; logs nothing.
    std::optional<QString> get(PreferenceKey key) const { return get(key.name()); }
    // The stored value, else the key's default in PreferenceKeys or the one given.
    QString value(PreferenceKey key) const { return value(key.name(), key.defaultValue()); }
    QString value(PreferenceKey key, const QString &defaultValue) const
    {
        return value(key.name(), defaultValue);
    }
    // True exactly for a stored "1" or "true"; the default as value's.
    bool getBool(PreferenceKey key) const { return getBool(key.name(), isSet(key.defaultValue())); }
    bool getBool(PreferenceKey key, bool defaultValue) const { return getBool(key.name(), defaultValue); }

    // Upserts the value; emits changed(key) with the key's name when written,
    // then shownChanged with its use when something shown follows it.
    bool set(PreferenceKey key, const QString &value);
    void setBool(PreferenceKey key, bool value)
    {
        set(key, value ? QStringLiteral("1") : QStringLiteral("0"));
    }
    void setInt(PreferenceKey key, int value) { set(key, QString::number(value)); }
    // Deletes the key; emits nothing.
    bool remove(PreferenceKey key) { return remove(key.name()); }

signals:
    void changed(const QString &key);
    // A preference of use Register or AccountList was written.
    void shownChanged(PreferenceUse use);

private:
    std::optional<QString> get(const QString &key) const;
    QString value(const QString &key, const QString &defaultValue) const;
    bool getBool(const QString &key, bool defaultValue) const;
    static bool isSet(const QString &text);
    bool set(const QString &key, const QString &value);
    bool remove(const QString &key);

    Database *m_database;
};
