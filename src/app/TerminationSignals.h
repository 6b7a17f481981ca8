#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM and SIGINT (a logout, a shutdown, kill, Ctrl+C in a terminal) as a
// signal of the event loop, so that the program ends as Quit ends it instead
// of where the signal found it. The handler only writes one byte to a socket
// the loop watches; a second signal ends the process at once, as it would
// have without us. One at a time; the previous handlers come back with its
// end. Nothing is caught where the platform has no such signals.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received();

private:
    void readPending();

    QSocketNotifier *m_notifier = nullptr;
};
