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

constexpr std::array<int, 3> kEndSignals{SIGTERM, SIGINT, SIGHUP};

// The write end of the pipe the handler reports through: a signal handler may do no more
// than write a byte (it may run in any thread, in the middle of anything).
std::atomic<int> report_fd{-1};
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler may only touch lock-free atomics");

extern "C" void report_signal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(report_fd.load(), &byte, 1);
    errno = saved;
}

}  // namespace

struct EndSignals::Impl {
    std::array<int, 2> pipe{-1, -1};
    std::array<struct sigaction, kEndSignals.size()> before{};
    std::unique_ptr<QSocketNotifier> notifier;
};

EndSignals::EndSignals(std::function<void()> on_signal) : d_(std::make_unique<Impl>()) {
    // Without the pipe the signals keep their usual effect.
    if (::pipe2(d_->pipe.data(), O_CLOEXEC | O_NONBLOCK) != 0) return;
    const int read_fd = d_->pipe[0];
    d_->notifier = std::make_unique<QSocketNotifier>(read_fd, QSocketNotifier::Read);
    QObject::connect(d_->notifier.get(), &QSocketNotifier::activated, d_->notifier.get(),
                     [read_fd, on_signal = std::move(on_signal)] {
                         // Signals that came together end the run once.
                         std::array<char, 64> drain;
                         while (::read(read_fd, drain.data(), drain.size()) > 0) {
                         }
                         if (on_signal) on_signal();
                     });
    report_fd.store(d_->pipe[1]);
    struct sigaction action {};
    action.sa_handler = report_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kEndSignals.size(); ++i) {
        sigaction(kEndSignals[i], nullptr, &d_->before[i]);
        // A signal ignored by whoever started the game (nohup, a background job) stays ignored.
        const bool ignored = !(d_->before[i].sa_flags & SA_SIGINFO) && d_->before[i].sa_handler == SIG_IGN;
        if (!ignored) sigaction(kEndSignals[i], &action, nullptr);
    }
}

EndSignals::~EndSignals() {
    if (d_->pipe[0] < 0) return;
    for (std::size_t i = 0; i < kEndSignals.size(); ++i) sigaction(kEndSignals[i], &d_->before[i], nullptr);
    report_fd.store(-1);
    d_->notifier.reset();
    for (const int fd : d_->pipe) ::close(fd);
}

}  // namespace ui
