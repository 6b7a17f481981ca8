#include "ReadFailureWatch.h"

#include <atomic>

namespace {

std::atomic<quint64> failures{0};

} // namespace

ReadFailureWatch::ReadFailureWatch()
    : m_start(failures.load())
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
