// The delay primitive and the waits: intervals, stale ticks, rate changes, and quitting from
// inside any wait.

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

#include <thread>

#include "table/window.h"
#include "test_window.h"
#include "wav_file.h"

using testing_support::TestWindow;

TEST(Delay, IntervalIsTheTempoDividedByTheRateRoundedDown) {
    TestWindow tw;
    struct Case {
        double tempo;
        int rate;
        int ms;
    };
    const Case cases[] = {{0.5, 1, 500},  {0.5, 2, 250},  {0.5, 3, 166},  {1.0, 1, 1000}, {1.0, 2, 500},
                          {1.0, 3, 333},  {2.0, 1, 2000}, {2.0, 2, 1000}, {2.0, 3, 666},  {6.0, 1, 6000},
                          {6.0, 2, 3000}, {6.0, 3, 2000}};
    for (const Case& c : cases) {
        tw->play_rate = std::uint8_t(c.rate);
        tw->ritardo(c.tempo);
        EXPECT_EQ(tw->Timer1.Interval(), c.ms) << c.tempo << " s at rate " << c.rate;
        EXPECT_TRUE(tw->timer_elapsed);
    }
    // The timer keeps ticking after a pause; each tick only sets the flag again.
    EXPECT_TRUE(tw->Timer1.Enabled());
}

TEST(Delay, ImpossibleRateNeverDividesByZero) {
    TestWindow tw;
    tw->play_rate = 0;
    tw->ritardo(0.5);
    EXPECT_GT(tw->Timer1.Interval(), 0);
}

TEST(Delay, StaleTickDoesNotEndANewPauseEarly) {
    TestWindow tw;
    tw->Timer1.time_scale = 1.0;
    tw->play_rate = 1;
    tw->ritardo(0.02);
    // Ticks fall due while nothing processes events.
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
    QElapsedTimer clock;
    clock.start();
    tw->ritardo(0.25);
    EXPECT_GE(clock.elapsed(), 250);
}

TEST(Delay, RateChosenDuringAPauseAppliesFromTheNextOne) {
    TestWindow tw;
    tw->Timer1.time_scale = 1.0;
    tw->velocità_gioco[1].Click();
    QTimer::singleShot(20, [&] { tw->velocità_gioco[3].Click(); });
    QElapsedTimer clock;
    clock.start();
    tw->ritardo(0.2);
    EXPECT_GE(clock.elapsed(), 200);
    EXPECT_EQ(tw->play_rate, 3);
    tw->ritardo(0.3);
    EXPECT_EQ(tw->Timer1.Interval(), 100);
}

TEST(Waits, FlagWaitEndsOnlyThroughItsEvent) {
    TestWindow tw;
    int passes = 0;
    QTimer::singleShot(30, [&] { tw->continue_requested = true; });
    tw->wait_until([&] {
        ++passes;
        return tw->continue_requested;
    });
    EXPECT_TRUE(tw->continue_requested);
    EXPECT_GE(passes, 1);
}

TEST(Quit, QuitFromInsideAPauseEndsEverythingWithTheSongClosed) {
    TestWindow tw;
    testing_support::write_wav(tw.dir.path() / "song.wav", 5.0);
    tw->MMC1.FileName((tw.dir.path() / "song.wav").string());
    tw->MMC1.Command("Open");
    tw->MMC1.Command("Play");
    tw->form().show();
    QTimer::singleShot(30, [&] { tw->menu_quit.Click(); });
    EXPECT_THROW(tw->ritardo(30.0), ProgramEnded);
    EXPECT_TRUE(tw->run_over());
    EXPECT_FALSE(tw->MMC1.is_open());
    EXPECT_FALSE(tw->form().isVisible());
    // No later step runs: every further wait refuses at once.
    EXPECT_THROW(tw->DoEvents(), ProgramEnded);
}

TEST(Quit, CloseBoxInsideAFlagWaitDoesTheSame) {
    TestWindow tw;
    tw->form().show();
    QTimer::singleShot(30, [&] { tw->form().close(); });
    EXPECT_THROW(tw->wait_until([&] { return tw->continue_requested; }), ProgramEnded);
    EXPECT_TRUE(tw->run_over());
}

TEST(Quit, MatchLoopStartedByActivationUnwindsAndReturns) {
    TestWindow tw(true, false);
    tw->run_main_on_activate = true;
    QTimer::singleShot(30, [&] { tw->menu_quit.Click(); });
    tw->Form_Activate();  // returns only because the close unwound the match loop
    EXPECT_TRUE(tw->run_over());
    EXPECT_FALSE(tw->main_running());
}
