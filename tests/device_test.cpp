// The multimedia device: songs end with one done event; closed or replaced songs never
// report an end; commands without a file or without audio do nothing.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include "media/mci_device.h"
#include "test_window.h"
#include "wav_file.h"

using testing_support::TempDir;

namespace {

// Processes events for a while, as a wait of the game would.
void pump(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

struct SongDevice {
    TempDir dir;
    media::MciDevice device;
    std::vector<int> codes;
    SongDevice() {
        device.on_done = [this](std::int16_t& code) { codes.push_back(code); };
    }
    void start(const std::string& name, double seconds) {
        testing_support::write_wav(dir.path() / name, seconds);
        device.Command("Close");
        device.FileName((dir.path() / name).string());
        device.Command("Open");
        device.Notify(false);
        device.Command("Play");
    }
};

}  // namespace

TEST(Device, SongThatEndsRaisesCodeOneOnce) {
    SongDevice s;
    s.start("short.wav", 0.2);
    if (!media::MciDevice::audio_available()) GTEST_SKIP() << "no audio output on this machine";
    ASSERT_TRUE(s.device.is_playing());
    QElapsedTimer clock;
    clock.start();
    while (s.codes.empty() && clock.elapsed() < 5000) pump(20);
    pump(300);
    EXPECT_EQ(s.codes, std::vector<int>{1});
    EXPECT_FALSE(s.device.is_playing());

    // Rewound and played again, it sounds again and ends once more.
    s.device.From(0);
    s.device.Command("Play");
    clock.restart();
    while (s.codes.size() < 2 && clock.elapsed() < 5000) pump(20);
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
    s.start("second.wav", 0.2);
    QElapsedTimer clock;
    clock.start();
    while (s.codes.empty() && clock.elapsed() < 5000) pump(20);
    pump(300);
    EXPECT_EQ(s.codes, std::vector<int>{1});
}

TEST(Device, MissingFileMakesEveryCommandHarmless) {
    SongDevice s;
    s.device.FileName((s.dir.path() / "nothing-here.mid").string());
    s.device.Command("Open");
    s.device.Command("Play");
    EXPECT_FALSE(s.device.is_open());
    EXPECT_FALSE(s.device.is_playing());
    s.device.Command("Close");
    s.device.Command("Bogus");
    pump(100);
    EXPECT_TRUE(s.codes.empty());
}

// Registered a second time with an audio driver that does not exist; skipped otherwise.
TEST(NoAudio, GameGoesOnSilently) {
    if (media::MciDevice::audio_available()) GTEST_SKIP() << "audio is available here";
    testing_support::TestWindow tw;
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
