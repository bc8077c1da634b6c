// Background music: the song menu read from the music folder, the three modes and their marks,
// the saved mode across runs, real song ends, unplayable songs, and ends held during animations.
#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "media/music.h"
#include "sound_support.h"
#include "test_window.h"

using namespace testing_support;

namespace {

const std::string kSettings = "dolvset.kvq", kSeq = "SEQUENTIAL MODE,";
const std::string kNames = " 2 \r\n 1 \r\nYou\r\nRight\r\nTop\r\nLeft\r\n";  // the settings file up to the music line
constexpr double kShortSong = 0.25;  // one note: its end comes about two seconds after its start

// A song file: a song of these seconds, or (seconds 0) these bytes as they stand.
struct Song { std::string name; double seconds = 30; std::string bytes = ""; };

// A window loaded on a folder with these songs (and no music folder unless folder) and a
// settings file with this music line, or (when it holds line ends) this whole settings file.
std::unique_ptr<TestWindow> started(const std::vector<Song>& songs, const std::string& settings, bool folder = true) {
    auto tw = std::make_unique<TestWindow>(false);
    if (folder) std::filesystem::create_directory(tw->dir.path() / "music");
    for (const Song& s : songs)
        s.seconds ? write_song(tw->dir.path() / "music" / s.name, s.seconds) : tw->dir.write("music/" + s.name, s.bytes);
    tw->dir.write(kSettings, settings.find('\n') != std::string::npos ? settings : kNames + settings + "\r\n");
    (*tw)->Form_Load();
    return tw;
}

// The checked items of the Music menu, song_index, the song playing and the saved music line.
std::string state(TestWindow& tw) {
    frmGioco& w = *tw;
    std::string marks = std::string(w.nomusic[0].Checked() ? ",None" : "") + (w.all[0].Checked() ? ",SEQUENTIAL MODE" : "");
    for (int i = 1; i <= w.song_count(); ++i) marks += w.canzoni[i]->Checked() ? "," + w.canzoni[i]->Caption() : "";
    const std::string file = tw.dir.read(kSettings);
    return marks.substr(!marks.empty()) + " #" + std::to_string(w.song_index) + " " +
           (w.MMC1.is_playing() ? std::filesystem::path(w.MMC1.FileName()).filename().string() : "") + " |" +
           file.substr(file.rfind("\r\n", file.size() - 3) + 2);
}
// What state shows: song plays only where audio works.
std::string want(const std::string& marks, int index, const std::string& song, const std::string& saved) {
    return marks + " #" + std::to_string(index) + " " + (audio() && !song.empty() ? song + ".mid" : "") + " |" + saved + "\r\n";
}

// Counts the device's code-1 ends on their way to the window.
std::shared_ptr<int> count_ends(frmGioco& w) {
    auto count = std::make_shared<int>(0);
    w.MMC1.on_done = [count, inner = w.MMC1.on_done](std::int16_t& code) { *count += code == 1; inner(code); };
    return count;
}

}  // namespace

TEST(Music, SongListEndsAtTheFirstNameWithoutMid) {
    const struct { std::vector<std::string> names, songs; } cases[] = {
        {{"alpha.mid", "beta.mid", "gamma.mid"}, {"alpha", "beta", "gamma"}}, {{"song.MID", "alpha.mid"}, {}},
        {{"alpha.mid", "notes.txt", "zeta.mid"}, {"alpha"}}, {{"alpha.mid", "song.MID", "beta.mid"}, {"alpha"}},
        {{"two.mid.mid", "tune.midi", "a.mid.bak"}, {"two", "tune", "a"}}, {{}, {}},  // up to the first ".mid"
    };
    for (const auto& c : cases) EXPECT_EQ(media::song_captions(c.names), c.songs) << ::testing::PrintToString(c.names);
}

// The menu follows the folder's own listing, which is not alphabetical, with the songs after
// "SEQUENTIAL MODE"; folders, hidden and special files are no songs; a name shows as it stands.
TEST(Music, MenuListsTheFolderSongsInItsOwnOrderAfterSequentialMode) {
    TestWindow tw(false);
    const auto folder = tw.dir.path() / "music";
    std::filesystem::create_directories(folder / "folder.mid");
    for (const char* name : {"alpha", "beta", "gamma", "delta", "epsilon", "rock & roll", "zeta", "eta"})
        write_song(folder / (name + std::string(".mid")), 30);
    tw.dir.write("music/.hidden.mid", "x");
    ASSERT_EQ(mkfifo((folder / "pipe.mid").c_str(), 0600), 0);
    tw->Form_Load();
    // The folder's own order, as the system lists it.
    QStringList shown, songs;
    DIR* listing = opendir(folder.c_str());
    while (const dirent* entry = readdir(listing)) {
        const QString name = QString::fromUtf8(entry->d_name);
        if (!name.startsWith('.') && name != "folder.mid" && name != "pipe.mid") songs << name.chopped(4);
    }
    closedir(listing);
    ASSERT_FALSE(std::ranges::is_sorted(songs)) << "the folder lists its files in alphabetical order: add more";
    for (const QAction* a : tw->music.action()->menu()->actions()) shown << a->iconText();
    EXPECT_EQ(shown, QStringList({"None", "SEQUENTIAL MODE"}) + songs);
    const auto rock = std::ranges::find(tw->song_names, "rock & roll") - tw->song_names.begin();
    tw->canzoni[rock]->Click();  // the song plays its own file, whatever its name holds
    EXPECT_EQ(state(tw), want(tw->canzoni[rock]->Caption(), 0, "rock & roll", " 0 "));
}

// Each choice sets its marks, song_index, the song and the saved line. An end or a choice that
// arrives during animation frames loads its song only after them, once; a choice overtakes the
// end; any code but 1 is no end. Run a second time without audio: the same, with the device closed.
TEST(Music, ChoicesAndEndsSetTheirMarksPlayAndSave) {
    auto tw = started({{"alpha.mid"}, {"beta.mid"}, {"gamma.mid"}}, " 0 ");
    frmGioco& w = **tw;
    const std::vector<std::string>& song = w.song_names;
    std::int16_t code = 1, other = 2;
    const auto click = [](ui::MenuItem& item) { return [&item] { item.Click(); }; };
    const auto song_end = [&] { w.MMC1.on_done(code); };
    const std::string none = want("None", 0, "", " 0 "), seq1 = want(kSeq + song[1], 1, song[1], " 101 ");
    const std::string seq2 = want(kSeq + song[2], 2, song[2], " 101 ");
    struct Step { const char* what; std::function<void()> act; std::string state; };
    const auto check = [&](const Step& s) {
        s.act();
        EXPECT_EQ(state(*tw), s.state) << s.what;
        EXPECT_TRUE(audio() || !w.MMC1.is_open());
    };
    // Steps taken during one stretch of animation frames; the state once the frames are over.
    const auto in_frames = [&](std::vector<Step> during) {
        return [&, during] { w.animate([&] { for (const Step& s : during) check(s); }); };
    };
    const Step steps[] = {
        {"song 2", click(*w.canzoni[2]), want(song[2], 0, song[2], " 0 ")}, {"sequential", click(w.all[0]), seq1},
        {"frames over: the end held during them", in_frames({{"end during the frames", song_end, seq1}}), seq2},
        {"code 2", [&] { w.MMC1.on_done(other); }, seq2},
        {"frames over: the choice, not the end",
         in_frames({{"end during the frames", song_end, seq2},
                    {"none during the frames waits for them", click(w.nomusic[0]), seq2},
                    {"then sequential: the latest choice wins", click(w.all[0]), seq2}}),
         seq1},
        {"song 3 during the sequence", click(*w.canzoni[3]), want(song[3], 0, song[3], " 0 ")},
        {"none", click(w.nomusic[0]), none}, {"sequential again", click(w.all[0]), seq1},
        {"none from the sequence", click(w.nomusic[0]), none},
    };
    for (const Step& s : steps) check(s);
}

namespace {

// Real ends of short songs, each about two seconds after its start: after the nth end, the
// marks, song_index and song are those of index_after_ends[n - 1] (0: the chosen song).
void ends_lead_to(const std::vector<Song>& songs, bool sequence, const std::vector<int>& index_after_ends) {
    auto tw = started(songs, " 0 ");
    if (!audio()) GTEST_SKIP() << "no audio output on this machine: no song ever ends";
    const auto ends = count_ends(**tw);
    (sequence ? (*tw)->all[0] : *(*tw)->canzoni[1]).Click();
    for (std::size_t n = 1; n <= index_after_ends.size(); ++n) {
        pump(6000, [&] { return *ends == int(n); });
        const int index = index_after_ends[n - 1];
        const std::string& song = (*tw)->song_names[std::max(index, 1)];
        EXPECT_EQ(state(*tw), want((sequence ? kSeq : "") + song, index, song, sequence ? " 101 " : " 0 ")) << n;
    }
}

}  // namespace

// The three cases stand apart, so that their seconds of waiting run side by side.
TEST(Music, SequenceMovesOnAtEachEndAndWrapsAround) {
    ends_lead_to({{"alpha.mid", kShortSong}, {"beta.mid", kShortSong}}, true, {2, 1});
}
TEST(Music, ChosenSongPlaysAgainAtEachEnd) { ends_lead_to({{"solo.mid", kShortSong}}, false, {0, 0}); }
TEST(Music, SequenceOfOneSongPlaysItAgain) { ends_lead_to({{"solo.mid", kShortSong}}, true, {1}); }

// Only "None" and "SEQUENTIAL MODE" come back: a saved 101 survives other saves and starts the
// sequence at song 1 before the window shows; any other value checks nothing and is saved as 0.
// With no songs (no folder, an empty one, or names without ".mid") the menu holds "None" and
// "SEQUENTIAL MODE" only, and the sequence keeps its mark and plays nothing.
TEST(Music, SavedModeComesBackAtTheNextStart) {
    const std::vector<Song> alpha{{"alpha.mid"}}, none{}, upper{{"song.MID"}};
    const std::string seq = "SEQUENTIAL MODE";
    const struct { std::string line; const std::vector<Song>& songs; bool folder;
                   std::string marks; int index; std::string song, saved, next_marks; } cases[] = {
        {" 0 ", alpha, true, "None", 0, "", " 0 ", "None"}, {" 5 ", alpha, true, "", 5, "", " 0 ", "None"},
        {" 101 ", alpha, true, kSeq + "alpha", 1, "alpha", " 101 ", kSeq + "alpha"},
        {" 101 ", none, false, seq, 0, "", " 101 ", seq}, {" 101 ", none, true, seq, 0, "", " 101 ", seq},
        {" 101 ", upper, true, seq, 0, "", " 101 ", seq},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line + (c.songs.empty() ? (c.folder ? "empty folder" : "no folder") : c.songs[0].name));
        auto tw = started(c.songs, c.line, c.folder);
        EXPECT_EQ(state(*tw), want(c.marks, c.index, c.song, c.line));  // the window has not shown yet
        EXPECT_TRUE(&c.songs == &alpha || !((*tw)->song_count() || (*tw)->canzoni[1]->Visible() || (*tw)->MMC1.is_open()));
        (*tw)->velocità_gioco[3].Click();
        EXPECT_EQ(state(*tw), want(c.marks, c.index, c.song, c.saved));
        auto next = started(c.songs, tw->dir.read(kSettings), c.folder);  // the next run
        EXPECT_EQ(state(*next), want(c.next_marks, c.index == 1, c.song, c.saved));
    }
}

// Songs that cannot be played, are too big, or have gone leave the marks as chosen and the
// music off, and never raise an end that would start a song again and again; the game goes on.
// A song that the player ends almost at once is unplayable too.
TEST(Music, UnplayableSongStopsTheMusicWithoutAnEnd) {
    std::string noise;
    for (int i = 0; i < 4000; ++i) noise.push_back(char((i * 7919 + 13) % 251));
    const std::string song = song_bytes(kShortSong);
    const struct { const char* what; std::string bytes; std::uintmax_t size = 0; bool removed = false; } cases[] = {
        {"random bytes", noise}, {"empty", ""}, {"MIDI header and garbage: ends at once", "MThd" + noise},
        {"a song cut short: ends at once", song.substr(0, song.size() - 10)},
        {"a song padded past 2 MiB", song, (2 << 20) + 1}, {"removed after start-up", song, 0, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto tw = started({{"broken.mid", 0, c.bytes}}, " 0 ");
        const auto ends = count_ends(**tw);
        if (c.size) std::filesystem::resize_file(tw->dir.path() / "music/broken.mid", c.size);
        if (c.removed) std::filesystem::remove(tw->dir.path() / "music/broken.mid");
        (*tw)->all[0].Click();
        pump(120);
        EXPECT_EQ(state(*tw), "SEQUENTIAL MODE,broken #1  | 101 \r\n");
        (*tw)->canzoni[1]->Click();
        pump(120);
        EXPECT_EQ(state(*tw), "broken #0  | 0 \r\n");
        EXPECT_EQ(*ends, 0);
        (*tw)->ritardo(0.1);
    }
}
