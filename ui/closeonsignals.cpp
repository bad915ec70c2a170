#include "closeonsignals.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::array handledSignals{SIGINT, SIGTERM, SIGHUP};

// [0] is written by the handler, [1] read on the event thread.
std::array<int, 2> signalSocket{-1, -1};

extern "C" void onSignal(int /*signal*/)
{
    const int savedErrno = errno;
    const char byte = 1;
    // Non-blocking: when the socket is full, a close is already on its way.
    [[maybe_unused]] const auto written = ::write(signalSocket[0], &byte, 1);
    errno = savedErrno;
}

} // namespace

CloseOnSignals::CloseOnSignals(std::function<void()> close, QObject* parent)
    : QObject(parent), close(std::move(close))
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, signalSocket.data()) !=
        0) {
        return; // Without the socket the signals keep their default action.
    }
    notifier = new QSocketNotifier(signalSocket[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(signalSocket[1], bytes, sizeof bytes) > 0) {
        }
        this->close();
    });

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : handledSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

CloseOnSignals::~CloseOnSignals()
{
    if (notifier == nullptr) {
        return;
    }
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int signal : handledSignals) {
        ::sigaction(signal, &action, nullptr);
    }
    ::close(signalSocket[0]);
    ::close(signalSocket[1]);
    signalSocket = {-1, -1};
}
