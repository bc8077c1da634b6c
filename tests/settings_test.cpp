// The settings file: its exact format, the round trip, and every kind of bad file.

#include <QString>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "test_window.h"

using testing_support::TempDir;
using testing_support::TestWindow;

namespace {

const char* kFile = "dolvset.kvq";

// A window whose Form_Load reads the given file.
std::unique_ptr<TestWindow> started_with(const std::string& bytes) {
    auto tw = std::make_unique<TestWindow>(false);
    tw->dir.write(kFile, bytes);
    (*tw)->Form_Load();
    return tw;
}

void expect_defaults(frmGioco& w) {
    EXPECT_EQ(w.play_rate, 2);
    EXPECT_EQ(w.card_rustle, 1);
    EXPECT_EQ(w.player_names[1], "You");
    EXPECT_EQ(w.player_names[2], "Right");
    EXPECT_EQ(w.player_names[3], "Top");
    EXPECT_EQ(w.player_names[4], "Left");
    EXPECT_EQ(w.song_index, 0);
}

}  // namespace

TEST(SettingsFile, WritesSevenLinesByteForByte) {
    TestWindow tw;
    tw->play_rate = 3;
    tw->card_rustle = 0;
    tw->player_names = {"", "Anna", "", "Bruno Rossi", "Carla"};
    tw->all[0].SetChecked(true);
    tw->Set_Write();
    EXPECT_EQ(tw.dir.read(kFile), " 3 \r\n 0 \r\nAnna\r\n\r\nBruno Rossi\r\nCarla\r\n 101 \r\n");

    tw->all[0].SetChecked(false);
    tw->Set_Write();
    EXPECT_EQ(tw.dir.read(kFile), " 3 \r\n 0 \r\nAnna\r\n\r\nBruno Rossi\r\nCarla\r\n 0 \r\n");
}

TEST(SettingsFile, RoundTripKeepsEveryValue) {
    TestWindow first;
    first->play_rate = 1;
    first->card_rustle = 0;
    first->player_names = {"", "Élodie", " spaced ", "", "Zoë"};
    first->all[0].SetChecked(true);
    first->Set_Write();

    TestWindow second(false);
    second.dir.write(kFile, first.dir.read(kFile));
    second->Form_Load();
    EXPECT_EQ(second->play_rate, 1);
    EXPECT_EQ(second->card_rustle, 0);
    EXPECT_EQ(second->player_names[1], "Élodie");
    EXPECT_EQ(second->player_names[2], " spaced ");
    EXPECT_EQ(second->player_names[3], "");
    EXPECT_EQ(second->player_names[4], "Zoë");
    EXPECT_EQ(second->song_index, 101);
}

TEST(SettingsFile, ReaderIgnoresBlanksAndExtraLines) {
    auto tw = started_with("3\r\n\t1  \r\nA\r\nB\r\nC\r\nD\r\n  101\r\nextra\r\nmore lines\r\n");
    EXPECT_EQ((*tw)->play_rate, 3);
    EXPECT_EQ((*tw)->card_rustle, 1);
    EXPECT_EQ((*tw)->player_names[4], "D");
    EXPECT_EQ((*tw)->song_index, 101);
    // The next save drops what was added by hand.
    (*tw)->Set_Write();
    EXPECT_EQ(tw->dir.read(kFile), " 3 \r\n 1 \r\nA\r\nB\r\nC\r\nD\r\n 0 \r\n");
}

TEST(SettingsFile, AcceptsBareLineFeeds) {
    auto tw = started_with(" 1 \n 0 \nA\nB\nC\nD\n 0 \n");
    EXPECT_EQ((*tw)->play_rate, 1);
    EXPECT_EQ((*tw)->player_names[1], "A");
    EXPECT_EQ((*tw)->player_names[4], "D");
}

TEST(SettingsFile, MissingOrEmptyFileGivesDefaults) {
    TestWindow missing;
    expect_defaults(*missing);
    auto empty = started_with("");
    expect_defaults(**empty);
}

TEST(SettingsFile, ShortFileKeepsWhatItHasAndDefaultsTheRest) {
    auto tw = started_with(" 3 \r\n 0 \r\nMaria\r\n");
    EXPECT_EQ((*tw)->play_rate, 3);
    EXPECT_EQ((*tw)->card_rustle, 0);
    EXPECT_EQ((*tw)->player_names[1], "Maria");
    EXPECT_EQ((*tw)->player_names[2], "Right");
    EXPECT_EQ((*tw)->player_names[4], "Left");
    EXPECT_EQ((*tw)->song_index, 0);
}

TEST(SettingsFile, OutOfRangeOrGarbledNumbersTakeDefaults) {
    for (const char* rate : {" 0 ", " 4 ", "-1", " 2.5 ", "abc", "", "99999999999999999999", "2 3"}) {
        auto tw = started_with(std::string(rate) + "\r\n 7 \r\nA\r\nB\r\nC\r\nD\r\n x \r\n");
        SCOPED_TRACE(rate);
        EXPECT_EQ((*tw)->play_rate, 2);
        EXPECT_EQ((*tw)->card_rustle, 1);
        EXPECT_EQ((*tw)->song_index, 0);
        // The menu marks stand on the valid values, and a pause can be computed.
        EXPECT_TRUE((*tw)->velocità_gioco[2].Checked());
        EXPECT_TRUE((*tw)->menu_card_rustle[1].Checked());
    }
}

TEST(SettingsFile, BinaryAndHugeFilesStartWithSoundValues) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary.push_back(char((i * 37) % 256));
    auto garbage = started_with(binary);
    EXPECT_GE((*garbage)->play_rate, 1);
    EXPECT_LE((*garbage)->play_rate, 3);
    EXPECT_LE((*garbage)->card_rustle, 1);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_LE(QString::fromStdString((*garbage)->player_names[i]).size(), table::kNameLimit);
        EXPECT_EQ((*garbage)->player_names[i].find_first_of("\r\n"), std::string::npos);
    }

    auto huge = started_with(" 1 \r\n 0 \r\n" + std::string(1 << 20, 'x') + "\r\nB\r\nC\r\nD\r\n 0 \r\n");
    EXPECT_EQ((*huge)->play_rate, 1);
    EXPECT_EQ((*huge)->player_names[1], std::string(table::kNameLimit, 'x'));
    EXPECT_EQ((*huge)->player_names[2], "B");
}

TEST(SettingsFile, LatinOneFileIsReadAsLatinOne) {
    // "Nicolò" in Latin-1 is not valid UTF-8.
    auto tw = started_with(" 2 \r\n 1 \r\nNicol\xF2\r\nB\r\nC\r\nD\r\n 0 \r\n");
    EXPECT_EQ((*tw)->player_names[1], "Nicolò");
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
    tw.dir.write(std::string(kFile) + "/keep", "old");
    tw->Set_Write();
    EXPECT_EQ(tw.dir.read(std::string(kFile) + "/keep"), "old");
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(tw.dir.path())) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 1) << "a temporary file was left behind";
}

TEST(SettingsFile, SaveReplacesTheFileWhole) {
    TestWindow tw;
    tw.dir.write(kFile, std::string(10000, 'z'));
    tw->Set_Write();
    EXPECT_EQ(tw.dir.read(kFile), " 2 \r\n 1 \r\nYou\r\nRight\r\nTop\r\nLeft\r\n 0 \r\n");
}
