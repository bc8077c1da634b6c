// Settling a trick: the strongest card of the led suit wins, the trick's points go to the
// winner's hand, and the trick is kept by seat for the gathering.
#include <gtest/gtest.h>

#include "test_window.h"

namespace {

using Seats = std::array<std::uint8_t, 5>;
const float kThird = 1.0f / 3.0f;

// Plays one trick: cards by seat 1..4, led by the given seat.
void resolve(frmGioco& w, std::uint8_t leader, Seats by_seat) {
    w.trick_cards = by_seat;
    w.trick_leader = leader;
    w.current_player = leader == 1 ? 4 : leader - 1;  // the last seat to play
    w.DETERMINO_TURNO();
}

TEST(TrickResolution, WorkedExampleGoesToTheThreeOfDenari) {
    testing_support::TestWindow tw;
    tw->hand_number = 4;
    // Seat 2 leads the 7 of Denari; 3 of Denari, Ace of Bastoni and Re of Denari follow.
    resolve(*tw, 2, {0, 10, 7, 3, 21});
    EXPECT_EQ(tw->trick_cards, (Seats{0, 3, 21, 10, 7}));
    EXPECT_EQ(tw->last_trick_cards, (Seats{0, 10, 7, 3, 21}));
    EXPECT_EQ(tw->led_suit, 1);
    EXPECT_EQ(tw->current_player, 3);
    EXPECT_EQ(tw->trick_leader, 3);
    EXPECT_NEAR(tw->hand_points[3][4], 35.0 / 3.0, 1e-5);
    for (int s : {1, 2, 4}) EXPECT_EQ(tw->hand_points[s][4], 0.0f);
    // Only the current hand's column grows.
    EXPECT_EQ(tw->hand_points[3][3], 0.0f);
}

TEST(TrickResolution, ACardOfAnotherSuitNeverWins) {
    testing_support::TestWindow tw;
    tw->hand_number = 1;
    // The 3 of Coppe on a Spade trick of 4, 5 and 6: the 6 of Spade wins a third.
    resolve(*tw, 1, {0, 34, 35, 13, 36});
    EXPECT_EQ(tw->current_player, 4);
    EXPECT_EQ(tw->trick_leader, 4);
    EXPECT_NEAR(tw->hand_points[4][1], 1.0 / 3.0, 1e-6);

    // Four cards of the led suit: the strongest in the order 3, 2, Ace, Re, ... wins.
    resolve(*tw, 3, {0, 11, 20, 12, 19});   // Ace, Re, 2, Cavallo of Coppe
    EXPECT_EQ(tw->current_player, 3);
    resolve(*tw, 2, {0, 18, 17, 11, 20});   // Fante, 7, Ace, Re
    EXPECT_EQ(tw->current_player, 3);
    resolve(*tw, 4, {0, 4, 5, 6, 7});       // 4 to 7 of Denari
    EXPECT_EQ(tw->current_player, 4);
    EXPECT_EQ(tw->trick_leader, 4);
    EXPECT_NEAR(tw->hand_points[4][1], 1.0 / 3.0, 1e-6);  // that trick added nothing
}

TEST(TrickResolution, AceOfBastoniScoresElevenAndOtherAcesOne) {
    testing_support::TestWindow tw;
    tw->hand_number = 2;
    // Discarded on a Denari trick: the Fante of Denari takes it and its 11 points.
    resolve(*tw, 2, {0, 8, 5, 21, 4});
    EXPECT_EQ(tw->current_player, 1);
    EXPECT_NEAR(tw->hand_points[1][2], 11.0 + 1.0 / 3.0, 1e-5);

    // The next trick's Ace is worth its own point only, even right after the Ace of Bastoni.
    resolve(*tw, 1, {0, 1, 31, 14, 24});
    EXPECT_EQ(tw->current_player, 1);
    EXPECT_NEAR(tw->hand_points[1][2], 11.0 + 1.0 / 3.0 + 2.0, 1e-5);

    // The Ace of Bastoni led and taken by its own suit.
    resolve(*tw, 3, {0, 22, 23, 21, 28});
    EXPECT_EQ(tw->current_player, 2);
    EXPECT_NEAR(tw->hand_points[2][2], 11.0 + 3 * kThird, 1e-5);
}

TEST(TrickResolution, EqualStrengthsKeepTheirSeatOrder) {
    testing_support::TestWindow tw;
    tw->hand_number = 1;
    // Ace of Denari from seat 1 and Ace of Coppe from seat 2.
    resolve(*tw, 3, {0, 1, 11, 34, 35});
    EXPECT_EQ(tw->trick_cards, (Seats{0, 1, 11, 35, 34}));
    EXPECT_EQ(tw->current_player, 4);

    // Three 3s: the Coppe lead wins, the others stay in seat order behind it.
    resolve(*tw, 2, {0, 3, 13, 33, 4});
    EXPECT_EQ(tw->trick_cards, (Seats{0, 3, 13, 33, 4}));
    EXPECT_EQ(tw->current_player, 2);
}

}  // namespace
