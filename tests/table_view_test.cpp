// The table view: the table's places at the design size, a played card beside its seat and
// then in its trick slot, the rows of backs, the seat names, every drawing kept at its logical
// place through resizes, and the trick gathered onto its winner's card.
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "probe.h"
#include "test_window.h"
#include "window/window.h"

using table::Box;
using table::Point;
using testing_support::TestWindow;
using ui::Rgb;

namespace {

constexpr Rgb kTable = ui::kTableColour, kMarker{0, 0, 255}, kRed{255, 0, 0};
constexpr Rgb kGreen{0, 192, 0}, kWhite{255, 255, 255}, kPink{255, 192, 192};

bool near(Point a, Point b, float tolerance) { return std::abs(a.x - b.x) <= tolerance && std::abs(a.y - b.y) <= tolerance; }
Point place(const ui::PictureBox& card) { return {card.Left(), card.Top()}; }

const std::array<std::string, 5> kNames{"", "You", "Right", "Top", "Left"};
const std::vector<int> kAllPlayed{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

// Every seat holds ten cards, the listed slots marked played; the seat's row of backs (if any)
// repainted as its card move does.
void deal_rows(frmGioco& w, const std::vector<int>& played, int seat = 0) {
    for (int s = 1; s <= 4; ++s)
        for (int i = 1; i <= 10; ++i) w.hands[s][i] = std::uint8_t((s - 1) * 10 + i + 100 * std::ranges::count(played, i));
    w.current_player = std::uint8_t(seat);
    if (seat) seat == 3 ? w.cancella_dorsov() : w.cancella_dorsoo();
}

// The places of the table at the design size (centre 400, 300; a card 85 x 154 design pixels in
// a 1272 x 974 client area), worked out by hand. No window is needed.
TEST(Geometry, PlacesAtTheDesignSize) {
    const table::Geometry g{400, 300, 85 / 1.59f, 154 / (974 / 600.0f)};
    const auto at = [](Point p, float x, float y) { return std::abs(p.x - x) < 0.01f && std::abs(p.y - y) < 0.01f; };
    const auto boxed = [](Box b, float x1, float y1, float x2, float y2) {
        return std::abs(b.x1 - x1) + std::abs(b.y1 - y1) + std::abs(b.x2 - x2) + std::abs(b.y2 - y2) < 0.04f;
    };
    EXPECT_TRUE(at(g.pack(), 373.27f, 252.57f) && at(g.title(101.26f), 696.74f, 2));
    EXPECT_TRUE(at(g.drawn(1), 373.27f, 485.13f) && at(g.drawn(2), 685.13f, 252.57f) && at(g.drawn(3), 373.27f, 18.97f) &&
                at(g.drawn(4), 61.41f, 252.57f));
    EXPECT_TRUE(at(g.row(1, 1), 266.35f, 485.13f) && at(g.row(1, 10), 506.92f, 485.13f) && at(g.row(2, 1), 685.13f, 166.35f) &&
                at(g.row(3, 10), 506.92f, 20) && at(g.row(4, 6), 20, 300));
    EXPECT_TRUE(boxed(g.row_box(2), 684.13f, 165.35f, 782, 467.72f) && boxed(g.row_box(3), 265.35f, 19, 562.38f, 116.87f) &&
                boxed(g.row_box(4), 19, 165.35f, 116.87f, 467.72f));
    EXPECT_TRUE(at(g.beside(1, 485.13f), 506.92f, 387.26f) && at(g.beside(2, 0), 496.23f, 252.57f) &&
                at(g.beside(3, 0), 239.62f, 128.07f) && at(g.beside(4, 0), 228.93f, 252.57f));
    EXPECT_TRUE(at(g.trick_slot(1), 403, 303) && at(g.trick_slot(2), 403, 202.13f) && at(g.trick_slot(3), 343.54f, 202.13f) &&
                at(g.trick_slot(4), 343.54f, 303));
    EXPECT_TRUE(at(g.leaving(1, 2), 400, 406.92f) && at(g.leaving(1, 3), 400, 460.38f) && at(g.leaving(2, 2), 506.92f, 300) &&
                at(g.leaving(3, 3), 400, 139.62f) && at(g.leaving(4, 2), 293.08f, 300));
    EXPECT_TRUE(at(g.name(1), 373.27f, 465.13f) && at(g.name(3), 373.27f, 124.87f) && at(g.name(2), 670.13f, 250) &&
                at(g.name(4), 124.87f, 250));
}

// A played card shows beside its seat, then after the pause in its trick slot, behind every other
// control. A computer's card erases its row box exactly to the box's edges; slot 5 played in the
// middle of a row leaves its gap: what lay before slot 6 looks as if slots 5 to 10 were gone, and
// from slot 6 on the row looks as it did whole.
TEST(PlayedCard, ShowsBesideItsSeatThenInItsTrickSlotAndLeavesItsRow) {
    TestWindow tw;
    ui::Surface& s = tw->surface;
    const table::Geometry table = tw->geometry();
    for (const auto& [seat, code] : {std::pair{2, 15}, {3, 27}, {4, 38}, {1, 6}}) {
        SCOPED_TRACE("seat " + std::to_string(seat));
        ui::PictureBox& card = tw->carta[code];
        // The user's card rises from the hand row.
        const Point row = table.row(1, 7);
        if (seat == 1) card.Move(row.x, row.y);
        card.ToFront();
        const Box b = table.row_box(seat);
        s.Cls();
        s.FillBox(b.x1 - 5, b.y1 - 5, b.x2 + 5, b.y2 + 5, kRed);
        deal_rows(*tw, kAllPlayed);
        tw->current_player = std::uint8_t(seat);
        tw->played_card = std::uint8_t(code);
        std::vector<double> pauses;
        Point shown{};
        tw->test_hooks.pause = [&](double t) { pauses.push_back(t); shown = place(card); };
        tw->muovo_carta_da_giocare();
        EXPECT_TRUE(pauses == std::vector{1.0} && near(shown, table.beside(seat, row.y), 0.01) &&
                    near(place(card), table.trick_slot(seat), 0.01))
            << shown.x << ", " << shown.y << " then " << card.Left() << ", " << card.Top();
        EXPECT_EQ(card.widget()->parentWidget()->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly), card.widget());
        if (seat == 1) continue;
        EXPECT_TRUE(probe::all(s, b, kTable));
        EXPECT_TRUE(probe::all(s, {b.x1 - 0.6f, b.y1 - 0.6f, b.x2 + 0.6f, b.y2 + 0.6f}, kRed, true)) << "the red just outside";

        // Bands along the row, clear of the backs' rounded corners, up to the pixel where slot 6
        // starts (at the centre line) and from there on.
        const float slot6 = seat == 3 ? tw->center_x : tw->center_y;
        const double unit = seat == 3 ? tw->window().unit_x() : tw->window().unit_y();
        const float before_slot6 = float((std::floor(slot6 * unit) - 0.5) / unit);
        const auto band = [&](float from, float to) {
            return probe::colours(s, seat == 3 ? Box{from, b.y1 + 7, to, b.y1 + 47} : Box{b.x1 + 7, from, b.x1 + 47, to});
        };
        const auto render = [&](const std::vector<int>& played) {
            s.Cls();
            deal_rows(*tw, played, seat);
            return std::pair(band(slot6 - 135, before_slot6), band(slot6, slot6 + 160));
        };
        const auto first_four = render({5, 6, 7, 8, 9, 10}), whole = render({}), gap = render({5});
        EXPECT_TRUE(gap.first == first_four.first && gap.second == whole.second);
        EXPECT_FALSE(gap.first == whole.first) << "slot 5 still shows";
    }
}

// Rows and names painted at the design size stay at their logical places at other sizes, with
// nothing anywhere else; at each size the rows repainted without any card leave no trace of
// their backs, and are painted again without slot 5 before the next resize.
TEST(Backs, RowsAndNamesKeepTheirPlacesThroughResizesAndRepaintsLeaveNoTrace) {
    TestWindow tw;
    const QSize design = tw->window().main_window().size();
    const auto paint_rows = [&](const std::vector<int>& played) { for (int seat : {2, 3, 4}) deal_rows(*tw, played, seat); };
    const table::Geometry table = tw->geometry();
    // Inside the last back of each row, well clear of its border at any size used here.
    std::vector<Point> last_back;
    for (const int seat : {2, 3, 4}) last_back.push_back({table.row(seat, 10).x + 15, table.row(seat, 10).y + 15});
    tw->player_names = kNames;
    tw->Posiziona_Players();  // the font size the names use, for their boxes
    std::vector<Box> names, rows;
    for (const int seat : {2, 3, 4}) rows.push_back(table.row_box(seat));
    // Pixels that are neither table nor inside a name's box or (with rows) a row's box, a unit to spare.
    const auto strays = [&](bool with_rows) {
        std::vector<Box> allowed = names;
        if (with_rows) allowed.insert(allowed.end(), rows.begin(), rows.end());
        const QImage& image = tw->surface.image();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const float lx = float(x / tw->window().unit_x()), ly = float(y / tw->window().unit_y());
                const auto in = [&](Box b) { return lx >= b.x1 - 1 && lx <= b.x2 + 1 && ly >= b.y1 - 1 && ly <= b.y2 + 1; };
                count += image.pixel(x, y) != qRgb(kTable.r, kTable.g, kTable.b) && std::ranges::none_of(allowed, in);
            }
        return count;
    };
    tw->surface.Cls();
    paint_rows({});
    tw->current_player = 0;
    tw->Posiziona_Players();
    for (const auto& [sx, sy] : {std::pair{1.5, 1.5}, {0.6, 0.6}, {2.0, 1.0}, {0.8, 1.4}}) {
        SCOPED_TRACE(std::to_string(sx) + " x " + std::to_string(sy));
        tw->window().main_window().resize(int(design.width() * sx), int(design.height() * sy));
        tw->Form_Resize();
        names.clear();  // text keeps its point size: its logical size changes with the window
        for (int seat = 1; seat <= 4; ++seat) names.push_back(probe::name_box(*tw, seat));
        for (const Point p : last_back) EXPECT_NE(tw->surface.Point(p.x, p.y), kTable) << p.x << ", " << p.y;
        for (int s = 1; s <= 4; ++s) EXPECT_TRUE(probe::shows_only(tw->surface, names[s - 1], kGreen)) << "name " << s;
        EXPECT_EQ(strays(true), 0);
        paint_rows(kAllPlayed);
        EXPECT_EQ(strays(false), 0) << "a trace of the backs";
        paint_rows({5});
    }
}

TEST(SeatNames, StartAtTheirSeatsAndRunDownTheSidesOneLetterPerLine) {
    TestWindow tw;
    ui::Surface& s = tw->surface;
    // The names printed over a colour that shows where each print lays its ground; the tops of
    // the lines printed down the right and the left side columns.
    const auto print = [&](std::array<std::string, 5> names) {
        s.FillBox(0, 0, 800, 600, kMarker);
        tw->player_names = names;
        tw->Posiziona_Players();
        std::array<std::vector<float>, 2> tops;
        for (int left : {0, 1})
            for (float x = tw->geometry().name(left ? 4 : 2).x + 1, y = 240; y < 600; y += 0.25f)
                if (s.Point(x, y) != kMarker && s.Point(x, y - 0.25f) == kMarker) tops[left].push_back(y);
        return tops;
    };
    const auto tops = print(kNames);
    // Ground from each name's place on, none above or left of it (where it may reach a pixel
    // further, under the first letter's smoothed edge).
    const float step = s.FontSize() + 5;
    for (int seat = 1; seat <= 4; ++seat) {
        const Point p{tw->geometry().name(seat).x, tw->geometry().name(seat).y + (seat % 2 ? 0 : step)};
        EXPECT_TRUE(s.Point(p.x + 0.8f, p.y + 0.8f) != kMarker && s.Point(p.x - 1.5f, p.y + 3) == kMarker &&
                    s.Point(p.x + 3, p.y - 0.8f) == kMarker) << p.x << ", " << p.y;
    }
    EXPECT_TRUE(tops[0].size() == 5 && tops[1].size() == 4);
    for (int left : {0, 1})
        for (std::size_t k = 1; k <= tops[left].size(); ++k)
            EXPECT_NEAR(tops[left][k - 1], tw->geometry().name(2).y + k * step, 0.8) << (left ? "left" : "right") << ", letter " << k;
    // Empty names print nothing; an accented letter, whole or with its mark after it, takes one line.
    auto t = print({"", "", "Zoë", "", "Nicolò"});
    EXPECT_TRUE(t[0].size() == 3 && t[1].size() == 6 && probe::all(s, probe::name_box(*tw, 1, "You"), kMarker) &&
                probe::all(s, probe::name_box(*tw, 3, "Top"), kMarker));
    t = print({"", "Ann", "Zoe\xCC\x88", "Bo", ""});
    EXPECT_TRUE(t[0].size() == 3 && t[1].empty());
}

// Green, white for the player to move, pink for the dealer just drawn while the draw shows it.
// Each print goes over the one before: a name printed again shows only its new colour, at the
// edges of the letters included.
TEST(SeatNames, ColoursFollowTheTurnAndTheDealerDrawAndReplaceTheOldOnes) {
    struct Step { bool current; int dealer_offset, draw; Rgb colour; };
    const Step steps[] = {{true, 0, 1, kPink}, {false, 0, 1, kGreen}, {true, 0, 0, kWhite}, {true, 1, 1, kWhite}};
    TestWindow tw;
    tw->player_names = kNames;
    for (int seat = 1; seat <= 4; ++seat)
        for (const Step& step : steps) {
            tw->current_player = std::uint8_t(step.current ? seat : 0);
            tw->dealer = std::uint8_t((seat - 1 + step.dealer_offset) % 4 + 1);
            tw->choose_dealer = std::uint8_t(step.draw);
            tw->Posiziona_Players();
            for (int s = 1; s <= 4; ++s)
                EXPECT_TRUE(probe::shows_only(tw->surface, probe::name_box(*tw, s), s == seat ? step.colour : kGreen))
                    << "seat " << seat << ", step " << &step - steps << ": name " << s;
        }
}

// One gathering watched frame by frame, as the player sees it: where each card of the trick is
// at every frame (a zero-interval timer fires once in every event pass, so once a frame, before
// its move), its width, and whether the winner's card lies above the other three.
struct Watched {
    int frames = 0;
    std::vector<std::array<Point, 5>> at;  // by seat
    std::vector<float> winner_width;
    bool winner_on_top = true, rules_shown = false;
    std::vector<std::pair<double, int>> pauses;  // length, frames before it
};

Watched gather(TestWindow& tw, std::array<std::uint8_t, 5> by_seat, int leader) {
    const table::Geometry table = tw->geometry();
    tw->gioco_imposta();  // every card image shown, parked
    for (int s = 1; s <= 4; ++s) {
        tw->carta[by_seat[s]].Move(table.trick_slot(s).x, table.trick_slot(s).y);
        tw->carta[by_seat[s]].ToFront();
    }
    tw->hand_number = 1;
    tw->trick_cards = by_seat;
    tw->trick_leader = std::uint8_t(leader);
    tw->DETERMINO_TURNO();
    tw->Text2.Show();
    const int winner = tw->current_player;
    Watched seen;
    const auto stacking = [&](int s) { return tw->carta[0].widget()->parentWidget()->children().indexOf(tw->carta[by_seat[s]].widget()); };
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (!tw->animating()) return;
        ++seen.frames;
        std::array<Point, 5> places{};
        for (int s = 1; s <= 4; ++s) {
            places[s] = place(tw->carta[by_seat[s]]);
            if (s != winner) seen.winner_on_top &= stacking(winner) > stacking(s);
        }
        seen.at.push_back(places);
        seen.winner_width.push_back(tw->carta[by_seat[winner]].Width());
        seen.rules_shown |= tw->Text2.Visible();
    });
    tw->test_hooks.pause = [&](double t) { seen.pauses.push_back({t, seen.frames}); };
    timer.start(0);
    tw->muovo_carte_prese();
    return seen;
}

// Strongest first, whatever the suit, the cards slide from their slots onto the winner's card,
// which lies above them; each is parked as soon as it gets there, before the next one moves, and
// the winner's own card keeps its place in its turn. After a pause the winner's card slides out
// toward the winner's seat, then narrows away on its way further out. At the end all four are
// parked, the size of every other card.
TEST(Gathering, StrongestFirstOntoTheWinnersCardWhichLeavesTowardItsSeat) {
    struct Case { std::array<std::uint8_t, 5> by_seat; int leader, winner; std::vector<int> moving; };
    // Seat 1 leads the 4 of Denari; the 5, the 3 of Coppe and the 6 of Denari follow, and the 6
    // takes it. Then each seat leads the 3 of Denari over the 6, 5 and 4 of Coppe and takes it.
    const Case cases[] = {{{0, 4, 5, 13, 6}, 1, 4, {3, 2, 1}},
                          {{0, 3, 16, 15, 14}, 1, 1, {2, 3, 4}},
                          {{0, 16, 3, 15, 14}, 2, 2, {1, 3, 4}},
                          {{0, 16, 15, 3, 14}, 3, 3, {1, 2, 4}},
                          {{0, 16, 15, 14, 3}, 4, 4, {1, 2, 3}}};
    const Point away[] = {{}, {0, 1}, {1, 0}, {0, -1}, {-1, 0}};  // down, right, up, left
    for (const Case& c : cases) {
        SCOPED_TRACE("winner " + std::to_string(c.winner));
        TestWindow tw;
        const table::Geometry table = tw->geometry();
        const Watched seen = gather(tw, c.by_seat, c.leader);
        ASSERT_EQ(tw->current_player, c.winner);
        const Point goal = table.trick_slot(c.winner);
        // The frame at which each card first left its slot, and the last place it held before parking.
        std::array<int, 5> left_slot{}, parked_at{};
        std::array<Point, 5> last{};
        for (int f = 0; f < seen.frames; ++f)
            for (int s = 1; s <= 4; ++s) {
                const Point p = seen.at[f][s];
                if (!left_slot[s] && !near(p, table.trick_slot(s), 0.01)) left_slot[s] = f;
                if (!near(p, table::kParked, 0)) {
                    last[s] = p;
                } else if (!parked_at[s]) {
                    parked_at[s] = f;
                }
            }
        std::vector<int> moving;
        for (int s = 1; s <= 4; ++s)
            if (s != c.winner) moving.push_back(s);
        std::ranges::sort(moving, {}, [&](int s) { return left_slot[s]; });
        EXPECT_EQ(moving, c.moving) << "the order of the gathering";
        for (std::size_t i = 0; i < moving.size(); ++i) {
            const int s = moving[i];
            // Seen before each frame's move: the last sight is two frames short of the goal.
            const Point from = table.trick_slot(s);
            const float frames_short = 2 * std::hypot(goal.x - from.x, goal.y - from.y) / 300 + 0.01f;
            EXPECT_TRUE(near(last[s], goal, frames_short)) << "seat " << s << " ends on the winner's card";
            if (i + 1 < moving.size()) {
                EXPECT_LE(parked_at[s], left_slot[moving[i + 1]]) << "seat " << s << " parked first";
            }
        }
        // The winner's card: in place while the others come, then out toward its seat.
        ASSERT_EQ(seen.pauses.size(), 1u);
        const int paused_at = seen.pauses[0].second;
        EXPECT_TRUE(left_slot[c.winner] >= paused_at && seen.pauses[0].first == 0.5);
        const Point d = away[c.winner], slid = seen.at[paused_at + 299][c.winner], out = seen.at[seen.frames - 1][c.winner];
        const float w = tw->card_width;
        const Point slide_end{table.cx + 2 * w * d.x, table.cy + 2 * w * d.y};
        EXPECT_TRUE(near(slid, slide_end, 2 * std::hypot(slide_end.x - goal.x, slide_end.y - goal.y) / 300 + 0.01f))
            << "slid two card widths out: " << slid.x << ", " << slid.y;
        const Point shrink_end{table.cx + 3 * w * d.x, table.cy + 3 * w * d.y};
        EXPECT_TRUE(near(out, shrink_end, 2 * w / 300 + 0.01f)) << "a card width further out: " << out.x << ", " << out.y;
        EXPECT_TRUE(seen.winner_width[paused_at + 299] == w && seen.winner_width.back() < 0.01f * w) << seen.winner_width.back();
        EXPECT_TRUE(seen.winner_on_top && !seen.rules_shown && !tw->animating());
        const ui::PictureBox& other = tw->carta[40];
        for (int s = 1; s <= 4; ++s) {
            const ui::PictureBox& card = tw->carta[c.by_seat[s]];
            EXPECT_TRUE(near(place(card), table::kParked, 0) && card.Visible() &&
                        std::abs(card.px_width() - other.px_width()) + std::abs(card.px_height() - other.px_height()) < 1e-6)
                << "seat " << s;
        }
    }
}

// A trick gathered while the window has another shape gives the winner's card back the box of
// every other card at that shape, and at the next one.
TEST(Gathering, WinnersCardKeepsTheShapeOfEveryCardThroughResizes) {
    TestWindow tw;
    ui::MainWindow& f = tw->window().main_window();
    const QSize design = f.size();
    const auto same_boxes = [&] {
        for (int c = 2; c <= 40; ++c)
            if (std::abs(tw->carta[c].px_width() - tw->carta[1].px_width()) > 1e-6 ||
                std::abs(tw->carta[c].px_height() - tw->carta[1].px_height()) > 1e-6)
                return false;
        return true;
    };
    f.resize(design.width() / 2, design.height());
    tw->Form_Resize();
    gather(tw, {0, 3, 16, 15, 14}, 1);
    EXPECT_TRUE(same_boxes()) << "at half the width";
    f.resize(design);
    tw->Form_Resize();
    EXPECT_TRUE(same_boxes()) << "back at the design size";
}

}  // namespace
