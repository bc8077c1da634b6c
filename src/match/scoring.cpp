// Closing a hand: whole points per seat, the match totals, and the score sheet in the middle
// of the table.
#include "match/scoring.h"

#include <array>
#include <cmath>
#include <string>

#include "match/frm_gioco.h"

namespace scoring {

float rounded_points(float raw) {
    // The default rounding mode is to nearest, ties to even.
    return std::nearbyint(raw);
}

std::string score_cell(int value) {
    const std::string padded = "   " + std::to_string(value);
    return padded.substr(padded.size() - 3);
}

}  // namespace scoring

namespace {

constexpr ui::Rgb kSheet{192, 255, 192};
constexpr ui::Rgb kBlack{0, 0, 0};
constexpr ui::Rgb kDarkRed{192, 0, 0};
constexpr ui::Rgb kNames{0, 0, 255};
constexpr ui::Rgb kTitle{128, 0, 0};

constexpr float kLeft = 222.5f, kTop = 97.1875f, kRight = 577.5f, kBottom = 382.8125f;
constexpr float kHeadY = 100, kRuleY = 118;
constexpr float kHeadX[5] = {0, 244, 314, 459, 529};
constexpr float kCellX[5] = {0, 250, 320, 464, 534};
// The sheet has room for twenty rows; from hand 21 on it shows the hands from 21.
constexpr int kRowsPerSheet = 20;

}  // namespace

void frmGioco::risultato() {
    surface.FillBox(kLeft, kTop, kRight, kBottom, kSheet);
    surface.Box(kLeft, kTop, kRight, kBottom, kBlack);
    surface.Box(223.5f, 98.125f, 576.5f, 381.875f, kDarkRed);

    for (int p = 1; p <= 4; ++p) {
        float& points = hand_points[p][hand_number];
        points = scoring::rounded_points(points);
        match_totals[p] = static_cast<std::int16_t>(match_totals[p] + static_cast<std::int16_t>(points));
    }

    // The names keep the font size that the seat names last set.
    surface.ForeColor = kNames;
    for (int p = 1; p <= 4; ++p) {
        surface.CurrentX = kHeadX[p];
        surface.CurrentY = kHeadY;
        surface.Print(player_names[p]);
    }

    surface.SetFontSize(10);
    surface.ForeColor = kTitle;
    surface.CurrentX = 375;
    surface.CurrentY = 98;
    surface.Print("SCORES");

    surface.Line(kLeft, kRuleY, 576.5f, kRuleY, kBlack);

    // Each cell is printed from its own x; only the fourth ends the line.
    auto print_row = [this](const std::array<int, 5>& values) {
        for (int p = 1; p <= 4; ++p) {
            surface.CurrentX = kCellX[p];
            surface.Print(scoring::score_cell(values[p]), p == 4);
        }
    };

    surface.SetFontSize(8);
    const int first = hand_number > kRowsPerSheet ? kRowsPerSheet + 1 : 1;
    for (int h = first; h <= hand_number; ++h) {
        surface.ForeColor = kDarkRed;
        std::array<int, 5> row{};
        for (int p = 1; p <= 4; ++p) row[p] = static_cast<int>(hand_points[p][h]);
        print_row(row);
        surface.CurrentY += 2;
    }

    const float y = surface.CurrentY;
    surface.Line(kLeft, y, kRight, y, kDarkRed);

    surface.ForeColor = kBlack;
    std::array<int, 5> totals{};
    for (int p = 1; p <= 4; ++p) totals[p] = match_totals[p];
    print_row(totals);
}
