#include "window/end_signals.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>

namespace ui {

namespace {

// The write end of the pipe the handler reports through, open until the process exits: a signal
// handler may do no more than write a byte (it may run in any thread, in the middle of anything),
// and it has nowhere else to find the pipe.
std::atomic<int> write_end{-1};
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler may only touch lock-free atomics");

extern "C" void report_signal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(write_end.load(), &byte, 1);
    errno = saved;
}

}  // namespace

int catch_end_signals() {
    // Without the pipe the signals keep their usual effect.
    std::array<int, 2> ends{};
    if (::pipe2(ends.data(), O_CLOEXEC | O_NONBLOCK) != 0) return -1;
    write_end.store(ends[1]);
    struct sigaction action {};
    action.sa_handler = report_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction before {};
        sigaction(number, nullptr, &before);
        // A signal ignored by whoever started the game (nohup, a background job) stays ignored.
        const bool ignored = !(before.sa_flags & SA_SIGINFO) && before.sa_handler == SIG_IGN;
        if (!ignored) sigaction(number, &action, nullptr);
    }
    return ends[0];
}

void on_end_signals(QObject& owner, int read_fd, std::function<void()> on_signal) {
    if (read_fd < 0) return;
    auto* notifier = new QSocketNotifier(read_fd, QSocketNotifier::Read, &owner);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [read_fd, on_signal = std::move(on_signal)] {
        // Signals that came together end the run once.
        std::array<char, 64> drain;
        while (::read(read_fd, drain.data(), drain.size()) > 0) {
        }
        on_signal();
    });
}

}  // namespace ui
