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

    // Keys come from PreferenceKeys; value and getBool without a default give
    // the key's default from there.
    std::optional<QString> get(PreferenceKey key) const { return get(key.name()); }
    QString value(PreferenceKey key) const { return value(key.name(), key.defaultValue()); }
    QString value(PreferenceKey key, const QString &defaultValue) const
    {
        return value(key.name(), defaultValue);
    }
    bool getBool(PreferenceKey key) const { return getBool(key.name(), isSet(key.defaultValue())); }
    bool getBool(PreferenceKey key, bool defaultValue) const { return getBool(key.name(), defaultValue); }
    bool set(PreferenceKey key, const QString &value) { return set(key.name(), value); }
    void setBool(PreferenceKey key, bool value) { setBool(key.name(), value); }
    void setInt(PreferenceKey key, int value) { setInt(key.name(), value); }
    bool remove(PreferenceKey key) { return remove(key.name()); }

    // Empty when the key is absent or the query fails; logs nothing.
    std::optional<QString> get(const QString &key) const;
    QString value(const QString &key, const QString &defaultValue = QString()) const;
    // True exactly for a stored "1" or "true".
    bool getBool(const QString &key, bool defaultValue) const;

    // Upserts the value; emits changed(key) when written.
    bool set(const QString &key, const QString &value);
    void setBool(const QString &key, bool value);
    void setInt(const QString &key, int value);
    // Deletes the key; emits nothing.
    bool remove(const QString &key);

signals:
    void changed(const QString &key);

private:
    static bool isSet(const QString &text);

    Database *m_database;
};
