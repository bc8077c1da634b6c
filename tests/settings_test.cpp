// The settings file (its exact format, the round trip, every kind of bad file) and the play
// rate and card rustle options, whose marks carry the state and whose choice saves it.
#include <QString>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "test_window.h"

using testing_support::TempDir;
using testing_support::TestWindow;

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
        {"1 MB line", " 1 \r\n 0 \r\n" + std::string(1 << 20, 'x') + "\r\nB\r\nC\r\nD\r\n 0 \r\n", 1, 0,
         {"", std::string(kNameLimit, 'x'), "B", "C", "D"}, 0},
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
        EXPECT_LE(QString::fromStdString((*tw)->player_names[i]).size(), kNameLimit);
        EXPECT_EQ((*tw)->player_names[i].find_first_of("\r\n"), std::string::npos);
    }
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
