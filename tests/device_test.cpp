// The multimedia devices and the card rustle as a player hears them: what starts on the mixer,
// which song ends are raised, which commands and files the devices refuse. Run a second time
// without audio: then nothing starts and nothing ends, and the game goes on the same.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <unistd.h>

#include <stdexcept>

#include "scripted_user.h"
#include "sound_support.h"
#include "test_window.h"

using namespace testing_support;

namespace {

const std::filesystem::path kRustle = std::filesystem::path(DOLVARO_SOURCE_DIR) / "assets/carta.wav";

// Counts the starts of a device's sound or song on the mixer.
std::shared_ptr<int> count_starts(media::MciDevice& device) {
    auto count = std::make_shared<int>(0);
    device.on_start = [count] { ++*count; };
    return count;
}

}  // namespace

// A song that plays to its end raises code 1 once; a closed song, or one replaced while it
// plays, never does. (A rewound song's next end is the single-song repeat of the music tests.)
TEST(Device, OnlyASongThatPlaysToItsEndRaisesCodeOne) {
    TempDir dir;
    media::MciDevice device;
    const auto starts = count_starts(device);
    std::vector<int> codes;
    device.on_done = [&](std::int16_t& code) { codes.push_back(code); };
    // The codes once there are n, after a while longer for any further one.
    const auto codes_after = [&](std::size_t n) {
        pump(audio() ? 6000 : 0, [&] { return codes.size() >= n; });
        pump(300);
        return codes;
    };
    play_song(device, dir.path() / "first.mid", 30);
    pump(300);  // longer than the shortest playable song
    play_song(device, dir.path() / "second.mid", 0.25);
    pump(100);
    EXPECT_TRUE(codes.empty()) << "the replaced song ended";
    EXPECT_EQ(codes_after(1), std::vector<int>(audio(), 1));
    play_song(device, dir.path() / "long.mid", 30);
    pump(300);
    device.Command("close");
    EXPECT_EQ(codes_after(1), std::vector<int>(audio(), 1)) << "the closed song ended";
    EXPECT_EQ(*starts, audio() ? 3 : 0);
}

// The game's own commands do their work; any other string is a slip of the pen, refused at once
// on either device, with audio or without.
TEST(Device, AnyCommandButTheGamesOwnIsAnError) {
    for (const char* type : {"WaveAudio", ""}) {
        media::MciDevice device(type);
        for (const char* command : {"Open", "Play", "Close", "close"}) EXPECT_NO_THROW(device.Command(command)) << command;
        for (const char* command : {"open", "Paly", "Stop", "", "Close "})
            EXPECT_THROW(device.Command(command), std::invalid_argument) << '"' << command << '"';
    }
}

// Only a regular file of at most 256 KiB (the card sound) or 2 MiB (a song) is opened: a bigger
// one would take tens of megabytes once decoded, a FIFO would block the game. A refused file
// starts nothing; the music stops as for a broken song (see the music tests).
TEST(Device, OnlyARegularFileWithinItsBoundOpens) {
    TempDir dir;
    const auto song = [&](std::uintmax_t size) {
        write_song(dir.path() / "file", 0.25);
        std::filesystem::resize_file(dir.path() / "file", size);  // a sparse tail: cheap to make
    };
    const auto sound = [&](std::uintmax_t size) {
        std::filesystem::copy_file(kRustle, dir.path() / "file");
        std::filesystem::resize_file(dir.path() / "file", size);
    };
    const struct { const char* what; const char* type; std::function<void()> make; bool opens; } cases[] = {
        {"a song at the bound", "", [&] { song(2 << 20); }, true},
        {"a song past the bound", "", [&] { song((2 << 20) + 1); }, false},
        {"a sound at the bound", "WaveAudio", [&] { sound(256 << 10); }, true},
        {"a sound past the bound", "WaveAudio", [&] { sound((256 << 10) + 1); }, false},
        {"a FIFO", "", [&] { ASSERT_EQ(mkfifo((dir.path() / "file").c_str(), 0600), 0); }, false},
        {"a folder", "WaveAudio", [&] { std::filesystem::create_directory(dir.path() / "file"); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(dir.path() / "file");
        c.make();
        media::MciDevice device(c.type);
        const auto starts = count_starts(device);
        device.FileName((dir.path() / "file").string());
        alarm(5);  // an open that hangs would hold the whole suite: the alarm ends the program instead
        device.Command("Open");
        alarm(0);
        device.Command("Play");
        EXPECT_EQ(std::pair(device.is_open(), *starts), std::pair(c.opens && audio(), int(c.opens && audio())));
    }
}

// The rustle as a player hears it through a match's own flow, counted at every pause from the
// dealer's on: one per draw (and one more for a tie), one per card dealt, one for the user's
// accepted card and one for each computer's card; none with Card rustle "No" or without the file.
// Rustles follow each other faster than one lasts, yet never more than one sounds at a time.
TEST(CardSound, RustleSoundsOnceForEveryCardDrawnDealtAndPlayed) {
    const struct { const char* what; std::uint32_t seed; bool tie, yes = true, file = true; } cases[] = {
        {"a tied draw", 8, true}, {"a clean draw", 1, false}, {"card rustle No", 8, true, false},
        {"no sound file", 1, false, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestWindow tw(true, false);
        frmGioco& w = *tw;
        if (c.file) std::filesystem::copy_file(kRustle, tw.dir.path() / "carta.wav");
        w.test_hooks.shuffle_seed = c.seed;
        w.test_hooks.pause_scale = 0.001;
        w.test_hooks.run_main_on_activate = true;
        int tries = 0;
        w.test_hooks.message_box = [&](const std::string& text) { tries += text == "Try again, please"; };
        w.menu_card_rustle[c.yes].Click();
        const auto starts = count_starts(w.MMCw);
        ScriptedUser user(w);
        user.meddle = false;
        const int drawn = c.tie ? 9 : 4;
        const bool sounds = c.yes && c.file && audio();
        std::vector<int> heard, expected;
        int most_playing = 0;
        w.test_hooks.pause = [&](double tempo) {
            if (tempo != 6.0 && heard.empty()) return;  // the dealer is known from its pause on
            int dealt = 0;
            for (int seat = 1; seat <= 4; ++seat)
                dealt += int(std::count_if(&w.hands[seat][1], &w.hands[seat][11], [](int card) { return card; }));
            heard.push_back(*starts);
            expected.push_back(sounds ? drawn + dealt + w.cards_played : 0);
            most_playing = std::max(most_playing, media::MciDevice::sounds_playing());
            if (w.cards_played == 4) w.menu_quit_Click();  // the fourth card stands beside its player
        };
        w.Form_Activate();
        ASSERT_EQ(tries, int(c.tie)) << "the seed no longer gives this draw";
        EXPECT_EQ(w.cards_played, 4);
        EXPECT_EQ(heard, expected);
        EXPECT_EQ(most_playing, int(sounds));
    }
}
