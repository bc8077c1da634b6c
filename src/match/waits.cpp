// The delay primitive and the common shape of every wait: event-processing passes until a
// field that only an event handler sets says the wait is over.

#include <algorithm>
#include <cmath>

#include "match/frm_gioco.h"

namespace {
// Counts the event passes under way for as long as one runs.
struct EventPass {
    int& depth;
    explicit EventPass(int& d) : depth(d) { ++depth; }
    ~EventPass() { --depth; }
};
}  // namespace

void frmGioco::end_if_closed() const {
    if (run_over_ && event_depth_ == 0) throw ProgramEnded{};
}

void frmGioco::event_pass(bool wait) {
    end_if_closed();
    {
        EventPass pass(event_depth_);
        ui::process_events(wait);
    }
    end_if_closed();
}

void frmGioco::DoEvents() { event_pass(false); }

// Blocks until something happens instead of spinning: a wait costs no processor time.
void frmGioco::WaitEvents() { event_pass(true); }

void frmGioco::wait_until(const std::function<bool()>& done) {
    do {
        WaitEvents();
    } while (!done());
}

void frmGioco::ritardo(double tempo) {
    if (test_hooks.pause) test_hooks.pause(tempo);
    timer_elapsed = false;
    // The rate is held to 1..3 by the settings and the menu; never divide by anything else.
    const double rate = std::clamp<int>(play_rate, 1, 3);
    Timer1.SetInterval(int(std::floor(tempo * 1000.0 / rate)), test_hooks.pause_scale);
    Timer1.SetEnabled(true);
    wait_until([this] { return timer_elapsed; });
}

void frmGioco::Timer1_Timer() { timer_elapsed = true; }

void frmGioco::animate(const std::function<void()>& frames) {
    animation_running_ = true;
    frames();
    animation_running_ = false;
    play_held_music();
}
