// Background music: the song menu read from the music folder, the three modes and their marks,
// the saved mode across runs, songs that end (really, on the tests' audio driver), songs that
// cannot be played, and song ends that arrive during animation frames.
#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <optional>
#include <set>

#include "media/music.h"
#include "window/window.h"
#include "test_window.h"
#include "wav_file.h"

using testing_support::TestWindow;

namespace {

const std::string kSettings = "dolvset.kvq";
constexpr double kShortSong = 0.4;  // plays to its end quickly, yet is no unplayable blip
constexpr double kLongSong = 5.0;   // never ends during a test

bool audio() { return media::MciDevice::audio_available(); }

std::string settings_with_music(const std::string& line) {
    return " 2 \r\n 1 \r\nYou\r\nRight\r\nTop\r\nLeft\r\n" + line + "\r\n";
}

// Song files are short waves: the device tells a song's kind from its content, not its name.
struct Song {
    std::string name;
    double seconds = kLongSong;
    std::optional<std::string> bytes = std::nullopt;  // written as they are instead of a wave
};

// A window started on a program folder holding these songs (or no music folder at all) and,
// if given, this music line.
std::unique_ptr<TestWindow> started(const std::vector<Song>& songs, const std::optional<std::string>& music_line,
                                    bool music_folder = true) {
    auto tw = std::make_unique<TestWindow>(false);
    const auto folder = tw->dir.path() / "music";
    if (music_folder) std::filesystem::create_directory(folder);
    for (const Song& s : songs) {
        if (s.bytes) {
            tw->dir.write("music/" + s.name, *s.bytes);
        } else {
            testing_support::write_wav(folder / s.name, s.seconds);
        }
    }
    if (music_line) tw->dir.write(kSettings, settings_with_music(*music_line));
    (*tw)->Form_Load();
    return tw;
}

// The checked items of the Music menu, top to bottom.
std::string marks(frmGioco& w) {
    std::string text;
    std::vector<const ui::MenuItem*> items{&w.nomusic[0], &w.all[0]};
    for (int i = 1; i <= w.song_count(); ++i) items.push_back(w.canzoni[i].get());
    for (const ui::MenuItem* item : items)
        if (item->Checked()) text += (text.empty() ? "" : ",") + item->Caption();
    return text;
}

// The seventh line of the settings file.
std::string saved_music_line(const TestWindow& tw) {
    std::string file = tw.dir.read(kSettings);
    for (int line = 1; line < 7; ++line) file.erase(0, file.find("\r\n") + 2);
    return file.substr(0, file.find("\r\n"));
}

// The song the device plays, or "" when it plays none.
std::string playing(frmGioco& w) {
    if (!w.MMC1.is_playing()) return "";
    return std::filesystem::path(w.MMC1.FileName()).filename().string();
}

// Processes events, as a wait of the game would, for ms or until the test holds.
void pump(int ms, const std::function<bool()>& done = [] { return false; }) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms && !done()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Counts the device's end-of-play events on their way to the window.
struct SongEnds {
    int count = 0;
    explicit SongEnds(frmGioco& w) {
        w.MMC1.on_done = [this, inner = w.MMC1.on_done](std::int16_t& code) {
            count += code == 1;
            inner(code);
        };
    }
};

}  // namespace

TEST(Music, SongListEndsAtTheFirstNameWithoutMid) {
    using List = std::vector<std::string>;
    const struct { List names, songs; } cases[] = {
        {{"alpha.mid", "beta.mid", "gamma.mid"}, {"alpha", "beta", "gamma"}},
        {{"alpha.mid", "notes.txt", "zeta.mid"}, {"alpha"}},
        {{"song.MID", "alpha.mid"}, {}},
        {{"alpha.mid", "song.MID", "beta.mid"}, {"alpha"}},
        {{"two.mid.mid", "tune.midi", "a.mid.bak"}, {"two", "tune", "a"}},  // up to the first ".mid"
        {{}, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(media::song_captions(c.names), c.songs) << ::testing::PrintToString(c.names);
}

// The folder's own order, whatever it is: the menu follows the listing, songs after "SEQUENTIAL
// MODE"; folders, hidden and special files are no songs, and a name shows as it stands.
TEST(Music, MenuListsTheFolderSongsAfterSequentialMode) {
    auto tw = std::make_unique<TestWindow>(false);
    const auto folder = tw->dir.path() / "music";
    const auto game_songs = std::filesystem::path(DOLVARO_SOURCE_DIR) / "assets" / "music";
    std::set<std::string> songs{"rock & roll.mid"};
    for (const auto& e : std::filesystem::directory_iterator(game_songs)) songs.insert(e.path().filename());
    std::filesystem::copy(game_songs, folder);
    testing_support::write_wav(folder / "rock & roll.mid", kLongSong);
    std::filesystem::create_directory(folder / "folder.mid");
    tw->dir.write("music/.hidden.mid", "x");
    ASSERT_EQ(mkfifo((folder / "pipe.mid").c_str(), 0600), 0);
    (*tw)->Form_Load();

    const std::vector<std::string> listing = media::ordinary_files(folder);
    EXPECT_EQ(std::set<std::string>(listing.begin(), listing.end()), songs);
    const int n = (*tw)->song_count();
    ASSERT_EQ(n, int(songs.size()));
    QStringList shown;
    for (const QAction* a : (*tw)->music.action()->menu()->actions()) shown << a->iconText();
    QStringList expected{"None", "SEQUENTIAL MODE"};
    for (int i = 1; i <= n; ++i) {
        const ui::MenuItem& item = *(*tw)->canzoni[i];
        EXPECT_EQ((*tw)->song_names[i] + ".mid", listing[i - 1]);
        EXPECT_TRUE(item.Visible() && item.Checkable()) << i;
        expected << QString::fromStdString((*tw)->song_names[i]);
    }
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(marks(**tw), "None");

    // Every song plays its own file, the game's MIDI songs and the one with an ampersand alike.
    for (int i = 1; i <= n; ++i) {
        (*tw)->canzoni[i]->Click();
        if (audio()) {
            EXPECT_EQ(playing(**tw), listing[i - 1]);
        }
    }
}

TEST(Music, FolderWithoutSongsGivesNoneAndSequentialModeOnly) {
    const struct { const char* what; std::vector<Song> files; bool folder; } cases[] = {
        {"missing folder", {}, false},
        {"empty folder", {}, true},
        {"upper-case MID", {{"song.MID"}}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto tw = started(c.files, " 101 ", c.folder);
        EXPECT_EQ((*tw)->song_count(), 0);
        EXPECT_FALSE((*tw)->canzoni[1]->Visible());
        // "SEQUENTIAL MODE" with no songs: its mark, no music, and it is saved as such.
        EXPECT_EQ(marks(**tw), "SEQUENTIAL MODE");
        EXPECT_EQ((*tw)->song_index, 0);
        EXPECT_FALSE((*tw)->MMC1.is_open());
        (*tw)->nomusic[0].Click();
        EXPECT_EQ(marks(**tw), "None");
        (*tw)->all[0].Click();
        EXPECT_EQ(marks(**tw), "SEQUENTIAL MODE");
        EXPECT_EQ(saved_music_line(*tw), " 101 ");
        (*tw)->ritardo(0.1);
        EXPECT_TRUE((*tw)->timer_elapsed);
    }
}

// Every choice sets its marks, song_index, the song and the saved line; without audio the
// marks and the saves are the same and the device stays closed.
TEST(Music, ChoicesSetTheirMarksPlayAndSave) {
    auto tw = started({{"alpha.mid"}, {"beta.mid"}, {"gamma.mid"}}, " 0 ");
    frmGioco& w = **tw;
    const std::vector<std::string>& song = w.song_names;

    const struct { const char* what; ui::MenuItem* item; std::string marks; int index; std::string line, song; } steps[] = {
        {"song 2", w.canzoni[2].get(), song[2], 0, " 0 ", song[2]},
        {"sequential", &w.all[0], "SEQUENTIAL MODE," + song[1], 1, " 101 ", song[1]},
        {"song 3 during the sequence", w.canzoni[3].get(), song[3], 0, " 0 ", song[3]},
        {"none", &w.nomusic[0], "None", 0, " 0 ", ""},
        {"sequential again", &w.all[0], "SEQUENTIAL MODE," + song[1], 1, " 101 ", song[1]},
        {"none from the sequence", &w.nomusic[0], "None", 0, " 0 ", ""},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.what);
        s.item->Click();
        EXPECT_EQ(marks(w), s.marks);
        EXPECT_EQ(w.song_index, s.index);
        EXPECT_EQ(saved_music_line(*tw), s.line);
        if (audio()) {
            EXPECT_EQ(playing(w), s.song.empty() ? "" : s.song + ".mid");
        } else {
            EXPECT_FALSE(w.MMC1.is_open());
        }
    }
}

TEST(Music, SequenceGoesThroughEverySongAndWrapsAround) {
    auto tw = started({{"alpha.mid", kShortSong}, {"beta.mid", kShortSong}, {"gamma.mid", kShortSong}}, " 0 ");
    if (!audio()) GTEST_SKIP() << "no audio output on this machine";
    frmGioco& w = **tw;
    w.all[0].Click();
    for (int expected : {2, 3, 1}) {
        pump(3000, [&] { return w.song_index == expected; });
        ASSERT_EQ(w.song_index, expected);
        EXPECT_EQ(marks(w), "SEQUENTIAL MODE," + w.song_names[expected]);
        EXPECT_EQ(playing(w), w.song_names[expected] + ".mid");
    }
    EXPECT_EQ(saved_music_line(*tw), " 101 ");
}

// One chosen song, or the only song of a sequence, plays again after each end.
TEST(Music, LoneSongRepeatsWithItsMarks) {
    const struct { const char* what; std::vector<Song> songs; bool sequential; std::string marks; int index; } cases[] = {
        {"chosen song", {{"solo.mid", kShortSong}}, false, "solo", 0},
        {"sequence of one", {{"solo.mid", kShortSong}}, true, "SEQUENTIAL MODE,solo", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto tw = started(c.songs, " 0 ");
        if (!audio()) GTEST_SKIP() << "no audio output on this machine";
        frmGioco& w = **tw;
        SongEnds ends(w);
        (c.sequential ? w.all[0] : *w.canzoni[1]).Click();
        for (int n = 1; n <= 2; ++n) {
            pump(3000, [&] { return ends.count == n; });
            ASSERT_EQ(ends.count, n);
            EXPECT_EQ(marks(w), c.marks);
            EXPECT_EQ(w.song_index, c.index);
            EXPECT_EQ(playing(w), "solo.mid");
        }
    }
}

// Only "None" and "SEQUENTIAL MODE" come back: a saved 101 survives other saves and starts the
// sequence at song 1 before the window shows; a single song comes back as "None"; a value
// that is neither leaves everything unchecked until the next save writes 0.
TEST(Music, SavedModeComesBackAtTheNextStart) {
    const struct { const char* line; bool sequence; std::string marks; int index; const char* saved; } cases[] = {
        {" 0 ", false, "None", 0, " 0 "},
        {" 101 ", true, "SEQUENTIAL MODE,", 1, " 101 "},
        {" 5 ", false, "", 5, " 0 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        auto tw = started({{"alpha.mid", kShortSong}, {"beta.mid"}}, c.line);
        frmGioco& w = **tw;
        const std::string first = w.song_names[1];
        EXPECT_EQ(marks(w), c.marks + (c.sequence ? first : ""));
        EXPECT_EQ(w.song_index, c.index);
        EXPECT_FALSE(w.window().main_window().isVisible());
        EXPECT_EQ(playing(w), c.sequence && audio() ? first + ".mid" : "");
        if (c.sequence) {
            // Song 2 follows the end of song 1; a play rate chosen meanwhile keeps 101.
            if (audio()) {
                pump(3000, [&] { return w.song_index == 2; });
            } else {
                std::int16_t code = 1;
                w.MMC1_Done(code);
            }
            ASSERT_EQ(w.song_index, 2);
        }
        w.velocità_gioco[3].Click();
        EXPECT_EQ(saved_music_line(*tw), c.saved);

        // The next run, on the same songs and this settings file.
        auto next = std::make_unique<TestWindow>(false);
        std::filesystem::copy(tw->dir.path() / "music", next->dir.path() / "music");
        next->dir.write(kSettings, tw->dir.read(kSettings));
        (*next)->Form_Load();
        EXPECT_EQ(marks(**next), c.sequence ? "SEQUENTIAL MODE," + (*next)->song_names[1] : "None");
        EXPECT_EQ((*next)->song_index, c.sequence ? 1 : 0);
        EXPECT_EQ((*next)->play_rate, 3);
    }
}

// Songs that cannot be played, or have gone, leave the marks as chosen and the music off, and
// never raise an end: no song is started again and again.
TEST(Music, UnplayableSongStopsTheMusicWithoutAnEnd) {
    std::string noise;
    for (int i = 0; i < 4000; ++i) noise.push_back(char((i * 7919 + 13) % 251));
    const struct { const char* what; Song song; bool removed; } cases[] = {
        {"random bytes", {"broken.mid", 0, noise}, false},
        {"empty", {"broken.mid", 0, ""}, false},
        {"text", {"broken.mid", 0, "not a song at all\n"}, false},
        {"MIDI header and garbage", {"broken.mid", 0, "MThd" + noise}, false},
        {"a blip of a song", {"broken.mid", 0.05}, false},
        {"removed after start-up", {"broken.mid", kShortSong}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto tw = started({c.song}, c.removed ? " 0 " : " 101 ");
        frmGioco& w = **tw;
        SongEnds ends(w);
        if (c.removed) {
            std::filesystem::remove(tw->dir.path() / "music" / "broken.mid");
            w.all[0].Click();
        }
        pump(120);
        EXPECT_EQ(ends.count, 0);
        EXPECT_EQ(marks(w), "SEQUENTIAL MODE,broken");
        EXPECT_EQ(w.song_index, 1);
        EXPECT_FALSE(w.MMC1.is_playing());
        w.canzoni[1]->Click();
        pump(120);
        EXPECT_EQ(ends.count, 0);
        EXPECT_EQ(marks(w), "broken");
        EXPECT_EQ(saved_music_line(*tw), " 0 ");
        w.ritardo(0.1);
        EXPECT_TRUE(w.timer_elapsed);
    }
}

// The next song is loaded only after the frames; an end that a new choice overtook changes
// nothing, and neither does any code but 1.
TEST(Music, SongEndDuringAnimationWaitsForTheFramesToEnd) {
    auto tw = started({{"alpha.mid"}, {"beta.mid"}}, " 101 ");
    frmGioco& w = **tw;
    const std::string first = w.song_names[1], second = w.song_names[2];
    std::int16_t code = 1;

    w.animation_running = true;
    w.MMC1.on_done(code);
    EXPECT_EQ(marks(w), "SEQUENTIAL MODE," + first);
    EXPECT_EQ(w.MMC1.FileName(), (tw->dir.path() / "music" / (first + ".mid")).string());
    w.end_of_animation();
    EXPECT_FALSE(w.animation_running);
    EXPECT_EQ(marks(w), "SEQUENTIAL MODE," + second);
    EXPECT_EQ(w.song_index, 2);
    if (audio()) {
        EXPECT_EQ(playing(w), second + ".mid");
    }
    w.end_of_animation();
    EXPECT_EQ(w.song_index, 2) << "an end is handled once";

    w.animation_running = true;
    w.MMC1.on_done(code);
    w.all[0].Click();  // chosen during the frames: the sequence starts again at song 1
    w.end_of_animation();
    EXPECT_EQ(w.song_index, 1);
    EXPECT_EQ(marks(w), "SEQUENTIAL MODE," + first);

    std::int16_t other = 2;
    w.MMC1.on_done(other);
    EXPECT_EQ(w.song_index, 1);
}
