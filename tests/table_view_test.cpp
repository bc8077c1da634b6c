// The table view: a played card beside its seat and then in its trick slot, the rows of backs,
// the seat names, every drawing kept at its logical place through resizes, and the trick
// gathered onto its winner's card.
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "window/window.h"
#include "test_window.h"

using testing_support::TestWindow;
using ui::Rgb;

namespace {

constexpr Rgb kTable = ui::kTableColour, kMarker{0, 0, 255}, kRed{255, 0, 0};
constexpr Rgb kGreen{0, 192, 0}, kWhite{255, 255, 255}, kPink{255, 192, 192};
constexpr float kPark = 2500;

struct Pt { float x, y; };
struct Box { float x1, y1, x2, y2; };

bool near(Pt a, Pt b, float tolerance) { return std::abs(a.x - b.x) <= tolerance && std::abs(a.y - b.y) <= tolerance; }
Pt place(const ui::PictureBox& card) { return {card.Left(), card.Top()}; }

// Each computer seat's row box of backs at the design size: right, top, left.
const Box kRowBoxes[] = {{}, {}, {684.13f, 165.35f, 782, 467.72f}, {265.35f, 19, 562.38f, 116.87f},
                         {19, 165.35f, 116.87f, 467.72f}};
// Around each of the names "You", "Right", "Top", "Left" at the design size, their smoothed
// edges and descenders included.
const Box kNameBoxes[] = {{}, {372.27f, 464.13f, 397.27f, 477.13f}, {669.13f, 262, 680.13f, 327},
                          {372.27f, 123.87f, 397.27f, 136.87f}, {123.87f, 262, 134.87f, 314}};
const std::array<std::string, 5> kNames{"", "You", "Right", "Top", "Left"};

// Every seat holds ten unplayed cards; the listed slots of `seat` are marked played.
void deal_rows(frmGioco& w, int seat = 0, std::vector<int> played = {}) {
    for (int s = 1; s <= 4; ++s)
        for (int i = 1; i <= 10; ++i) w.hands[s][i] = std::uint8_t((s - 1) * 10 + i);
    for (int i : played) w.hands[seat][i] += 100;
}
const std::vector<int> kAllPlayed{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

// Repaints a computer seat's row of backs as its card move does.
void paint_row(frmGioco& w, int seat) {
    w.current_player = std::uint8_t(seat);
    seat == 3 ? w.cancella_dorsov() : w.cancella_dorsoo();
}

// How much of a colour a pixel shows over the table, as antialiased text leaves it: 0 bare
// table, 1 the colour itself; -1 when the pixel is no mix of the two.
double share_of(Rgb p, Rgb colour) {
    const int d[] = {colour.r - kTable.r, colour.g - kTable.g, colour.b - kTable.b};
    const int v[] = {p.r - kTable.r, p.g - kTable.g, p.b - kTable.b};
    const int m = int(std::max_element(d, d + 3, [](int a, int b) { return std::abs(a) < std::abs(b); }) - d);
    const double share = double(v[m]) / d[m];
    for (int i = 0; i < 3; ++i)
        if (std::abs(v[i] - share * d[i]) > 6) return -1;
    return share;
}

// Whether a logical box of the surface shows the colour, and (with only) nothing else over the
// table. Points 0.3 units apart: under a pixel at every window size used here.
bool box_shows_ink(const ui::Surface& s, Box b, Rgb colour, bool only = false) {
    bool inked = false;
    for (float x = b.x1; x <= b.x2; x += 0.3f)
        for (float y = b.y1; y <= b.y2; y += 0.3f) {
            const double share = share_of(s.Point(x, y), colour);
            if (only && share < 0) return false;
            inked |= share >= 0.5;
        }
    return inked;
}

// Design-size places: where the card shows beside its seat, then its trick slot, behind every
// other control. A computer's last card erases its row box exactly to the box's corners.
TEST(PlayedCard, ShowsBesideItsSeatThenInItsTrickSlotAndLeavesItsRow) {
    struct Case { int seat, card; Pt shown, slot; };
    const Case cases[] = {{2, 15, {496.23f, 252.57f}, {403, 202.13f}},
                          {3, 27, {239.62f, 128.07f}, {343.54f, 202.13f}},
                          {4, 38, {228.93f, 252.57f}, {343.54f, 303}},
                          {1, 6, {506.92f, 387.27f}, {403, 303}}};
    TestWindow tw;
    ui::Surface& s = tw->surface;
    for (const Case& c : cases) {
        SCOPED_TRACE("seat " + std::to_string(c.seat));
        ui::PictureBox& card = tw->carta[c.card];
        // The user's card rises from the hand row.
        if (c.seat == 1) card.Move(tw->center_x + 0.5f * tw->card_width, 2 * tw->center_y - tw->card_height - 20);
        card.ToFront();
        const Box b = kRowBoxes[c.seat];
        s.Cls();
        s.FillBox(b.x1 - 5, b.y1 - 5, b.x2 + 5, b.y2 + 5, kRed);
        deal_rows(*tw, c.seat, kAllPlayed);
        tw->current_player = std::uint8_t(c.seat);
        tw->played_card = std::uint8_t(c.card);
        std::vector<std::pair<double, Pt>> pauses;  // length, where the card is
        tw->test_hooks.pause = [&](double t) { pauses.push_back({t, place(card)}); };
        tw->muovo_carta_da_giocare();
        ASSERT_EQ(pauses.size(), 1u);
        EXPECT_EQ(pauses[0].first, 1.0);
        EXPECT_TRUE(near(pauses[0].second, c.shown, 0.01)) << pauses[0].second.x << ", " << pauses[0].second.y;
        EXPECT_TRUE(near(place(card), c.slot, 0.01)) << card.Left() << ", " << card.Top();
        EXPECT_EQ(card.widget()->parentWidget()->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly), card.widget());
        if (c.seat == 1) continue;
        EXPECT_FALSE(box_shows_ink(s, b, kRed)) << "left inside the box";
        // Table on the box's edges, the red still just outside them.
        for (float t : {0.f, 0.5f, 1.f}) {
            const float x = b.x1 + t * (b.x2 - b.x1), y = b.y1 + t * (b.y2 - b.y1);
            for (const Pt p : {Pt{b.x1, y}, Pt{b.x2, y}, Pt{x, b.y1}, Pt{x, b.y2}})
                EXPECT_EQ(s.Point(p.x, p.y), kTable) << p.x << ", " << p.y;
            for (const Pt p : {Pt{b.x1 - 0.6f, y}, Pt{b.x2 + 0.6f, y}, Pt{x, b.y1 - 0.6f}, Pt{x, b.y2 + 0.6f}})
                EXPECT_EQ(s.Point(p.x, p.y), kRed) << p.x << ", " << p.y;
        }
    }
}

// Slot 5 played in the middle of a row: what lay before slot 6 looks as if slots 5 to 10 were
// gone, and from slot 6 on the row looks as it did whole.
TEST(Backs, PlayedSlotInTheMiddleLeavesItsGapAndTheOthersStay) {
    TestWindow tw;
    const double ux = tw->window().unit_x(), uy = tw->window().unit_y();
    for (int seat : {2, 3, 4}) {
        SCOPED_TRACE("seat " + std::to_string(seat));
        const auto render = [&](std::vector<int> played) {
            tw->surface.Cls();
            deal_rows(*tw, seat, played);
            paint_row(*tw, seat);
            return tw->surface.image().copy();
        };
        const QImage first_four = render({5, 6, 7, 8, 9, 10}), whole = render({}), gap = render({5});
        // Pixel bands across the row, clear of the backs' rounded corners; slot 6 starts at the centre line.
        const bool side = seat != 3;
        const auto px = [&](float v, bool along) { return int(std::floor(v * (side != along ? ux : uy))); };
        const float across = seat == 2 ? 2 * tw->center_x - tw->card_height - 20 : 20;
        const float slot6 = side ? tw->center_y : tw->center_x;
        const auto band = [&](float from, float to, int end) {
            const QPoint p1(px(across + 6, false), px(from, true)), p2(px(across + 46, false), px(to, true) + end);
            return side ? QRect(p1, p2) : QRect(p1.transposed(), p2.transposed());
        };
        const QRect before = band(slot6 - 135, slot6, -1), after = band(slot6, slot6 + 160, 0);
        EXPECT_TRUE(gap.copy(before) == first_four.copy(before));
        EXPECT_TRUE(gap.copy(after) == whole.copy(after));
        EXPECT_FALSE(gap.copy(before) == whole.copy(before)) << "slot 5 still shows";
    }
}

// Rows and names painted at the design size stay at their logical places at another size, with
// nothing anywhere else; the row repainted without one card there, then without any at a third
// size, leaves no trace of its backs.
TEST(Backs, RowsAndNamesKeepTheirPlacesThroughResizesAndRepaintsLeaveNoTrace) {
    TestWindow tw;
    const QSize design = tw->window().main_window().size();
    const auto resize = [&](std::pair<double, double> scale) {
        tw->window().main_window().resize(int(design.width() * scale.first), int(design.height() * scale.second));
        tw->Form_Resize();
    };
    const std::pair<double, double> sizes[] = {{1.5, 1.5}, {0.6, 0.6}, {2.0, 1.0}, {0.8, 1.4}};
    const float cx = tw->center_x, cy = tw->center_y, w = tw->card_width, h = tw->card_height;
    // Inside the last back of each row, well clear of its border at any size used here.
    const Pt last_back[] = {{}, {}, {2 * cx - h, cy + 2 * w + 15}, {cx + 2 * w + 15, 40}, {40, cy + 2 * w + 15}};
    // Pixels that are neither table nor inside a name's box or (if any) the row's box, a unit to spare.
    const auto strays = [&](int row) {
        const QImage& image = tw->surface.image();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                if (reinterpret_cast<const QRgb*>(image.constScanLine(y))[x] == qRgb(kTable.r, kTable.g, kTable.b)) continue;
                const float lx = float(x / tw->window().unit_x()), ly = float(y / tw->window().unit_y());
                const auto in = [&](Box b) { return lx >= b.x1 - 1 && lx <= b.x2 + 1 && ly >= b.y1 - 1 && ly <= b.y2 + 1; };
                count += !(row && in(kRowBoxes[row])) && std::none_of(kNameBoxes + 1, kNameBoxes + 5, in);
            }
        return count;
    };
    tw->player_names = kNames;
    for (int seat : {2, 3, 4})
        for (std::size_t i = 0; i < std::size(sizes); ++i) {
            SCOPED_TRACE("seat " + std::to_string(seat) + ", size " + std::to_string(i));
            resize({1, 1});
            tw->surface.Cls();
            deal_rows(*tw, seat);
            paint_row(*tw, seat);
            tw->current_player = 0;
            tw->Posiziona_Players();
            resize(sizes[i]);
            EXPECT_NE(tw->surface.Point(last_back[seat].x, last_back[seat].y), kTable);
            for (int s = 1; s <= 4; ++s) EXPECT_TRUE(box_shows_ink(tw->surface, kNameBoxes[s], kGreen, true)) << "name " << s;
            EXPECT_EQ(strays(seat), 0);
            deal_rows(*tw, seat, {5});
            paint_row(*tw, seat);
            resize(sizes[(i + 1) % std::size(sizes)]);
            deal_rows(*tw, seat, kAllPlayed);
            paint_row(*tw, seat);
            EXPECT_EQ(strays(0), 0) << "a trace of the backs";
        }
}

TEST(SeatNames, StartAtTheirSeatsAndRunDownTheSidesOneLetterPerLine) {
    TestWindow tw;
    ui::Surface& s = tw->surface;
    // The names printed over a colour that shows where each print lays its ground.
    const auto print_on_marker = [&](std::array<std::string, 5> names) {
        s.FillBox(0, 0, 800, 600, kMarker);
        tw->player_names = names;
        tw->Posiziona_Players();
    };
    // Lines printed down a side column: the tops of the runs of ground along it.
    const auto lines = [&](float x) {
        std::vector<float> tops;
        bool in = false;
        for (float y = 240; y < 600; y += 0.25f) {
            const bool ground = s.Point(x + 1, y) != kMarker;
            if (ground && !in) tops.push_back(y);
            in = ground;
        }
        return tops;
    };
    print_on_marker(kNames);
    // Ground from each name's place on, none above or left of it (where it may reach a pixel
    // further, under the first letter's smoothed edge).
    for (const Pt p : {Pt{373.27f, 465.13f}, Pt{373.27f, 124.87f}, Pt{670.13f, 263}, Pt{124.87f, 263}})
        EXPECT_TRUE(s.Point(p.x + 0.8f, p.y + 0.8f) != kMarker && s.Point(p.x - 1.5f, p.y + 3) == kMarker &&
                    s.Point(p.x + 3, p.y - 0.8f) == kMarker) << p.x << ", " << p.y;
    const float step = s.FontSize() + 5;
    for (const auto& [x, letters] : {std::pair{670.13f, 5}, std::pair{124.87f, 4}}) {
        const std::vector<float> tops = lines(x);
        ASSERT_EQ(tops.size(), std::size_t(letters)) << x;
        for (int k = 1; k <= letters; ++k) EXPECT_NEAR(tops[k - 1], 250 + k * step, 0.8) << x << ", letter " << k;
    }

    // Empty names print nothing; an accented letter, whole or with its mark after it, takes one line.
    print_on_marker({"", "", "Zoë", "", "Nicolò"});
    for (const Pt p : {Pt{373.27f, 465.13f}, Pt{373.27f, 124.87f}})
        for (float x = p.x - 1; x < p.x + 30; x += 0.5f)
            for (float y = p.y - 1; y < p.y + 10; y += 0.5f) ASSERT_EQ(s.Point(x, y), kMarker) << x << ", " << y;
    const auto side_lines = [&] { return std::vector{lines(670.13f).size(), lines(124.87f).size()}; };
    EXPECT_EQ(side_lines(), (std::vector<std::size_t>{3, 6}));
    print_on_marker({"", "Ann", "Zoe\xCC\x88", "Bo", ""});
    EXPECT_EQ(side_lines(), (std::vector<std::size_t>{3, 0}));
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
                EXPECT_TRUE(box_shows_ink(tw->surface, kNameBoxes[s], s == seat ? step.colour : kGreen, true))
                    << "seat " << seat << ", step " << &step - steps << ": name " << s;
        }
}

// A seat's trick slot around the table centre.
Pt trick_slot(const frmGioco& w, int seat) {
    return {seat <= 2 ? w.center_x + 3 : w.center_x - w.card_width - 3,
            seat == 2 || seat == 3 ? w.center_y - w.card_height - 3 : w.center_y + 3};
}

Pt lerp(Pt s, Pt t, int k) { return {s.x + (t.x - s.x) * float(k) / 300, s.y + (t.y - s.y) * float(k) / 300}; }

// Every frame of the gathering, 300 per phase: the cards slide from their slots onto the
// winner's strongest first, each parked as its phase ends, the winner's own in place; after a
// pause the winner's card slides toward its seat, then narrows on. At the end all four are
// parked and the winner's card has its full size again.
TEST(Gathering, StrongestFirstOntoTheWinnersCardWhichLeavesTowardItsSeat) {
    struct Case { std::array<std::uint8_t, 5> by_seat; std::uint8_t leader, winner; std::array<int, 4> order; };
    // Seat 1 leads the 4 of Denari; the 5, the 3 of Coppe and the 6 of Denari follow, and the 6
    // takes it. Then each seat leads the 3 of Denari over the 6, 5 and 4 of Coppe and takes it.
    const Case cases[] = {{{0, 4, 5, 13, 6}, 1, 4, {3, 4, 2, 1}},
                          {{0, 3, 16, 15, 14}, 1, 1, {1, 2, 3, 4}},
                          {{0, 16, 3, 15, 14}, 2, 2, {2, 1, 3, 4}},
                          {{0, 16, 15, 3, 14}, 3, 3, {3, 1, 2, 4}},
                          {{0, 16, 15, 14, 3}, 4, 4, {4, 1, 2, 3}}};
    const Pt away[] = {{}, {0, 1}, {1, 0}, {0, -1}, {-1, 0}};  // down, right, up, left
    for (const Case& c : cases) {
        SCOPED_TRACE("winner " + std::to_string(c.winner));
        TestWindow tw;
        for (int s = 1; s <= 4; ++s) tw->carta[c.by_seat[s]].Move(trick_slot(*tw, s).x, trick_slot(*tw, s).y);
        tw->hand_number = 1;
        tw->trick_cards = c.by_seat;
        tw->trick_leader = c.leader;
        tw->DETERMINO_TURNO();
        tw->Text2.Show();
        const float cx = tw->center_x, cy = tw->center_y, cw = tw->card_width, ch = tw->carta[c.by_seat[c.winner]].Height();
        const Pt goal = trick_slot(*tw, c.winner), d = away[c.winner];
        const Pt slide_end{cx + 2 * cw * d.x, cy + 2 * cw * d.y}, shrink_end{cx + 3 * cw * d.x, cy + 3 * cw * d.y};

        // A zero-interval timer fires once in every event pass: once a frame, before its move.
        int frame = 0;
        double narrowed = cw, half = 0;
        std::string fault;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (!tw->animation_running) return;
            const int phase = frame / 300, k = frame % 300;
            if (phase == 5 && k > 0) narrowed *= (300.0 - k) / 300.0;
            for (int s = 1; s <= 4; ++s) {
                const ui::PictureBox& card = tw->carta[c.by_seat[s]];
                const auto turn = std::find(c.order.begin(), c.order.end(), s) - c.order.begin();
                Pt at = trick_slot(*tw, s);
                if (s == c.winner && phase == 4) at = k == 0 ? goal : lerp(goal, slide_end, k - 1);
                else if (s == c.winner && phase == 5) at = k ? lerp(slide_end, shrink_end, k - 1) : lerp(goal, slide_end, 299);
                else if (turn == phase && k > 0) at = lerp(trick_slot(*tw, s), goal, k - 1);
                else if (turn < phase && s != c.winner) at = {kPark, kPark};
                const double width = s == c.winner && phase == 5 ? narrowed : cw;
                if (fault.empty() && (tw->anim_step != k || !near(place(card), at, 2e-3) ||
                                      std::abs(card.Width() - width) > width * 1e-4 + 1e-6 || tw->Text2.Visible()))
                    fault = "frame " + std::to_string(frame) + ", seat " + std::to_string(s);
            }
            if (frame++ == 1520) half = tw->carta[c.by_seat[c.winner]].Width() / cw;
        });
        std::vector<std::pair<double, int>> pauses;  // length, frames before it
        tw->test_hooks.pause = [&](double t) { pauses.push_back({t, frame}); };
        timer.start(0);
        tw->muovo_carte_prese();

        EXPECT_EQ(frame, 1800);
        EXPECT_EQ(fault, "");
        EXPECT_NEAR(half, 0.5, 0.05) << "narrowed to about half after 20 frames";
        EXPECT_EQ(pauses, (std::vector<std::pair<double, int>>{{0.5, 1200}})) << "between gathering and slide";
        for (int s = 1; s <= 4; ++s) {
            const ui::PictureBox& card = tw->carta[c.by_seat[s]];
            EXPECT_TRUE(near(place(card), {kPark, kPark}, 0) && near({card.Width(), card.Height()}, {cw, ch}, 1e-4))
                << "seat " << s;
        }
        EXPECT_FALSE(tw->Text2.Visible() || tw->animation_running);
    }
}

}  // namespace
