#include "WriteHold.h"

WriteHold::Scope::Scope(WriteHold *hold)
    : m_hold(hold)
{
    ++m_hold->m_count;
}

WriteHold::Scope::~Scope()
{
    if (--m_hold->m_count == 0)
        emit m_hold->released();
}

bool WriteHold::deferWhileHeld(const QObject *context, std::function<void()> resume)
{
    if (!isHeld())
        return false;
    // Queued: the holder finishes (commits, announces its rows) before anyone resumes.
    connect(this, &WriteHold::released, context, std::move(resume),
            Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection));
    return true;
}
