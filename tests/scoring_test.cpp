// Closing a hand: whole points per seat added to the match totals, and the score sheet as it
// appears on the table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "match/scoring.h"
#include "test_window.h"

namespace {

using table::Rgb;
constexpr Rgb kSheet{192, 255, 192};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kDarkRed{192, 0, 0};

// Points as trick resolution leaves them: whole points plus thirds added one card at a time.
float raw_points(int whole, int thirds) {
    float points = static_cast<float>(whole);
    for (int i = 0; i < thirds; ++i) points += 1.0f / 3.0f;
    return points;
}

void score_hand(frmGioco& w, std::uint8_t hand, std::array<float, 4> raw) {
    w.hand_number = hand;
    for (int s = 1; s <= 4; ++s) w.hand_points[s][hand] = raw[s - 1];
    w.risultato();
}

std::array<float, 4> column(const frmGioco& w, int hand) {
    return {w.hand_points[1][hand], w.hand_points[2][hand], w.hand_points[3][hand], w.hand_points[4][hand]};
}

TEST(Scoring, RoundsEachSeatsPointsAndAddsThemToTheTotals) {
    testing_support::TestWindow tw;
    score_hand(*tw, 1, {raw_points(11, 2), raw_points(5, 1), raw_points(3, 2), 0});
    EXPECT_EQ(column(*tw, 1), (std::array<float, 4>{12, 5, 4, 0}));
    EXPECT_EQ(tw->match_totals, (std::array<std::int16_t, 5>{0, 12, 5, 4, 0}));

    score_hand(*tw, 2, {raw_points(6, 2), raw_points(6, 2), raw_points(6, 2), raw_points(0, 2)});
    EXPECT_EQ(column(*tw, 2), (std::array<float, 4>{7, 7, 7, 1}));
    EXPECT_EQ(tw->match_totals, (std::array<std::int16_t, 5>{0, 19, 12, 11, 1}));

    score_hand(*tw, 3, {raw_points(7, 1), raw_points(6, 1), raw_points(7, 0), 0});
    EXPECT_EQ(column(*tw, 3), (std::array<float, 4>{7, 6, 7, 0}));
    EXPECT_EQ(tw->match_totals, (std::array<std::int16_t, 5>{0, 26, 18, 18, 1}));

    // Earlier columns are left as they were.
    EXPECT_EQ(column(*tw, 1), (std::array<float, 4>{12, 5, 4, 0}));
}

TEST(Scoring, ExactHalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(scoring::rounded_points(0.5f), 0.0f);
    EXPECT_EQ(scoring::rounded_points(2.5f), 2.0f);
    EXPECT_EQ(scoring::rounded_points(3.5f), 4.0f);
    EXPECT_EQ(scoring::rounded_points(raw_points(20, 2)), 21.0f);
    EXPECT_EQ(scoring::rounded_points(raw_points(0, 1)), 0.0f);
}

TEST(Scoring, CellsAreThreeCharactersRightAligned) {
    EXPECT_EQ(scoring::score_cell(0), "  0");
    EXPECT_EQ(scoring::score_cell(7), "  7");
    EXPECT_EQ(scoring::score_cell(12), " 12");
    EXPECT_EQ(scoring::score_cell(105), "105");
    EXPECT_EQ(scoring::score_cell(630), "630");
}

// The sheet drawn for a given hand of a match whose every hand gave these points.
struct Sheet {
    testing_support::TestWindow tw;
    Sheet(std::uint8_t last_hand, int early_points, int late_points) {
        tw->player_names = {"", "You", "Right", "Top", "Left"};
        tw->surface.SetFontSize(8);
        for (int h = 1; h <= last_hand; ++h) {
            const float p = static_cast<float>(h <= 20 ? early_points : late_points);
            tw->hand_number = static_cast<std::uint8_t>(h);
            for (int s = 1; s <= 4; ++s) {
                tw->hand_points[s][h] = p;
                tw->match_totals[s] = static_cast<std::int16_t>(tw->match_totals[s] + p);
            }
        }
        // The last hand is scored by risultato itself.
        for (int s = 1; s <= 4; ++s) tw->match_totals[s] = static_cast<std::int16_t>(tw->match_totals[s] - tw->hand_points[s][last_hand]);
        tw->surface.Cls();
        tw->risultato();
    }
    table::Surface& surface() { return tw->surface; }
};

// The y of the dark-red line under the rows: the first dark-red pixel below the heading rule
// in a column that no cell reaches.
float closing_line_y(table::Surface& s) {
    for (float y = 119; y < 600; y += 0.25f)
        if (s.Point(400, y) == kDarkRed) return y;
    return -1;
}

TEST(ScoreSheet, FillAndFramesStandAtTheirCorners) {
    Sheet sheet(1, 0, 0);
    auto& s = sheet.surface();
    EXPECT_EQ(s.Point(400, 300), kSheet);
    EXPECT_EQ(s.Point(300, 370), kSheet);
    // Black outer frame on all four sides.
    EXPECT_EQ(s.Point(222.5f, 300), kBlack);
    EXPECT_EQ(s.Point(577.5f, 300), kBlack);
    EXPECT_EQ(s.Point(400, 97.1875f), kBlack);
    EXPECT_EQ(s.Point(400, 382.8125f), kBlack);
    // Dark-red inner frame one unit inside.
    EXPECT_EQ(s.Point(223.5f, 300), kDarkRed);
    EXPECT_EQ(s.Point(576.5f, 300), kDarkRed);
    EXPECT_EQ(s.Point(400, 381.875f), kDarkRed);
    EXPECT_EQ(s.Point(300, 98.125f), kDarkRed);
    // The table shows around the sheet.
    EXPECT_EQ(s.Point(220, 300), table::kTableColour);
    EXPECT_EQ(s.Point(580, 300), table::kTableColour);
    EXPECT_EQ(s.Point(400, 95), table::kTableColour);
    EXPECT_EQ(s.Point(400, 385), table::kTableColour);
    // The heading rule in black.
    EXPECT_EQ(s.Point(300, 118), kBlack);
}

// Whether the sheet shows this text at (x, y): the pixels there match the same text printed
// afresh at the same place on the sheet's ground. Overwrites that spot. The top unit is left
// out: the rule above the first row and the line above the totals run there.
bool reads(table::Surface& s, float x, float y, const std::string& text, Rgb colour) {
    const float x2 = x + s.TextWidth("000"), y1 = y + 1, y2 = y + s.TextHeight() - 1;
    std::vector<Rgb> shown, expected;
    for (float py = y1; py <= y2; py += 0.5f)
        for (float px = x; px <= x2; px += 0.5f) shown.push_back(s.Point(px, py));
    s.FillBox(x, y, x2, y2, kSheet);
    s.ForeColor = colour;
    s.CurrentX = x;
    s.CurrentY = y;
    s.Print(text, false);
    for (float py = y1; py <= y2; py += 0.5f)
        for (float px = x; px <= x2; px += 0.5f) expected.push_back(s.Point(px, py));
    return shown == expected;
}

// How many rows stand on the sheet, by the place of the line under them.
int row_count(table::Surface& s) {
    return static_cast<int>(std::lround((closing_line_y(s) - 118) / (s.TextHeight() + 2)));
}

TEST(ScoreSheet, HandRowsInDarkRedAndTotalsInBlackUnderTheLine) {
    Sheet sheet(2, 12, 12);
    auto& s = sheet.surface();
    EXPECT_EQ(s.FontSize(), 8.0f);
    EXPECT_EQ(s.ForeColor, kBlack);
    const float pitch = s.TextHeight() + 2;
    EXPECT_NEAR(closing_line_y(s), 118 + 2 * pitch, 1.0);
    EXPECT_TRUE(reads(s, 250, 118, " 12", kDarkRed));
    EXPECT_TRUE(reads(s, 534, 118 + pitch, " 12", kDarkRed));
    EXPECT_TRUE(reads(s, 320, 118 + 2 * pitch, " 24", kBlack));
    EXPECT_FALSE(reads(s, 464, 118 + 2 * pitch, " 12", kBlack));   // the check can fail
}

TEST(ScoreSheet, ShowsAtMostTwentyRowsStartingAgainAtHand21) {
    // Hands 1 to 20 score 0 each, later hands 12: the first row tells which hand it is.
    {
        Sheet sheet(20, 0, 12);
        EXPECT_EQ(row_count(sheet.surface()), 20);
        EXPECT_TRUE(reads(sheet.surface(), 250, 118, "  0", kDarkRed));
    }
    {
        Sheet sheet(21, 0, 12);
        EXPECT_EQ(row_count(sheet.surface()), 1);
        EXPECT_TRUE(reads(sheet.surface(), 250, 118, " 12", kDarkRed));
    }
    {
        Sheet sheet(25, 0, 12);
        auto& s = sheet.surface();
        EXPECT_EQ(row_count(s), 5);
        EXPECT_TRUE(reads(s, 250, 118, " 12", kDarkRed));
        // The totals keep all 25 hands.
        EXPECT_TRUE(reads(s, 250, 118 + 5 * (s.TextHeight() + 2), " 60", kBlack));
    }
}

}  // namespace
