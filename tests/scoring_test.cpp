// Settling a trick (the strongest card of the led suit wins, the trick's points go to the
// winner's hand) and the score sheet as it appears on the table.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "probe.h"
#include "test_window.h"

namespace {

using ui::Rgb;
constexpr Rgb kSheet{192, 255, 192}, kBlack{0, 0, 0}, kDarkRed{192, 0, 0}, kBlue{0, 0, 255}, kTitle{128, 0, 0};
using Seats = std::array<std::uint8_t, 5>;

TEST(TrickResolution, WorkedExampleGoesToTheThreeOfDenari) {
    testing_support::TestWindow tw;
    // Plays one trick of the hand: cards by seat 1..4, led by the given seat.
    const auto resolve = [&](int hand, int leader, Seats by_seat) {
        tw->hand_number = std::uint8_t(hand);
        tw->trick_cards = by_seat;
        tw->trick_leader = std::uint8_t(leader);
        tw->current_player = std::uint8_t(leader == 1 ? 4 : leader - 1);  // the last seat to play
        tw->DETERMINO_TURNO();
        return tw->hand_points;
    };
    // Seat 2 leads the 7 of Denari; 3 of Denari, Ace of Bastoni and Re of Denari follow.
    auto others = resolve(4, 2, {0, 10, 7, 3, 21});
    EXPECT_EQ(std::tuple(tw->trick_cards, tw->last_trick_cards),
              std::tuple(Seats{0, 3, 21, 10, 7}, Seats{0, 10, 7, 3, 21}));
    EXPECT_EQ(std::tuple(int(tw->led_suit), int(tw->current_player), int(tw->trick_leader)), std::tuple(1, 3, 3));
    EXPECT_NEAR(std::exchange(others[3][4], 0), 35.0 / 3.0, 1e-5);
    EXPECT_EQ(others, decltype(others){}) << "only the winner's column of the hand grows";
    // The 3 of Coppe, stronger but of another suit, does not take a Spade trick; right after the
    // Ace of Bastoni, the Ace of Coppe is worth its one point again.
    EXPECT_NEAR(resolve(5, 1, {0, 34, 35, 13, 11})[2][5], 4.0 / 3.0, 1e-5);
    EXPECT_EQ(tw->current_player, 2);
}

bool reads(ui::Surface& s, float x, float y, const std::string& text, Rgb colour) {
    return probe::reads(s, x, y, text, colour, kSheet);
}

// The sheet after the given hand of a match whose hands 1 to 20 gave every seat 0 points and
// later hands 12. The heads: each player's name in blue from its column's place, in the size the
// seat names left, an empty name leaving its place blank; "SCORES" in dark red at size 10. The
// rows, in dark red, show at most twenty hands and start again at hand 21; the totals, in black
// under the dark-red line, keep every hand.
TEST(ScoreSheet, HeadsRowsAndTotals) {
    const struct { int hand, rows; const char *row, *total; std::array<std::string, 5> names; } cases[] = {
        {20, 20, "  0", "  0", {"", "Anna", "Bice", "Carla", "Dora"}},
        {21, 1, " 12", " 12", {"", "", "Bice", "", "Dora"}},
        {25, 5, " 12", " 60", {"", "You", "Right", "Top", "Left"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("hand " + std::to_string(c.hand));
        testing_support::TestWindow tw;
        ui::Surface& s = tw->surface;
        tw->player_names = c.names;
        for (int seat = 1; seat <= 4; ++seat) {
            for (int h = 21; h <= c.hand; ++h) tw->hand_points[seat][h] = 12;
            tw->match_totals[seat] = std::int16_t(12 * std::max(0, c.hand - 21));  // risultato adds the last hand
        }
        tw->hand_number = std::uint8_t(c.hand);
        s.SetFontSize(8);  // as the seat names leave it
        s.Cls();
        tw->risultato();
        const float pitch = s.TextHeight() + 2, totals_y = 118 + c.rows * pitch;
        EXPECT_EQ(std::tuple(s.Point(400, totals_y - 0.5f), s.Point(400, totals_y)), std::tuple(kSheet, kDarkRed))
            << "the line under " << c.rows << " rows";
        EXPECT_EQ(std::tuple(s.FontSize(), s.ForeColor), std::tuple(8.0f, kBlack));
        EXPECT_TRUE(reads(s, 250, 118, c.row, kDarkRed));                 // first row, seat 1
        EXPECT_TRUE(reads(s, 534, totals_y - pitch, c.row, kDarkRed));  // last row, seat 4
        EXPECT_TRUE(reads(s, 320, totals_y, c.total, kBlack));
        EXPECT_FALSE(reads(s, 464, totals_y, "999", kBlack));  // the check can fail
        const float x[] = {0, 244, 314, 459, 529};
        for (int p = 1; p <= 4; ++p) EXPECT_TRUE(reads(s, x[p], 100, c.names[p], kBlue)) << "seat " << p;
        s.SetFontSize(10);
        EXPECT_TRUE(reads(s, 375, 98, "SCORES", kTitle));
    }
}

}  // namespace
