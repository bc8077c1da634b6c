// The signals by which a session asks a program to end (SIGTERM at logout, SIGINT from Ctrl+C,
// SIGHUP when its terminal goes) end the game the way a close of its window does.
#pragma once

#include <functional>
#include <memory>

namespace ui {

// While it lives, each of those signals no longer kills the process: it becomes one call of
// on_signal from the event loop, where the game can close its window in peace.
class EndSignals {
public:
    explicit EndSignals(std::function<void()> on_signal);
    ~EndSignals();
    EndSignals(const EndSignals&) = delete;
    EndSignals& operator=(const EndSignals&) = delete;

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

}  // namespace ui
