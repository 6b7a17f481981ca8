#pragma once

#include <QtGlobal>

// Tells a read that found nothing from one that failed. Repository reads
// answer both with an empty list or optional; every failed read is also
// counted here, so a caller that must not present a failure as "nothing
// there" makes a watch before its reads and asks it afterwards.
class ReadFailureWatch
{
public:
    ReadFailureWatch();

    // True when a read failed since this watch was made.
    bool failed() const;

    // The data layer calls this for every read that failed, at the start or
    // part-way through its rows.
    static void noteFailure();

private:
    quint64 m_start = 0;
};
