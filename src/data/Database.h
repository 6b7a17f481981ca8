#pragma once

#include <QObject>
#include <QSqlDatabase>
#include <QString>

// The program's one SQLite connection, on Qt's default connection name so that
// code which prepares its own QSqlQuery finds it. Repositories ask for it per
// call and keep no copy, so the destructor can close and remove it.
class Database : public QObject
{
    Q_OBJECT

public:
    static constexpr auto FileName = "tallyfern.db";

    explicit Database(const QString &dataDirectory, QObject *parent = nullptr);
    ~Database() override;

    // Opens (creating when missing) "tallyfern.db" in the data directory with
    // foreign keys on and the WAL journal. False, logged, when the file cannot
    // be opened or written, or when another Database holds the connection.
    bool open();
    bool isOpen() const;
    void close();

    QSqlDatabase database() const;
    QString dataDirectory() const { return m_dataDirectory; }
    QString filePath() const;

private:
    QString m_dataDirectory;
    bool m_ownsConnection = false;
};
