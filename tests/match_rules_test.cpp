// When a match is over: the highest total at 110 or more with one player alone on the lowest,
// or the thirtieth hand played.
#include <gtest/gtest.h>

#include "test_window.h"

namespace {

bool over_after(frmGioco& w, std::array<std::int16_t, 4> totals, std::uint8_t hand = 5) {
    for (int s = 1; s <= 4; ++s) w.match_totals[s] = totals[s - 1];
    w.hand_number = hand;
    w.Ord_Punteggio();
    return w.match_is_over();
}

TEST(EndOfMatch, HighestAt110AndOneLowestEndTheMatch) {
    testing_support::TestWindow tw;
    EXPECT_FALSE(over_after(*tw, {112, 60, 40, 40}));   // lowest shared
    EXPECT_TRUE(over_after(*tw, {130, 70, 45, 41}));
    EXPECT_TRUE(over_after(*tw, {110, 60, 50, 40}));    // exactly 110
    EXPECT_FALSE(over_after(*tw, {109, 60, 50, 40}));
    EXPECT_TRUE(over_after(*tw, {120, 120, 50, 30}));   // a tie above the lowest does not matter
    EXPECT_FALSE(over_after(*tw, {115, 30, 30, 30}));
    // The seats' order does not matter: the totals are sorted first.
    EXPECT_FALSE(over_after(*tw, {40, 112, 40, 60}));
    EXPECT_TRUE(over_after(*tw, {41, 45, 130, 70}));
    EXPECT_TRUE(over_after(*tw, {50, 30, 120, 120}));
}

TEST(EndOfMatch, TheThirtiethHandEndsTheMatchWhateverTheTotals) {
    testing_support::TestWindow tw;
    EXPECT_FALSE(over_after(*tw, {300, 100, 100, 100}, 29));
    EXPECT_TRUE(over_after(*tw, {300, 100, 100, 100}, 30));
    EXPECT_TRUE(over_after(*tw, {60, 50, 50, 50}, 30));
}

TEST(EndOfMatch, TotalsSortHighestFirstAsSixteenBitValues) {
    testing_support::TestWindow tw;
    over_after(*tw, {280, 300, 17, 256});
    EXPECT_EQ(tw->sorted_totals, (std::array<std::int16_t, 5>{0, 300, 280, 256, 17}));
    // The totals themselves keep their seats.
    EXPECT_EQ(tw->match_totals, (std::array<std::int16_t, 5>{0, 280, 300, 17, 256}));

    over_after(*tw, {630, 511, 512, 600});
    EXPECT_EQ(tw->sorted_totals, (std::array<std::int16_t, 5>{0, 630, 600, 512, 511}));
}

TEST(EndOfHandMenu, ContinueAndNewGameOnlyRaiseTheirRequests) {
    testing_support::TestWindow tw;
    tw->dealer = 3;
    tw->hand_number = 4;
    tw->continue_.Click();
    EXPECT_TRUE(tw->continue_requested);
    EXPECT_FALSE(tw->new_game_requested);
    tw->menu_newGame.Click();
    EXPECT_TRUE(tw->new_game_requested);
    EXPECT_EQ(tw->dealer, 3);
    EXPECT_EQ(tw->hand_number, 4);
}

}  // namespace
