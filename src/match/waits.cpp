// The delay primitive and the common shape of every wait: event-processing passes until a
// field that only an event handler sets says the wait is over.

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

#include "match/frm_gioco.h"

void frmGioco::DoEvents() {
    if (run_over_) throw ProgramEnded{};
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (run_over_) throw ProgramEnded{};
}

void frmGioco::WaitEvents() {
    if (run_over_) throw ProgramEnded{};
    // Blocks until something happens instead of spinning: a wait costs no processor time.
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    if (run_over_) throw ProgramEnded{};
}

void frmGioco::wait_until(const std::function<bool()>& done) {
    do {
        WaitEvents();
    } while (!done());
}

void frmGioco::ritardo(double tempo) {
    timer_elapsed = false;
    // The rate is held to 1..3 by the settings and the menu; never divide by anything else.
    const double rate = std::clamp<int>(play_rate, 1, 3);
    Timer1.SetInterval(int(std::floor(tempo * 1000.0 / rate)));
    Timer1.SetEnabled(true);
    wait_until([this] { return timer_elapsed; });
}

void frmGioco::Timer1_Timer() { timer_elapsed = true; }
