// The waits and the sound: the delay primitive, quitting from inside any wait, and the
// multimedia devices, whose songs report their end once and only when they played to it.
#include <QTimer>
#include <gtest/gtest.h>

#include <thread>

#include "media/mci_device.h"
#include "window/window.h"
#include "sound_support.h"
#include "test_window.h"

using namespace testing_support;

namespace {
// Writes a wave of these seconds and plays it on the device.
void play(media::MciDevice& device, const std::filesystem::path& file, double seconds) {
    write_wav(file, seconds);
    device.FileName(file.string());
    device.Command("Open");
    device.Command("Play");
}
}  // namespace

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
        play(tw->MMC1, tw.dir.path() / "song.wav", 5.0);
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

// A song that plays to its end raises code 1 once; a closed song, or one replaced while it
// plays, never does. (A rewound song's next end is the single-song repeat of the music tests.)
TEST(Device, OnlyASongThatPlaysToItsEndRaisesCodeOne) {
    if (!media::MciDevice::audio_available()) GTEST_SKIP() << "no audio output on this machine";
    TempDir dir;
    media::MciDevice device;
    std::vector<int> codes;
    device.on_done = [&](std::int16_t& code) { codes.push_back(code); };
    // The codes once there are n, after a while longer for any further one.
    const auto codes_after = [&](std::size_t n) {
        pump(5000, [&] { return codes.size() >= n; });
        pump(300);
        return codes;
    };
    play(device, dir.path() / "first.wav", 3.0);
    pump(300);  // longer than the shortest playable song
    play(device, dir.path() / "second.wav", 0.4);
    pump(100);
    EXPECT_TRUE(codes.empty()) << "the replaced song ended";
    EXPECT_EQ(codes_after(1), std::vector<int>{1});
    play(device, dir.path() / "long.wav", 3.0);
    pump(300);
    device.Command("close");
    EXPECT_EQ(codes_after(1), std::vector<int>{1}) << "the closed song ended";
}

// The rustle sounds only with the Yes mark, rewound for the next card. Without its file, or run
// again without audio, nothing sounds and the game goes on.
TEST(CardSound, RustleFollowsTheYesMark) {
    for (const bool file : {true, false}) {
        TestWindow tw;
        const std::filesystem::path source = std::filesystem::path(DOLVARO_SOURCE_DIR) / "assets/carta.wav";
        if (file) std::filesystem::copy_file(source, tw.dir.path() / "carta.wav");
        tw->Apri_suono("carta");
        const bool sounds = file && media::MciDevice::audio_available();
        EXPECT_EQ(tw->MMCw.is_open(), sounds);
        for (const int yes : {0, 1}) {
            tw->menu_card_rustle[yes].Click();
            tw->MMCw.From(500);
            tw->suona();
            EXPECT_EQ(tw->MMCw.is_playing(), yes && sounds) << file << yes;
        }
        EXPECT_EQ(tw->MMCw.From(), 0) << "rewound for the next card";
    }
}
