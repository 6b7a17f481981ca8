#pragma once

#include <QObject>
#include <functional>

// Taken by a long write that lets events through (its progress dialog) inside
// one database transaction, such as an import or a restore. Writers that run
// on their own (a sync cycle, the recurring auto-post) wait for its release
// rather than write or send inside a transaction that a Cancel takes back.
class WriteHold : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    bool isHeld() const { return m_count > 0; }

    // Holds the database for its lifetime; holds nest.
    class Scope
    {
    public:
        explicit Scope(WriteHold *hold);
        ~Scope();
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;

    private:
        WriteHold *m_hold;
    };

    // While held, runs `resume` once from the event loop after the release
    // (unless `context` is gone by then) and returns true; else returns false.
    bool deferWhileHeld(const QObject *context, std::function<void()> resume);

signals:
    void released();

private:
    int m_count = 0;
};
