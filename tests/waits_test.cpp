// The delay primitive: how long a pause lasts.
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

#include <thread>

#include "window/window.h"
#include "test_window.h"

using namespace testing_support;

// The interval is the tempo divided by the rate, rounded down. In real time no pause ends early:
// pauses in a row each last their interval, counted afresh from their start (a little time passes
// between them, as game steps take it); a tick that fell due before a pause does not end it; and
// High chosen halfway through a Low pause of 600 ms neither shortens it (counted afresh from the
// choice it would end at 500 ms) nor starts its countdown again (it would end at 900 ms). How late a
// pause may end on a loaded machine is not the test's business: only a pause that never ends fails
// the upper bound.
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
    tw->velocità_gioco[3].Click();
    QElapsedTimer clock;
    for (int i = 0; i < 20; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        clock.start();
        tw->ritardo(0.1);
        EXPECT_GE(clock.elapsed(), 33) << "pause " << i;
    }
    tw->velocità_gioco[1].Click();
    tw->ritardo(0.02);
    std::this_thread::sleep_for(std::chrono::milliseconds(120));  // ticks fall due, no event processed
    int left_after_choice = -1;
    QTimer::singleShot(300, [&] {
        tw->velocità_gioco[3].Click();
        left_after_choice = tw->Timer1.remaining_ms();
    });
    clock.start();
    tw->ritardo(0.6);
    const qint64 lasted = clock.elapsed();
    EXPECT_TRUE(lasted >= 600 && lasted < 10000) << lasted;
    EXPECT_EQ(int(tw->play_rate), 3) << "the choice was made";
    EXPECT_TRUE(left_after_choice >= 0 && left_after_choice < 450) << left_after_choice << " ms left after the choice";
}
