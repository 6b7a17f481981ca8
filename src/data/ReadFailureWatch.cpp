#include "ReadFailureWatch.h"

#include <atomic>

namespace {

std::atomic<quint64> failures{0};
std::atomic<quint64> overflows{0};

} // namespace

ReadFailureWatch::ReadFailureWatch()
    : m_start(failures.load())
    , m_overflowStart(overflows.load())
{
}

bool ReadFailureWatch::failed() const
{
    return failures.load() != m_start;
}

void ReadFailureWatch::noteFailure()
{
    ++failures;
}

bool ReadFailureWatch::overflowed() const
{
    return overflows.load() != m_overflowStart;
}

void ReadFailureWatch::noteOverflow()
{
    ++overflows;
    ++failures;
}
