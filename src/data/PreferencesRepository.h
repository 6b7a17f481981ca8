#pragma once

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
    Database *m_database;
};
