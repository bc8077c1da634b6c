// The dealer of a draw series: the one highest card number, ties for it repeating the series.
#include <gtest/gtest.h>

#include "test_window.h"

namespace {

// Numbers drawn by seats 1, 2, 3, 4.
std::uint8_t dealer_for(frmGioco& w, std::array<std::uint8_t, 4> by_seat) {
    for (int s = 1; s <= 4; ++s) w.draw_number[s] = by_seat[s - 1];
    w.dealer = 3;  // left from an earlier match: the rule must overwrite it
    w.ord_massimo();
    return w.dealer;
}

TEST(DealerRule, HighestNumberDealsAndATieForItGivesNone) {
    testing_support::TestWindow tw;
    // Re, 7, Re, 3 drawn by seats 2, 3, 4, 1: seats 2 and 4 tie.
    EXPECT_EQ(dealer_for(*tw, {3, 10, 7, 10}), 0);
    // 3, 3, 2, Fante drawn by seats 2, 3, 4, 1: by number, not strength, so the Fante deals.
    EXPECT_EQ(dealer_for(*tw, {8, 3, 3, 2}), 1);
    // A tie below the highest number does not matter, wherever the highest stands.
    EXPECT_EQ(dealer_for(*tw, {5, 5, 9, 1}), 3);
    EXPECT_EQ(dealer_for(*tw, {1, 1, 1, 2}), 4);
    EXPECT_EQ(dealer_for(*tw, {10, 9, 9, 9}), 1);
    EXPECT_EQ(dealer_for(*tw, {4, 6, 4, 4}), 2);
    EXPECT_EQ(dealer_for(*tw, {7, 7, 7, 7}), 0);
}

}  // namespace
