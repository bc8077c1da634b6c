// Settling a trick (the strongest card of the led suit wins, the trick's points go to the
// winner's hand) and closing a hand: whole points per seat added to the match totals, and the
// score sheet as it appears on the table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "match/scoring.h"
#include "test_window.h"

namespace {

using ui::Rgb;
constexpr Rgb kSheet{192, 255, 192}, kBlack{0, 0, 0}, kDarkRed{192, 0, 0}, kBlue{0, 0, 255}, kTitle{128, 0, 0};
using Names = std::array<std::string, 5>;

using Seats = std::array<std::uint8_t, 5>;

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
    EXPECT_EQ(tw->hand_points[3][3], 0.0f);  // only the current hand's column grows
    // The 3 of Coppe, stronger but of another suit, does not take a Spade trick; right after the
    // Ace of Bastoni, the Ace of Coppe is worth its one point again. (The random hands check
    // every other trick against the rules.)
    tw->hand_number = 5;
    resolve(*tw, 1, {0, 34, 35, 13, 11});
    EXPECT_EQ(tw->current_player, 2);
    EXPECT_NEAR(tw->hand_points[2][5], 4.0 / 3.0, 1e-5);
}

// Points as trick resolution leaves them: whole points plus thirds added one card at a time.
float raw_points(int whole, int thirds) {
    float points = float(whole);
    for (int i = 0; i < thirds; ++i) points += 1.0f / 3.0f;
    return points;
}

TEST(Scoring, HandPointsRoundToTheNearestWholePointAndCellsAreThreeWide) {
    const struct { int whole, thirds; float rounded; } cases[] = {
        {11, 2, 12}, {5, 1, 5}, {3, 2, 4}, {0, 2, 1}, {7, 1, 7}, {20, 2, 21}, {0, 1, 0}, {7, 0, 7}};
    for (const auto& c : cases)
        EXPECT_EQ(scoring::rounded_points(raw_points(c.whole, c.thirds)), c.rounded) << c.whole << " and " << c.thirds << "/3";
    EXPECT_EQ(scoring::score_cell(7), "  7");
    EXPECT_EQ(scoring::score_cell(12), " 12");
    EXPECT_EQ(scoring::score_cell(630), "630");
}

// The sheet after the given hand of a match whose hands 1 to 20 gave every seat 0 points and
// later hands 12.
struct Sheet {
    testing_support::TestWindow tw;
    ui::Surface& s = tw->surface;
    explicit Sheet(int last_hand, const Names& names = {"", "You", "Right", "Top", "Left"}) {
        tw->player_names = names;
        s.SetFontSize(8);
        for (int h = 1; h <= last_hand; ++h)
            for (int seat = 1; seat <= 4; ++seat) {
                tw->hand_points[seat][h] = h <= 20 ? 0 : 12;
                // The last hand is added to the totals by risultato itself.
                if (h < last_hand) tw->match_totals[seat] += std::int16_t(tw->hand_points[seat][h]);
            }
        tw->hand_number = std::uint8_t(last_hand);
        s.Cls();
        tw->risultato();
    }
    float pitch() const { return s.TextHeight() + 2; }
    // How many rows stand on the sheet, by the place of the dark-red line under them.
    int rows() {
        for (float y = 119; y < 600; y += 0.25f)
            if (s.Point(400, y) == kDarkRed) return int(std::lround((y - 118) / pitch()));
        return -1;
    }
    // Whether the sheet shows this text at (x, y), in the current font size: the pixels there
    // match the same text printed afresh at that place on the sheet's ground (an empty text: the
    // ground alone). Overwrites the spot. The top unit is left out: the rule above the first row
    // and the line above the totals run there.
    bool reads(float x, float y, const std::string& text, Rgb colour) {
        const float x2 = x + std::max(s.TextWidth(text), s.TextWidth("000")) + 2;
        const float y1 = y + 1, y2 = y + s.TextHeight() - 1;
        const auto pixels = [&] {
            std::vector<Rgb> v;
            for (float py = y1; py <= y2; py += 0.5f)
                for (float px = x; px <= x2; px += 0.5f) v.push_back(s.Point(px, py));
            return v;
        };
        const std::vector<Rgb> shown = pixels();
        s.FillBox(x, y, x2, y2, kSheet);
        s.ForeColor = colour;
        s.CurrentX = x;
        s.CurrentY = y;
        s.Print(text, false);
        return shown == pixels();
    }
};

TEST(ScoreSheet, FillFramesAndTableAroundIt) {
    Sheet sheet(1);
    const struct { float x, y; Rgb colour; } points[] = {
        {400, 300, kSheet}, {300, 370, kSheet}, {300, 118, kBlack},  // fill and heading rule
        // Black outer frame, dark-red inner frame one unit inside, the table around.
        {222.5f, 300, kBlack}, {577.5f, 300, kBlack}, {400, 97.1875f, kBlack}, {400, 382.8125f, kBlack},
        {223.5f, 300, kDarkRed}, {576.5f, 300, kDarkRed}, {400, 381.875f, kDarkRed}, {300, 98.125f, kDarkRed},
        {220, 300, ui::kTableColour}, {580, 300, ui::kTableColour}, {400, 95, ui::kTableColour},
        {400, 385, ui::kTableColour},
    };
    for (const auto& p : points) EXPECT_EQ(sheet.s.Point(p.x, p.y), p.colour) << p.x << ", " << p.y;
}

// The heads: each player's name in blue from its column's place, in the size the seat names
// left (8), and "SCORES" in dark red at size 10. An empty name leaves its place blank and the
// other names where they are.
TEST(ScoreSheet, HeadsShowTheNamesInTheirColumnsAndTheTitle) {
    for (const Names& names : {Names{"", "Anna", "Bice", "Carla", "Dora"}, Names{"", "", "Bice", "", "Dora"}}) {
        SCOPED_TRACE(names[1].empty() ? "empty names" : "four names");
        Sheet sheet(1, names);
        const float x[] = {0, 244, 314, 459, 529};
        for (int p = 1; p <= 4; ++p) EXPECT_TRUE(sheet.reads(x[p], 100, names[p], kBlue)) << "seat " << p;
        sheet.s.SetFontSize(10);
        EXPECT_TRUE(sheet.reads(375, 98, "SCORES", kTitle));
    }
}

// The rows, in dark red, show at most twenty hands and start again at hand 21 (the first row
// tells which hand it is); the totals, in black under the line, keep every hand.
TEST(ScoreSheet, ShowsAtMostTwentyRowsStartingAgainAtHand21) {
    const struct { int hand, rows; const char *row, *total; } cases[] = {
        {20, 20, "  0", "  0"}, {21, 1, " 12", " 12"}, {25, 5, " 12", " 60"}};
    for (const auto& c : cases) {
        SCOPED_TRACE("hand " + std::to_string(c.hand));
        Sheet sheet(c.hand);
        const float totals_y = 118 + c.rows * sheet.pitch();
        EXPECT_EQ(sheet.rows(), c.rows);
        EXPECT_TRUE(sheet.reads(250, 118, c.row, kDarkRed));                       // first row, seat 1
        EXPECT_TRUE(sheet.reads(534, totals_y - sheet.pitch(), c.row, kDarkRed));  // last row, seat 4
        EXPECT_TRUE(sheet.reads(320, totals_y, c.total, kBlack));
        EXPECT_FALSE(sheet.reads(464, totals_y, "999", kBlack));  // the check can fail
        EXPECT_EQ(sheet.s.FontSize(), 8.0f);
        EXPECT_EQ(sheet.s.ForeColor, kBlack);
    }
}

}  // namespace
