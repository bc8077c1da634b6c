// The settings file (its exact format, the round trip, every kind of bad file) and the play
// rate and card rustle options, whose marks carry the state and whose choice saves it.
#include <QAction>
#include <QList>
#include <QString>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <future>
#include <optional>
#include <thread>
#include <string>
#include <vector>

#include "media/names.h"
#include "test_window.h"

using testing_support::TempDir;
using testing_support::TestWindow;
using namespace std::string_literals;

namespace {

const std::string kFile = "dolvset.kvq";
using Names = std::array<std::string, 5>;

// A window whose Form_Load reads the given file, or finds none.
std::unique_ptr<TestWindow> started_with(const std::optional<std::string>& bytes) {
    auto tw = std::make_unique<TestWindow>(false);
    if (bytes) tw->dir.write(kFile, *bytes);
    (*tw)->Form_Load();
    return tw;
}

// Runs a step that must return at once; one that hangs would hold the whole suite, so the test
// program ends there with a failure.
void returns_in_time(const std::function<void()>& step) {
    std::promise<void> done;
    std::future<void> returned = done.get_future();
    std::thread runner([&] {
        step();
        done.set_value();
    });
    if (returned.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ADD_FAILURE() << "the step did not return";
        std::fprintf(stderr, "the step did not return within 5 s\n");
        std::_Exit(1);
    }
    runner.join();
}

// Exactly the menu items of the current values are checked.
void expect_marks(frmGioco& w) {
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(w.velocità_gioco[i].Checked(), i == w.play_rate) << "rate " << i;
    for (int i = 0; i <= 1; ++i) EXPECT_EQ(w.menu_card_rustle[i].Checked(), i == w.card_rustle) << "rustle " << i;
}

// Seven CR LF lines, numbers with a blank before and after, names as they are; the file is
// replaced whole, and read back it gives every value again.
TEST(SettingsFile, WritesSevenLinesByteForByteAndReadsThemBack) {
    TestWindow tw;
    tw.dir.write(kFile, std::string(10000, 'z'));
    tw->Set_Write();
    EXPECT_EQ(tw.dir.read(kFile), " 2 \r\n 1 \r\nYou\r\nRight\r\nTop\r\nLeft\r\n 0 \r\n");
    tw->play_rate = 3;
    tw->card_rustle = 0;
    tw->player_names = {"", "Élodie", " spaced ", "", "Zoë"};
    tw->all[0].SetChecked(true);
    tw->Set_Write();
    EXPECT_EQ(tw.dir.read(kFile), " 3 \r\n 0 \r\nÉlodie\r\n spaced \r\n\r\nZoë\r\n 101 \r\n");
    auto again = started_with(tw.dir.read(kFile));
    EXPECT_EQ((*again)->play_rate, 3);
    EXPECT_EQ((*again)->card_rustle, 0);
    EXPECT_EQ((*again)->player_names, tw->player_names);
    EXPECT_TRUE((*again)->all[0].Checked());
}

// What start-up makes of good, short, odd and bad files: what can be read is kept, the rest
// takes the defaults 2, 1, You, Right, Top, Left, 0.
TEST(SettingsFile, ReaderKeepsWhatItCanAndDefaultsTheRest) {
    struct Case { const char* what; std::optional<std::string> bytes; int rate, rustle; Names names; int song; };
    const Names defaults{"", "You", "Right", "Top", "Left"}, abcd{"", "A", "B", "C", "D"};
    std::vector<Case> cases = {
        {"missing", std::nullopt, 2, 1, defaults, 0},
        {"empty", "", 2, 1, defaults, 0},
        {"short", " 3 \r\n 0 \r\nMaria\r\n", 3, 0, {"", "Maria", "Right", "Top", "Left"}, 0},
        {"blanks and extra lines", "3\r\n\t1  \r\nA\r\nB\r\nC\r\nD\r\n  101\r\nextra\r\nmore\r\n", 3, 1, abcd, 101},
        {"bare line feeds", " 1 \n 0 \nA\nB\nC\nD\n 0 \n", 1, 0, abcd, 0},
        {"Latin-1, not UTF-8", " 2 \r\n 1 \r\nNicol\xF2\r\nB\r\nC\r\nD\r\n 0 \r\n", 2, 1,
         {"", "Nicolò", "B", "C", "D"}, 0},
        // Only the head of the file is read: the lines after a huge one are not.
        {"1 MB line", " 1 \r\n 0 \r\n" + std::string(1 << 20, 'x') + "\r\nB\r\nC\r\nD\r\n 101 \r\n", 1, 0,
         {"", std::string(kNameLimit, 'x'), "Right", "Top", "Left"}, 0},
        {"byte-order mark", "\xEF\xBB\xBF 3 \r\n 0 \r\nA\r\nB\r\nC\r\nD\r\n 101 \r\n", 3, 0, abcd, 101},
        {"controls in names", " 2 \r\n 1 \r\nA\tx\r\nB\xC2\x85y\r\n\xE2\x80\xAE" "C\r\nD\x00z\r\n 0 \r\n"s, 2, 1,
         {"", "Ax", "By", "C", "Dz"}, 0},
    };
    // Out of range or garbled numbers: rustle 7 and song x never fit.
    for (const char* rate : {" 0 ", " 4 ", "-1", " 2.5 ", "abc", "", "99999999999999999999", "2 3"})
        cases.push_back({rate, std::string(rate) + "\r\n 7 \r\nA\r\nB\r\nC\r\nD\r\n x \r\n", 2, 1, abcd, 0});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto tw = started_with(c.bytes);
        EXPECT_EQ((*tw)->play_rate, c.rate);
        EXPECT_EQ((*tw)->card_rustle, c.rustle);
        EXPECT_EQ((*tw)->player_names, c.names);
        // The music mode read shows as its mark once start-up has acted on it.
        EXPECT_EQ((*tw)->all[0].Checked(), c.song == 101);
        EXPECT_EQ((*tw)->nomusic[0].Checked(), c.song == 0);
        expect_marks(**tw);
    }
}

TEST(SettingsFile, BinaryFileStartsWithSoundValues) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary.push_back(char((i * 37) % 256));
    auto tw = started_with(binary);
    EXPECT_TRUE((*tw)->play_rate >= 1 && (*tw)->play_rate <= 3);
    EXPECT_LE((*tw)->card_rustle, 1);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_LE(QString::fromStdString((*tw)->player_names[i]).toUcs4().size(), kNameLimit);
        EXPECT_EQ((*tw)->player_names[i].find_first_of("\r\n"), std::string::npos);
    }
}

// A file whose last read character was cut by the read limit, or whose over-long line was, is
// still UTF-8: the other names keep their letters. The padding moves the cut through every
// byte of a three-byte character, wherever the limit lies.
TEST(SettingsFile, UtfEightIsDecidedOnTheWholeFileBeforeAnyCut) {
    std::string euros;
    for (int i = 0; i < 40000; ++i) euros += "\xE2\x82\xAC";
    for (const std::string pad : {"", "x", "xx"}) {
        SCOPED_TRACE("padding " + std::to_string(pad.size()));
        auto tw = started_with(" 2 \r\n 1 \r\nZo\xC3\xAB" + pad + "\r\n" + euros + "\r\nC\r\nD\r\n 0 \r\n");
        EXPECT_EQ((*tw)->player_names[1], "Zo\xC3\xAB" + pad);
        std::string twenty;
        for (int i = 0; i < kNameLimit; ++i) twenty += "\xE2\x82\xAC";
        EXPECT_EQ((*tw)->player_names[2], twenty);
    }
}

// The name rule of the file and the name boxes: at most twenty characters, cut where a
// character ends (also one outside the Basic Multilingual Plane, or a letter and its accent),
// and nothing that steers text instead of showing it.
TEST(NameRule, CutsWholeCharactersAndKeepsControlsOut) {
    const std::string x19(19, 'x'), grin = "\xF0\x9F\x98\x80";  // U+1F600
    std::string a_and_grins = "a", grins19;
    for (int i = 0; i < 20; ++i) a_and_grins += grin;
    for (int i = 0; i < 19; ++i) grins19 += grin;
    const struct { const char* what; std::string in, out; } cases[] = {
        {"kept as typed", " Élodie O'Brien \"J\" ", " Élodie O'Brien \"J\" "},
        {"twenty", std::string(kNameLimit, 'z'), std::string(kNameLimit, 'z')},
        {"twenty-one", std::string(kNameLimit + 1, 'z'), std::string(kNameLimit, 'z')},
        {"cut after a pair of code units", a_and_grins, "a" + grins19},
        {"accent kept with its letter", x19 + "xe\xCC\x81", x19 + "x"},
        {"accent beyond the cut", x19 + "e\xCC\x81", x19},
        {"C0, DEL", "a\tb\r\nc\x01" "d\x7f" "e", "abcde"},
        {"C1, its line break too", "a\xC2\x80" "b\xC2\x85" "c\xC2\x9F" "d", "abcd"},
        {"bidirectional embedding, override, isolate",
         "a\xE2\x80\xAA" "b\xE2\x80\xAE" "c\xE2\x81\xA6" "d\xE2\x81\xA9" "e", "abcde"},
        {"line and paragraph separators", "a\xE2\x80\xA8" "b\xE2\x80\xA9" "c", "abc"},
        {"controls do not count", std::string(30, '\x01') + std::string(kNameLimit, 'q'), std::string(kNameLimit, 'q')},
        {"not UTF-8", "a\xFF" "b", "a\xEF\xBF\xBD" "b"},
    };
    for (const auto& c : cases) EXPECT_EQ(media::clean_name(c.in), c.out) << c.what;
}

// Only a regular file is read, and without waiting: a FIFO, a device or a folder in its place
// gives the defaults and is left as it is. A link to a regular file is read.
TEST(SettingsFile, OnlyARegularFileIsRead) {
    const auto make = std::vector<std::pair<const char*, std::function<void(const std::filesystem::path&)>>>{
        {"FIFO", [](const auto& p) { ASSERT_EQ(mkfifo(p.c_str(), 0644), 0); }},
        {"link to /dev/zero", [](const auto& p) { std::filesystem::create_symlink("/dev/zero", p); }},
        {"folder", [](const auto& p) { std::filesystem::create_directory(p); }},
    };
    for (const auto& [what, create] : make) {
        SCOPED_TRACE(what);
        TestWindow tw(false);
        create(tw.dir.path() / kFile);
        tw->play_rate = 0;
        returns_in_time([&] { tw->Set_Read(); });
        EXPECT_EQ(tw->play_rate, 2);
        EXPECT_EQ(tw->player_names[1], "You");
        EXPECT_FALSE(std::filesystem::is_regular_file(tw.dir.path() / kFile));
    }
    TestWindow tw(false);
    tw.dir.write("elsewhere", " 3 \r\n");
    std::filesystem::create_symlink("elsewhere", tw.dir.path() / kFile);
    tw->Set_Read();
    EXPECT_EQ(tw->play_rate, 3);
}

// A save writes a new file and puts it in the old one's place: the old file is never written
// over, so a crash in the middle of a save cannot leave it cut short. Its permissions carry over.
TEST(SettingsFile, SaveReplacesTheFileInsteadOfWritingOverIt) {
    TestWindow tw;
    const std::string old = " 1 \r\n 1 \r\nA\r\nB\r\nC\r\nD\r\n 0 \r\n";
    tw.dir.write(kFile, old);
    std::filesystem::permissions(tw.dir.path() / kFile, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    std::filesystem::create_hard_link(tw.dir.path() / kFile, tw.dir.path() / "old");
    tw->velocità_gioco[3].Click();
    EXPECT_EQ(tw.dir.read("old"), old) << "the old file was written over";
    EXPECT_EQ(tw.dir.read(kFile), " 3 \r\n 1 \r\nYou\r\nRight\r\nTop\r\nLeft\r\n 0 \r\n");
    EXPECT_EQ(std::filesystem::status(tw.dir.path() / kFile).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

// A shared install: the folder takes no new file, but the file itself may be written. The save
// then writes over the file, in the same format. Root passes over permission bits, so the save
// runs with another user's file rights there.
TEST(SettingsFile, FolderThatTakesNoNewFileGetsTheFileWrittenInPlace) {
    TestWindow tw;
    namespace fs = std::filesystem;
    tw.dir.write(kFile, " 1 \r\n 0 \r\nA\r\nB\r\nC\r\nD\r\n 101 \r\nan older, longer tail\r\n");
    fs::permissions(tw.dir.path() / kFile, fs::perms(0666));
    fs::permissions(tw.dir.path(), fs::perms(0555));
    struct Restore {
        const fs::path& dir;
        uid_t rights = setfsuid(geteuid() == 0 ? 65534 : geteuid());
        ~Restore() {
            setfsuid(rights);
            fs::permissions(dir, fs::perms(0755));
        }
    } restore{tw.dir.path()};
    const fs::path probe = tw.dir.path() / "probe";
    if (const int fd = ::open(probe.c_str(), O_CREAT | O_WRONLY | O_EXCL, 0644); fd >= 0) {
        ::close(fd);
        ::unlink(probe.c_str());
        GTEST_SKIP() << "this user can make files in a read-only folder";
    }
    tw->velocità_gioco[3].Click();
    EXPECT_EQ(tw.dir.read(kFile), " 3 \r\n 1 \r\nYou\r\nRight\r\nTop\r\nLeft\r\n 0 \r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(tw.dir.path()), {}), 1);
}

// A save cut short by the end of a run leaves its temporary file; the next start or save
// removes it. A young one (a save under way in a second copy of the game) and files that are
// not ours stay.
TEST(SettingsFile, StaleTemporaryFilesGoAtStartAndAtTheNextSave) {
    namespace fs = std::filesystem;
    TestWindow tw(false);
    const auto age = [&](const std::string& name, int seconds) {
        tw.dir.write(name, " 1 \r\n");
        fs::last_write_time(tw.dir.path() / name, fs::file_time_type::clock::now() - std::chrono::seconds(seconds));
    };
    age(".dolvset.kvq.Ab12Cd", 3600);
    age(".dolvset.kvq.young1", 0);
    age(".dolvset.kvq.notours", 3600);
    age("dolvset.kvq.Ab12Cd", 3600);
    tw->Form_Load();
    EXPECT_FALSE(fs::exists(tw.dir.path() / ".dolvset.kvq.Ab12Cd"));
    for (const char* kept : {".dolvset.kvq.young1", ".dolvset.kvq.notours", "dolvset.kvq.Ab12Cd"})
        EXPECT_TRUE(fs::exists(tw.dir.path() / kept)) << kept;
    age(".dolvset.kvq.young1", 3600);
    tw->Set_Write();
    EXPECT_FALSE(fs::exists(tw.dir.path() / ".dolvset.kvq.young1"));
}

TEST(SettingsFile, UnwritableFolderLeavesTheGameGoing) {
    TempDir holder;
    holder.write("not-a-folder", "x");
    // The program folder lies under a plain file: nothing can ever be written there.
    frmGioco w(holder.path() / "not-a-folder" / "game");
    w.Form_Load();
    w.velocità_gioco_Click(3);
    EXPECT_EQ(w.play_rate, 3);
    EXPECT_TRUE(w.velocità_gioco[3].Checked());
}

TEST(SettingsFile, FailedSaveLeavesNoTraceAndKeepsTheOldFile) {
    TestWindow tw;
    // A folder standing where the file should be: the final step of the save must fail.
    std::filesystem::create_directory(tw.dir.path() / kFile);
    tw.dir.write(kFile + "/keep", "old");
    tw->Set_Write();
    EXPECT_EQ(tw.dir.read(kFile + "/keep"), "old");
    const auto entries = std::distance(std::filesystem::directory_iterator(tw.dir.path()), {});
    EXPECT_EQ(entries, 1) << "a temporary file was left behind";
}

TEST(Options, PlayRateChoiceMovesTheMarkAndSaves) {
    TestWindow tw;
    tw->all[0].SetChecked(true);
    tw->velocità_gioco[1].Click();
    EXPECT_EQ(tw->play_rate, 1);
    for (int again = 0; again < 2; ++again) {  // choosing the checked item again changes nothing
        tw->velocità_gioco[3].Click();
        EXPECT_EQ(tw->play_rate, 3);
        expect_marks(*tw);
        EXPECT_EQ(tw.dir.read(kFile), " 3 \r\n 1 \r\nYou\r\nRight\r\nTop\r\nLeft\r\n 101 \r\n");
    }
}

// Every item of an option group carries a check box from its creation, so a group looks alike
// whichever item is chosen; the mark shown is the menu action's own.
TEST(Options, EveryItemOfAGroupIsCheckableAndOnlyTheChosenOneChecked) {
    TestWindow tw;
    tw->velocità_gioco[1].Click();
    tw->menu_card_rustle[0].Click();
    for (int i = 1; i <= 3; ++i) {
        const QAction* item = tw->velocità_gioco[i].action();
        EXPECT_TRUE(item->isCheckable() && item->isChecked() == (i == 1)) << "rate " << i;
    }
    for (int i = 0; i <= 1; ++i) {
        const QAction* item = tw->menu_card_rustle[i].action();
        EXPECT_TRUE(item->isCheckable() && item->isChecked() == (i == 0)) << "rustle " << i;
    }
    // With no music saved, start-up checks "None" alone.
    EXPECT_TRUE(tw->nomusic[0].action()->isCheckable() && tw->nomusic[0].action()->isChecked());
    EXPECT_TRUE(tw->all[0].action()->isCheckable() && !tw->all[0].action()->isChecked());
}

TEST(Options, CardRustleChoiceHidesInfoMarksAndSaves) {
    TestWindow tw;
    tw->Text4.Show();
    tw->menu_card_rustle[0].Click();
    EXPECT_FALSE(tw->Text4.Visible());
    EXPECT_EQ(tw->card_rustle, 0);
    expect_marks(*tw);
    EXPECT_EQ(tw.dir.read(kFile), " 2 \r\n 0 \r\nYou\r\nRight\r\nTop\r\nLeft\r\n 0 \r\n");
    // A play rate choice leaves the info overlay as it is.
    tw->Text4.Show();
    tw->velocità_gioco[2].Click();
    EXPECT_TRUE(tw->Text4.Visible());
}

}  // namespace
