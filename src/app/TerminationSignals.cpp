#include "TerminationSignals.h"

#include <QDebug>
#include <QSocketNotifier>
#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <iterator>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int Caught[] = {SIGTERM, SIGINT};
// Written by the handler, read by the notifier; -1 while no instance lives.
int s_sockets[2] = {-1, -1};
struct sigaction s_previous[std::size(Caught)];

// Only async-signal-safe calls: write() and errno. SA_RESETHAND has already
// put the default action back for a second signal.
extern "C" void onSignal(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    if (::write(s_sockets[0], &byte, 1) < 0) {
        // Full or closed: a byte is already waiting, or we are on our way out.
    }
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
    Q_ASSERT(s_sockets[0] < 0);
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, s_sockets) != 0) {
        qWarning() << "TerminationSignals: no socket pair; SIGTERM ends the program without saving";
        s_sockets[0] = s_sockets[1] = -1;
        return;
    }
    // The handler must never block.
    ::fcntl(s_sockets[0], F_SETFL, ::fcntl(s_sockets[0], F_GETFL) | O_NONBLOCK);
    m_notifier = new QSocketNotifier(s_sockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readPending);

    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (std::size_t i = 0; i < std::size(Caught); ++i)
        ::sigaction(Caught[i], &action, &s_previous[i]);
}

TerminationSignals::~TerminationSignals()
{
    if (s_sockets[0] < 0)
        return;
    for (std::size_t i = 0; i < std::size(Caught); ++i)
        ::sigaction(Caught[i], &s_previous[i], nullptr);
    delete m_notifier;
    ::close(s_sockets[0]);
    ::close(s_sockets[1]);
    s_sockets[0] = s_sockets[1] = -1;
}

void TerminationSignals::readPending()
{
    char bytes[16];
    if (::read(s_sockets[1], bytes, sizeof bytes) > 0)
        emit received();
}

#else

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
}

TerminationSignals::~TerminationSignals() = default;

void TerminationSignals::readPending() {}

#endif
