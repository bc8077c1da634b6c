// The waits and the sound: the delay primitive, quitting from inside any wait, and the
// multimedia devices, whose songs report their end once and only when they played to it.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

#include <thread>

#include "media/mci_device.h"
#include "window/window.h"
#include "test_window.h"
#include "wav_file.h"

using testing_support::TestWindow;

TEST(Delay, IntervalIsTheTempoDividedByTheRateRoundedDown) {
    TestWindow tw;
    const struct { double tempo; int rate, ms; } cases[] = {
        {0.5, 1, 500},  {0.5, 2, 250},  {0.5, 3, 166}, {1.0, 1, 1000}, {1.0, 2, 500},  {1.0, 3, 333},
        {2.0, 1, 2000}, {2.0, 2, 1000}, {2.0, 3, 666}, {6.0, 1, 6000}, {6.0, 2, 3000}, {6.0, 3, 2000}};
    for (const auto& c : cases) {
        tw->play_rate = std::uint8_t(c.rate);
        tw->ritardo(c.tempo);
        EXPECT_EQ(tw->Timer1.Interval(), c.ms) << c.tempo << " s at rate " << c.rate;
        EXPECT_TRUE(tw->timer_elapsed);
    }
    // The timer keeps ticking after a pause; each tick only sets the flag again.
    EXPECT_TRUE(tw->Timer1.Enabled());
    // An impossible rate never divides by zero: it is held to Low.
    tw->play_rate = 0;
    tw->ritardo(0.5);
    EXPECT_EQ(tw->Timer1.Interval(), 500);
}

TEST(Delay, StaleTickDoesNotEndANewPauseEarly) {
    TestWindow tw;
    tw->test_hooks.pause_scale = 1.0;
    tw->play_rate = 1;
    tw->ritardo(0.02);
    // Ticks fall due while nothing processes events; another event arrives during the pause.
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
    QTimer::singleShot(30, [] {});
    QElapsedTimer clock;
    clock.start();
    tw->ritardo(0.25);
    EXPECT_GE(clock.elapsed(), 250);
}

// High chosen halfway through a Low pause of 600 ms: the pause still ends at 600 ms. Counted
// afresh at the new rate from the choice it would end at 500 ms; restarted there, at 900 ms.
TEST(Delay, RateChosenDuringAPauseAppliesFromTheNextOne) {
    TestWindow tw;
    tw->test_hooks.pause_scale = 1.0;
    tw->velocità_gioco[1].Click();
    QTimer::singleShot(300, [&] { tw->velocità_gioco[3].Click(); });
    QElapsedTimer clock;
    clock.start();
    tw->ritardo(0.6);
    const qint64 lasted = clock.elapsed();
    EXPECT_GE(lasted, 600) << "shortened";
    EXPECT_LT(lasted, 800) << "lengthened";
    EXPECT_EQ(tw->play_rate, 3);
    tw->ritardo(0.3);
    EXPECT_EQ(tw->Timer1.Interval(), 100);
}

TEST(Quit, QuitFromInsideAPauseEndsEverythingWithTheSongClosed) {
    TestWindow tw;
    testing_support::write_wav(tw.dir.path() / "song.wav", 5.0);
    tw->MMC1.FileName((tw.dir.path() / "song.wav").string());
    tw->MMC1.Command("Open");
    tw->MMC1.Command("Play");
    tw->window().main_window().show();
    QTimer::singleShot(30, [&] { tw->menu_quit.Click(); });
    EXPECT_THROW(tw->ritardo(30.0), ProgramEnded);
    EXPECT_TRUE(tw->run_over());
    EXPECT_FALSE(tw->MMC1.is_open());
    EXPECT_FALSE(tw->window().main_window().isVisible());
    // No later step runs: every further wait refuses at once.
    EXPECT_THROW(tw->DoEvents(), ProgramEnded);
}

// Even when the event that closes the window also raises the awaited flag.
TEST(Quit, CloseBoxInsideAFlagWaitDoesTheSame) {
    TestWindow tw;
    tw->window().main_window().show();
    QTimer::singleShot(30, [&] {
        tw->continue_requested = true;
        tw->window().main_window().close();
    });
    EXPECT_THROW(tw->wait_until([&] { return tw->continue_requested; }), ProgramEnded);
    EXPECT_TRUE(tw->run_over());
}

// Once the window is closed no message box shows and no beep sounds. Asked for by the game's
// own flow, they end the run as a wait does; inside an event handler they do nothing, and the
// event pass around the handler ends the run.
TEST(Quit, NoMessageBoxOrBeepAfterTheClose) {
    TestWindow tw;
    int boxes = 0, beeps = 0;
    tw->test_hooks.message_box = [&](const std::string&) { ++boxes; };
    tw->test_hooks.beep = [&] { ++beeps; };
    bool handler_ran_to_its_end = false;
    QTimer::singleShot(10, [&] {
        tw->menu_quit.Click();
        tw->MsgBox("late");
        tw->Beep();
        handler_ran_to_its_end = true;
    });
    EXPECT_THROW(tw->ritardo(5.0), ProgramEnded);
    EXPECT_TRUE(handler_ran_to_its_end);
    EXPECT_THROW(tw->MsgBox("after"), ProgramEnded);
    EXPECT_THROW(tw->Beep(), ProgramEnded);
    EXPECT_EQ(boxes, 0);
    EXPECT_EQ(beeps, 0);
}

// The window closed while its message box is open: the run ends when the box returns.
TEST(Quit, CloseWhileTheMessageBoxIsOpenEndsTheRunWhenItReturns) {
    TestWindow tw;
    tw->test_hooks.message_box = [&](const std::string&) { tw->menu_quit.Click(); };
    EXPECT_THROW(tw->MsgBox("That card cannot be played now."), ProgramEnded);
}

TEST(Quit, MatchLoopStartedByActivationUnwindsAndReturns) {
    TestWindow tw(true, false);
    tw->test_hooks.run_main_on_activate = true;
    QTimer::singleShot(30, [&] { tw->menu_quit.Click(); });
    tw->Form_Activate();  // returns only because the close unwound the match loop
    EXPECT_TRUE(tw->run_over());
    EXPECT_FALSE(tw->main_running());
}

namespace {

// Processes events, as a wait of the game would, for ms or until the test holds.
void pump(int ms, const std::function<bool()>& done = [] { return false; }) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms && !done()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

struct SongDevice {
    testing_support::TempDir dir;
    media::MciDevice device;
    std::vector<int> codes;
    SongDevice() { device.on_done = [this](std::int16_t& code) { codes.push_back(code); }; }
    void start(const std::string& name, double seconds) {
        testing_support::write_wav(dir.path() / name, seconds);
        device.FileName((dir.path() / name).string());
        device.Command("Open");
        device.Command("Play");
    }
    // Waits for the n-th done event, then a while longer for any further one.
    void wait_for(std::size_t n) {
        pump(5000, [&] { return codes.size() >= n; });
        pump(300);
    }
};

}  // namespace

TEST(Device, SongThatEndsRaisesCodeOneOnce) {
    SongDevice s;
    s.start("short.wav", 0.4);
    if (!media::MciDevice::audio_available()) GTEST_SKIP() << "no audio output on this machine";
    ASSERT_TRUE(s.device.is_playing());
    s.wait_for(1);
    EXPECT_EQ(s.codes, std::vector<int>{1});
    EXPECT_FALSE(s.device.is_playing());
    // Rewound and played again, it sounds again and ends once more.
    s.device.From(0);
    s.device.Command("Play");
    s.wait_for(2);
    EXPECT_EQ(s.codes, (std::vector<int>{1, 1}));
}

TEST(Device, ClosedOrReplacedSongNeverReportsAnEnd) {
    SongDevice s;
    s.start("long.wav", 3.0);
    if (!media::MciDevice::audio_available()) GTEST_SKIP() << "no audio output on this machine";
    pump(50);
    s.device.Command("close");
    EXPECT_FALSE(s.device.is_open());
    pump(300);
    EXPECT_TRUE(s.codes.empty());
    // A new song in place of a playing one: only the new one's end counts.
    s.start("first.wav", 3.0);
    pump(50);
    s.start("second.wav", 0.4);
    s.wait_for(1);
    EXPECT_EQ(s.codes, std::vector<int>{1});
}

TEST(CardSound, MissingSoundFileMakesEveryCommandHarmless) {
    TestWindow tw;  // the temporary folder holds no carta.wav
    int done = 0;
    tw->MMCw.on_done = [&](std::int16_t&) { ++done; };
    tw->Apri_suono("carta");
    EXPECT_FALSE(tw->MMCw.is_open());
    tw->suona();
    EXPECT_FALSE(tw->MMCw.is_playing());
    tw->MMCw.Command("Close");
    tw->MMCw.Command("Bogus");
    pump(100);
    EXPECT_EQ(done, 0);
}

TEST(CardSound, RustleFollowsTheYesMark) {
    TestWindow tw;
    std::filesystem::copy_file(std::filesystem::path(DOLVARO_SOURCE_DIR) / "assets" / "carta.wav",
                               tw.dir.path() / "carta.wav");
    tw->Apri_suono("carta");
    if (!media::MciDevice::audio_available()) GTEST_SKIP() << "no audio output on this machine";
    ASSERT_TRUE(tw->MMCw.is_open());
    tw->menu_card_rustle[0].Click();
    tw->suona();
    EXPECT_FALSE(tw->MMCw.is_playing());
    tw->menu_card_rustle[1].Click();
    tw->MMCw.From(500);
    tw->suona();
    EXPECT_TRUE(tw->MMCw.is_playing());
    EXPECT_EQ(tw->MMCw.From(), 0) << "rewound for the next card";
    EXPECT_TRUE(tw->MMCw.is_open()) << "the device stays open";
}

// Skipped where audio works; CMake runs it again with an audio driver that does not exist.
TEST(NoAudio, GameGoesOnSilently) {
    if (media::MciDevice::audio_available()) GTEST_SKIP() << "audio is available here";
    TestWindow tw;
    testing_support::write_wav(tw.dir.path() / "carta.wav", 0.1);
    tw->Apri_suono("carta");
    tw->suona();
    EXPECT_FALSE(tw->MMCw.is_open());
    tw->MMC1.FileName((tw.dir.path() / "carta.wav").string());
    tw->MMC1.Command("Open");
    tw->MMC1.Command("Play");
    EXPECT_FALSE(tw->MMC1.is_playing());
    tw->ritardo(0.1);
    EXPECT_TRUE(tw->timer_elapsed);
}
