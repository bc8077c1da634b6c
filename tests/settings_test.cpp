// The settings file (its exact format, the round trip, every kind of bad file) and the play
// rate and card rustle options, whose marks carry the state and whose choice saves it.
#include <QByteArray>
#include <gtest/gtest.h>

#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "media/names.h"
#include "test_window.h"

using testing_support::TempDir;
using testing_support::TestWindow;
using media::kNameLimit;
using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

const std::string kFile = "dolvset.kvq";
using Names = std::array<std::string, 5>;

// What the first save of a fresh window at play rate High writes.
const std::string kSaved = " 3 \r\n 1 \r\nYou\r\nRight\r\nTop\r\nLeft\r\n 0 \r\n";
const std::optional<fs::path> nowhere;

// An older settings file, with a mode the save must keep.
fs::path old_file(const fs::path& file) {
    std::ofstream(file, std::ios::binary) << " 1 \r\n 0 \r\nA\r\nB\r\nC\r\nD\r\n 101 \r\n";
    fs::permissions(file, fs::perms(0604));
    return file;
}

// The bytes repeated n times.
std::string times(int n, const std::string& s) { return QByteArray::fromStdString(s).repeated(n).toStdString(); }

// Every item of a group carries a check box, and only the chosen one is checked.
void expect_marks(frmGioco& w, int song) {
    const auto mark = [](const ui::MenuItem& item, bool chosen) { return item.Checkable() && item.Checked() == chosen; };
    for (int i = 1; i <= 3; ++i) EXPECT_TRUE(mark(w.velocità_gioco[i], i == w.play_rate)) << "rate " << i;
    for (int i = 0; i <= 1; ++i) EXPECT_TRUE(mark(w.menu_card_rustle[i], i == w.card_rustle)) << "rustle " << i;
    EXPECT_TRUE(mark(w.all[0], song == 101) && mark(w.nomusic[0], song == 0)) << "music";
}

// What start-up makes of good, short, odd and bad files: what can be read is kept, the rest
// takes the defaults 2, 1, You, Right, Top, Left, 0. Only a regular file is read, and without
// waiting: a FIFO, a device or a folder in its place is left as it is.
TEST(SettingsFile, ReaderKeepsWhatItCanAndDefaultsTheRest) {
    // No names: any names, as long as the name rule holds for them.
    // No bytes: no file, or what make puts in its place.
    struct Case { std::string what; std::optional<std::string> bytes; int rate, rustle; std::optional<Names> names;
                  int song; std::function<void(const fs::path&)> make = nullptr; };
    const Names defaults{"", "You", "Right", "Top", "Left"}, abcd{"", "A", "B", "C", "D"};
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary.push_back(char((i * 37) % 256));
    std::vector<Case> cases = {
        {"missing", std::nullopt, 2, 1, defaults, 0},
        {"empty", "", 2, 1, defaults, 0},
        {"short", " 3 \r\n 0 \r\nMaria\r\n", 3, 0, Names{"", "Maria", "Right", "Top", "Left"}, 0},
        {"blanks and extra lines", "3\r\n\t1  \r\nA\r\nB\r\nC\r\nD\r\n  101\r\nextra\r\n", 3, 1, abcd, 101},
        {"bare line feeds", " 1 \n 0 \nA\nB\nC\nD\n 0 \n", 1, 0, abcd, 0},
        // Each line in its own character set: one byte that is not UTF-8 spoils no other line.
        {"Latin-1 beside UTF-8", " 2 \r\n 1 \r\nNicol\xF2\r\nZo\xC3\xAB\r\nC\r\nD\r\n 0 \r\n", 2, 1,
         Names{"", "Nicolò", "Zoë", "C", "D"}, 0},
        // Only the head of the file is read: the lines after a huge one are not.
        {"1 MB line", " 1 \r\n 0 \r\n" + std::string(1 << 20, 'x') + "\r\nB\r\nC\r\nD\r\n 101 \r\n", 1, 0,
         Names{"", std::string(kNameLimit, 'x'), "Right", "Top", "Left"}, 0},
        {"byte-order mark", "\xEF\xBB\xBF 3 \r\n 0 \r\nA\r\nB\r\nC\r\nD\r\n 101 \r\n", 3, 0, abcd, 101},
        {"controls in names", " 2 \r\n 1 \r\nA\tx\r\nB\xC2\x85y\r\n\xE2\x80\xAE" "C\r\nD\x00z\r\n 0 \r\n"s, 2, 1,
         Names{"", "Ax", "By", "C", "Dz"}, 0},
        {"binary", binary, 2, 1, std::nullopt, 0},
        {"FIFO", {}, 2, 1, defaults, 0, [](const fs::path& p) { ASSERT_EQ(mkfifo(p.c_str(), 0644), 0); }},
        {"link to /dev/zero", {}, 2, 1, defaults, 0, [](const fs::path& p) { fs::create_symlink("/dev/zero", p); }},
        {"folder", {}, 2, 1, defaults, 0, [](const fs::path& p) { fs::create_directory(p); }},
    };
    // Out of range or garbled numbers: rustle 7 and song x never fit.
    for (const char* rate : {" 0 ", " 4 ", "-1", " 2.5 ", "abc", "", "99999999999999999999", "2 3"})
        cases.push_back({rate, rate + "\r\n 7 \r\nA\r\nB\r\nC\r\nD\r\n x \r\n"s, 2, 1, abcd, 0});
    // A character cut by the read limit leaves the file UTF-8: the padding moves the cut through
    // every byte of a three-byte character.
    const std::string euro = "\xE2\x82\xAC";
    for (const std::string pad : {"", "x", "xx"})
        cases.push_back({"cut after padding " + pad, " 2 \r\n 1 \r\nZo\xC3\xAB" + pad + "\r\n" + times(40000, euro), 2, 1,
                         Names{"", "Zo\xC3\xAB" + pad, times(kNameLimit, euro), "Top", "Left"}, 0});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestWindow tw(false);
        const fs::path path = tw.dir.path() / kFile;
        if (c.bytes) tw.dir.write(kFile, *c.bytes);
        if (c.make) c.make(path);
        const fs::file_type type = fs::symlink_status(path).type();
        alarm(5);  // a read that hangs would hold the whole suite: the alarm ends the program instead
        tw->Form_Load();
        alarm(0);
        EXPECT_EQ(fs::symlink_status(path).type(), type) << "start-up left the file as it was";
        EXPECT_EQ(std::pair(int(tw->play_rate), int(tw->card_rustle)), std::pair(c.rate, c.rustle));
        for (int i = 0; i <= 4; ++i)
            EXPECT_EQ(tw->player_names[i], c.names ? (*c.names)[i] : media::clean_name(tw->player_names[i]));
        expect_marks(*tw, c.song);  // the music mode read shows once start-up has acted on it
    }
}

// The name rule of the file and the name boxes: at most twenty characters, cut where a
// character ends (also one outside the Basic Multilingual Plane, or a letter and its accent),
// and nothing that steers text instead of showing it.
TEST(NameRule, CutsWholeCharactersAndKeepsControlsOut) {
    const std::string x19(19, 'x'), grin = "\xF0\x9F\x98\x80";  // U+1F600
    const struct { const char* what; std::string in, out; } cases[] = {
        {"kept as typed", " Élodie O'Brien \"J\" ", " Élodie O'Brien \"J\" "},
        {"cut after a pair of code units", "a" + times(20, grin), "a" + times(19, grin)},
        {"accent kept with its letter", x19 + "xe\xCC\x81", x19 + "x"},
        {"accent beyond the cut", x19 + "e\xCC\x81", x19},
        // C0, DEL, C1 (its line break too), bidirectional embedding, override and isolates,
        // line and paragraph separators.
        {"controls", "a\tb\r\nc\x01" "d\x7f" "e\xC2\x80" "f\xC2\x85" "g\xC2\x9F" "h\xE2\x80\xAA" "i\xE2\x80\xAE"
                     "j\xE2\x81\xA6" "k\xE2\x81\xA9" "l\xE2\x80\xA8" "m\xE2\x80\xA9" "n", "abcdefghijklmn"},
        {"controls do not count", std::string(30, '\x01') + std::string(kNameLimit, 'q'), std::string(kNameLimit, 'q')},
        {"not UTF-8", "a\xFF" "b", "a\xEF\xBF\xBD" "b"},
    };
    for (const auto& c : cases) EXPECT_EQ(media::clean_name(c.in), c.out) << c.what;
}

// A shared install: the folder takes no new file, but the file itself may be written. The save
// then writes over the file, in the same format; through a link, that is the target in its own
// folder, even where the link's folder would take a new file. Root passes over permission bits,
// so the save runs with another user's file rights there.
TEST(SettingsFile, FolderThatTakesNoNewFileGetsTheFileWrittenInPlace) {
    for (const bool linked : {false, true}) {
        SCOPED_TRACE(linked ? "through a link" : "the file itself");
        TestWindow tw;
        TempDir other;
        const fs::path folder = linked ? other.path() : tw.dir.path();
        const fs::path target = folder / (linked ? "conf" : kFile);
        std::ofstream(target, std::ios::binary) << " 1 \r\n 0 \r\nA\r\nB\r\nC\r\nD\r\n 101 \r\n"
                                                << "an older, longer tail\r\n";
        fs::permissions(target, fs::perms(0666));
        if (linked) fs::create_symlink(target, tw.dir.path() / kFile), fs::permissions(tw.dir.path(), fs::perms(0777));
        fs::permissions(folder, fs::perms(0555));
        struct Restore {
            const fs::path& dir;
            uid_t rights = setfsuid(geteuid() == 0 ? 65534 : geteuid());
            ~Restore() { setfsuid(rights), fs::permissions(dir, fs::perms(0755)); }
        } restore{folder};
        if (std::ofstream(folder / "probe")) {
            fs::remove(folder / "probe");
            GTEST_SKIP() << "this user can make files in a read-only folder";
        }
        tw->velocità_gioco[3].Click();
        EXPECT_EQ(tw.dir.read(kFile), kSaved);
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1);
        EXPECT_EQ(std::distance(fs::directory_iterator(tw.dir.path()), {}), 1);
        EXPECT_EQ(fs::is_symlink(tw.dir.path() / kFile), linked);
    }
}

// A save cut short by the end of a run leaves its temporary file; the next start or save
// removes it. A young one (a save under way in a second copy of the game) and files that are
// not ours stay. They are looked for where a save makes them: through a link, beside its target.
TEST(SettingsFile, StaleTemporaryFilesGoAtStartAndAtTheNextSave) {
    for (const bool linked : {false, true}) {
        SCOPED_TRACE(linked ? "through a link" : "the file itself");
        TestWindow tw(false);
        TempDir other;
        const fs::path folder = linked ? other.path() : tw.dir.path();
        if (linked) fs::create_symlink(folder / "conf", tw.dir.path() / kFile);
        const auto age = [&](const std::string& name, int seconds) {
            std::ofstream(folder / name) << " 1 \r\n";
            fs::last_write_time(folder / name, fs::file_time_type::clock::now() - std::chrono::seconds(seconds));
        };
        for (const char* old : {".dolvset.kvq.Ab12Cd", ".dolvset.kvq.notours", "dolvset.kvq.Ab12Cd"}) age(old, 3600);
        age(".dolvset.kvq.young1", 0);
        tw->Form_Load();
        EXPECT_FALSE(fs::exists(folder / ".dolvset.kvq.Ab12Cd"));
        for (const char* kept : {".dolvset.kvq.young1", ".dolvset.kvq.notours", "dolvset.kvq.Ab12Cd"})
            EXPECT_TRUE(fs::exists(folder / kept)) << kept;
        age(".dolvset.kvq.young1", 3600);
        tw->Set_Write();
        EXPECT_FALSE(fs::exists(folder / ".dolvset.kvq.young1"));
    }
}

// A choice moves the only mark and saves; choosing the checked item again changes nothing. The
// card rustle choice hides the info overlay, a play rate choice leaves it. A save writes seven
// CR LF lines (numbers with a blank before and after, names as they are) to a new file and puts
// it in the old one's place: the old file is never written over, so a crash in the middle of a
// save cannot leave it cut short. Read back, it gives every value again.
TEST(SettingsFile, ChoiceMovesTheMarkAndSavesSevenLinesByReplacingTheFile) {
    TestWindow tw;
    const std::string old = " 1 \r\n 1 \r\nA\r\nB\r\nC\r\nD\r\n 0 \r\n";
    tw.dir.write(kFile, old);
    fs::create_hard_link(tw.dir.path() / kFile, tw.dir.path() / "old");
    const Names names{"", "Élodie", " spaced ", "", "Zoë"};
    tw->player_names = names;
    tw->all[0].SetChecked(true);  // as choosing "SEQUENTIAL MODE" leaves the marks
    tw->nomusic[0].SetChecked(false);
    tw->Text4.Show();
    tw->velocità_gioco[1].Click();
    EXPECT_TRUE(tw->Text4.Visible());
    tw->menu_card_rustle[0].Click();
    EXPECT_FALSE(tw->Text4.Visible());
    for (int twice = 0; twice < 2; ++twice) {
        tw->velocità_gioco[3].Click();
        EXPECT_EQ(std::pair(int(tw->play_rate), int(tw->card_rustle)), std::pair(3, 0));
        expect_marks(*tw, 101);
        EXPECT_EQ(tw.dir.read(kFile), " 3 \r\n 0 \r\nÉlodie\r\n spaced \r\n\r\nZoë\r\n 101 \r\n");
    }
    EXPECT_EQ(tw.dir.read("old"), old) << "the old file was written over";
    tw->Set_Read();
    EXPECT_EQ(std::tuple(int(tw->play_rate), int(tw->card_rustle), tw->player_names, int(tw->song_index)),
              std::tuple(3, 0, names, 101));
}

// Every entry of the folders: its type and, for a link, where it points.
std::map<fs::path, std::pair<fs::file_type, fs::path>> entries(const std::vector<fs::path>& folders) {
    std::map<fs::path, std::pair<fs::file_type, fs::path>> found;
    for (const fs::path& folder : folders)
        for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
            const fs::file_type type = e.symlink_status().type();
            found[e.path()] = {type, type == fs::file_type::symlink ? fs::read_symlink(e.path()) : fs::path()};
        }
    return found;
}

// A save writes through a symbolic link (absolute, relative to the link's own folder, a chain,
// one whose target is still missing): the link stays, its target holds the seven lines, and
// nothing else changes in either folder. A replaced file keeps its mode; a new one gets 0666
// less the umask. What is not a regular file (a device, a FIFO, a folder, a loop of links) is
// never written into or replaced, and the window keeps its values.
TEST(SettingsFile, SaveWritesThroughLinksAndNeverReplacesWhatIsNotAFile) {
    struct Umask { mode_t old = umask(002); ~Umask() { umask(old); } } umask_002;
    using Make = std::function<std::optional<fs::path>(const fs::path& settings, const fs::path& other)>;
    const struct Case { const char* what; Make make; fs::perms mode = fs::perms(0664); } cases[] = {
        {"new file", [](auto& p, auto&) { return p; }},
        {"file", [](auto& p, auto&) { return old_file(p); }, fs::perms(0604)},
        {"link to a file in another folder",
         [](auto& p, auto& o) { fs::create_symlink(o / "conf", p); return old_file(o / "conf"); }, fs::perms(0604)},
        {"relative link",
         [](auto& p, auto& o) { fs::create_symlink(".." / o.filename() / "conf", p); return old_file(o / "conf"); },
         fs::perms(0604)},
        {"chain, its second link relative to its own folder",
         [](auto& p, auto& o) {
             fs::create_symlink(o / "hop", p), fs::create_symlink("conf", o / "hop");
             return old_file(o / "conf");
         }, fs::perms(0604)},
        {"dangling link", [](auto& p, auto& o) { fs::create_symlink(o / "new", p); return o / "new"; }},
        {"link to /dev/null", [](auto& p, auto&) { fs::create_symlink("/dev/null", p); return nowhere; }},
        {"FIFO", [](auto& p, auto&) { EXPECT_EQ(mkfifo(p.c_str(), 0644), 0); return nowhere; }},
        {"folder", [](auto& p, auto&) { fs::create_directory(p); return nowhere; }},
        {"link to a folder", [](auto& p, auto& o) { fs::create_symlink(o, p); return nowhere; }},
        {"loop of links",
         [](auto& p, auto& o) {
             fs::create_symlink(o / "loop", p), fs::create_symlink(p, o / "loop");
             return nowhere;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestWindow tw;
        TempDir other;
        const fs::path settings = tw.dir.path() / kFile;
        const std::optional<fs::path> target = c.make(settings, other.path());
        auto expected = entries({tw.dir.path(), other.path()});
        if (target) expected[*target] = {fs::file_type::regular, {}};
        tw->velocità_gioco[3].Click();
        EXPECT_EQ(entries({tw.dir.path(), other.path()}), expected);
        EXPECT_EQ(fs::symlink_status("/dev/null").type(), fs::file_type::character);
        for (const fs::directory_entry& e : fs::directory_iterator("/dev"))
            EXPECT_FALSE(e.path().filename().string().starts_with(".dolvset.kvq.")) << e.path();
        if (target) {
            EXPECT_EQ(tw.dir.read(*target), kSaved);  // an absolute path, read as it is
            EXPECT_EQ(fs::status(*target).permissions(), c.mode);
            tw->play_rate = 1;
            tw->Set_Read();
        }
        EXPECT_EQ(tw->play_rate, 3) << "read back through the link, or kept by the window";
    }
}

}  // namespace
