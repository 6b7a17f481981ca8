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
    // True when one of those failures was a balance past 64 bits: the file is
    // sound, an account's amounts are too large to add up.
    bool overflowed() const;

    // The data layer calls this for every read that failed, at the start or
    // part-way through its rows.
    static void noteFailure();
    // A balance or running balance outside 64 bits; also a failed read.
    static void noteOverflow();

private:
    quint64 m_start = 0;
    quint64 m_overflowStart = 0;
};
