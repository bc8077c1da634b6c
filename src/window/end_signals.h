// The signals by which a session asks a program to end (SIGTERM at logout, SIGINT from Ctrl+C,
// SIGHUP when its terminal goes) end the game the way a close of its window does.
#pragma once

#include <functional>

class QObject;

namespace ui {

// Called on the first line of main: from then until the process exits, each of those signals
// only writes a byte into a pipe, however many come. This is the whole process's state and is
// never undone: with the default actions back, a signal during the teardown would kill the
// process, and a closed pipe's number could go to another file that a late signal then writes
// into. A signal that whoever started the game set to be ignored (nohup) stays ignored.
// Gives the pipe's read end (-1 when no pipe could be made and the signals keep their effect).
int catch_end_signals();

// Once the window exists: the signals caught before, and each one after, call on_signal from
// the event loop (signals that come together call it once), for as long as owner lives.
void on_end_signals(QObject& owner, int read_fd, std::function<void()> on_signal);

}  // namespace ui
