// The waits: the delay primitive, and quitting from inside any wait.
#include <QTimer>
#include <gtest/gtest.h>

#include <thread>

#include "window/window.h"
#include "sound_support.h"
#include "test_window.h"

using namespace testing_support;

// The interval is the tempo divided by the rate, rounded down. In real time: a tick that fell
// due before a pause does not end it early, and High chosen halfway through a Low pause of
// 600 ms neither shortens it (counted afresh from the choice it would end at 500 ms) nor
// lengthens it (restarted there, at 900 ms).
TEST(Delay, IntervalRuleAndAPauseLastsItsIntervalWhateverHappensMeanwhile) {
    TestWindow tw;
    const struct { double tempo; int rate, ms; } cases[] = {
        {0.5, 3, 166}, {2.0, 3, 666}, {1.0, 2, 500}, {6.0, 1, 6000}, {0.5, 0, 500}};  // rate 0 is held to Low
    for (const auto& c : cases) {
        tw->play_rate = std::uint8_t(c.rate);
        tw->ritardo(c.tempo);
        EXPECT_EQ(tw->Timer1.Interval(), c.ms) << c.tempo << " s at rate " << c.rate;
    }
    tw->test_hooks.pause_scale = 1.0;
    tw->velocità_gioco[1].Click();
    tw->ritardo(0.02);
    std::this_thread::sleep_for(std::chrono::milliseconds(120));  // ticks fall due, no event processed
    QTimer::singleShot(300, [&] { tw->velocità_gioco[3].Click(); });
    QElapsedTimer clock;
    clock.start();
    tw->ritardo(0.6);
    const qint64 lasted = clock.elapsed();
    EXPECT_TRUE(lasted >= 600 && lasted < 800) << lasted;
    EXPECT_EQ(int(tw->play_rate), 3) << "the choice was made";
}

// "&Quit" inside a pause, or the close box inside a flag wait even as its event raises the flag,
// ends the run: the song closed, the window gone, and every later wait refused.
TEST(Quit, FromInsideAPauseOrAFlagWait) {
    for (const bool pause : {true, false}) {
        TestWindow tw;
        play_song(tw->MMC1, tw.dir.path() / "song.mid", 30);
        tw->window().main_window().show();
        QTimer::singleShot(30, [&] {
            tw->continue_requested = true;
            pause ? tw->menu_quit.Click() : void(tw->window().main_window().close());
        });
        EXPECT_THROW(pause ? tw->ritardo(30.0) : tw->wait_until([&] { return tw->continue_requested; }), ProgramEnded);
        EXPECT_TRUE(tw->run_over() && !tw->MMC1.is_open() && !tw->window().main_window().isVisible()) << pause;
        EXPECT_THROW(tw->DoEvents(), ProgramEnded);
    }
}
