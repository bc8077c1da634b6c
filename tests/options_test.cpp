// The play rate and card rustle options: their marks, their values and the save that follows.

#include <gtest/gtest.h>

#include "test_window.h"

using testing_support::TestWindow;

namespace {
int checked_rates(frmGioco& w) {
    int n = 0;
    for (int i = 1; i <= 3; ++i) n += w.velocità_gioco[i].Checked();
    return n;
}
}  // namespace

TEST(Options, StartUpChecksTheSavedItemsOnly) {
    TestWindow tw(false);
    tw.dir.write("dolvset.kvq", " 3 \r\n 0 \r\nA\r\nB\r\nC\r\nD\r\n 0 \r\n");
    tw->Form_Load();
    EXPECT_TRUE(tw->velocità_gioco[3].Checked());
    EXPECT_EQ(checked_rates(*tw), 1);
    EXPECT_TRUE(tw->menu_card_rustle[0].Checked());
    EXPECT_FALSE(tw->menu_card_rustle[1].Checked());
}

TEST(Options, PlayRateChoiceMovesTheMarkAndSaves) {
    TestWindow tw;
    tw->velocità_gioco[1].Click();
    EXPECT_EQ(tw->play_rate, 1);
    tw->velocità_gioco[3].Click();
    EXPECT_EQ(tw->play_rate, 3);
    EXPECT_TRUE(tw->velocità_gioco[3].Checked());
    EXPECT_EQ(checked_rates(*tw), 1);
    EXPECT_EQ(tw.dir.read("dolvset.kvq").substr(0, 5), " 3 \r\n");
    // Choosing the checked item again keeps the marks and rewrites the same values.
    tw->velocità_gioco[3].Click();
    EXPECT_TRUE(tw->velocità_gioco[3].Checked());
    EXPECT_EQ(checked_rates(*tw), 1);
}

TEST(Options, CardRustleChoiceHidesInfoMarksAndSaves) {
    TestWindow tw;
    tw->Text4.Show();
    tw->menu_card_rustle[0].Click();
    EXPECT_FALSE(tw->Text4.Visible());
    EXPECT_EQ(tw->card_rustle, 0);
    EXPECT_TRUE(tw->menu_card_rustle[0].Checked());
    EXPECT_FALSE(tw->menu_card_rustle[1].Checked());
    EXPECT_EQ(tw.dir.read("dolvset.kvq").substr(5, 5), " 0 \r\n");

    // A play rate choice leaves the info overlay as it is.
    tw->Text4.Show();
    tw->velocità_gioco[2].Click();
    EXPECT_TRUE(tw->Text4.Visible());
}

TEST(Options, SaveCarriesTheSequentialMark) {
    TestWindow tw;
    tw->all[0].SetChecked(true);
    tw->song_index = 4;
    tw->velocità_gioco[2].Click();
    EXPECT_EQ(tw.dir.read("dolvset.kvq"), " 2 \r\n 1 \r\nYou\r\nRight\r\nTop\r\nLeft\r\n 101 \r\n");
}

TEST(CardSound, MissingSoundFileLeavesTheGameSilentAndGoing) {
    TestWindow tw;  // the temporary folder holds no carta.wav
    tw->Apri_suono("carta");
    EXPECT_FALSE(tw->MMCw.is_open());
    tw->suona();
    EXPECT_FALSE(tw->MMCw.is_playing());
    tw->menu_card_rustle[0].Click();
    tw->suona();
    EXPECT_FALSE(tw->MMCw.is_playing());
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
    tw->suona();
    EXPECT_TRUE(tw->MMCw.is_playing());
    EXPECT_EQ(tw->MMCw.From(), 0);
    EXPECT_TRUE(tw->MMCw.is_open()) << "the device stays open";
}
