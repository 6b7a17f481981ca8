#pragma once

#include <QObject>
#include <QString>

class QThread;

// SQLite's quick check of the whole database file, on a read-only connection
// of its own in a thread of its own: it reads every page, which on a large
// file takes longer than the rest of start-up, and the window need not wait.
class IntegrityCheck : public QObject
{
    Q_OBJECT

public:
    enum class Result
    {
        Sound,
        Damaged,
        // The check could not open the file or was stopped by something
        // other than damage; nothing is known.
        NotRun,
    };
    Q_ENUM(Result)

    explicit IntegrityCheck(const QString &filePath, QObject *parent = nullptr);
    // Waits for a check still running.
    ~IntegrityCheck() override;

    // Starts the check once; finished() follows on this object's thread.
    void start();
    bool isRunning() const;

    // The check itself, on the calling thread.
    static Result run(const QString &filePath);

signals:
    void finished(IntegrityCheck::Result result);

private:
    QString m_filePath;
    QThread *m_thread = nullptr;
};
