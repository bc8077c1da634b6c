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

struct Pt { float x, y; };
struct Box { float x1, y1, x2, y2; };

constexpr Rgb kTable = ui::kTableColour, kMarker{0, 0, 255}, kRed{255, 0, 0};
constexpr Rgb kGreen{0, 192, 0}, kWhite{255, 255, 255}, kPink{255, 192, 192};
constexpr Pt kParked{2500, 2500};

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
const std::vector<int> kAllPlayed{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

// Every seat holds ten cards, the listed slots marked played; the seat's row of backs (if any)
// repainted as its card move does.
void deal_rows(frmGioco& w, const std::vector<int>& played, int seat = 0) {
    for (int s = 1; s <= 4; ++s)
        for (int i = 1; i <= 10; ++i) w.hands[s][i] = std::uint8_t((s - 1) * 10 + i + 100 * std::ranges::count(played, i));
    w.current_player = std::uint8_t(seat);
    if (seat) seat == 3 ? w.cancella_dorsov() : w.cancella_dorsoo();
}

// The colours of a logical box of the surface (or only of its edges), its edges included, at
// points 0.3 units apart at most: under a pixel at every window size used here.
std::vector<Rgb> colours_in(const ui::Surface& s, Box b, bool edges = false) {
    const int nx = std::max(1, int(std::ceil((b.x2 - b.x1) / 0.3f))), ny = std::max(1, int(std::ceil((b.y2 - b.y1) / 0.3f)));
    std::vector<Rgb> seen;
    for (int i = 0; i <= nx; ++i)
        for (int j = 0; j <= ny; ++j)
            if (!edges || i % nx == 0 || j % ny == 0)
                seen.push_back(s.Point(b.x1 + (b.x2 - b.x1) * i / nx, b.y1 + (b.y2 - b.y1) * j / ny));
    return seen;
}
bool box_is(const ui::Surface& s, Box b, Rgb colour, bool edges = false) {
    return std::ranges::all_of(colours_in(s, b, edges), [&](Rgb p) { return p == colour; });
}

// Whether a box shows the colour and nothing else over the table: every point a mix of the two
// as antialiased text leaves it (within 6 a channel), some at least half the colour.
bool shows_only(const ui::Surface& s, Box b, Rgb c) {
    const int d[] = {c.r - kTable.r, c.g - kTable.g, c.b - kTable.b};
    const int m = int(std::ranges::max_element(d, {}, [](int a) { return std::abs(a); }) - d);
    bool inked = false;
    for (const Rgb p : colours_in(s, b)) {
        const int v[] = {p.r - kTable.r, p.g - kTable.g, p.b - kTable.b};
        const double share = double(v[m]) / d[m];
        for (int i = 0; i < 3; ++i) if (std::abs(v[i] - share * d[i]) > 6) return false;
        inked |= share >= 0.5;
    }
    return inked;
}

// Design-size places: where the card shows beside its seat, then its trick slot, behind every
// other control. A computer's last card erases its row box exactly to the box's edges; slot 5
// played in the middle of a row leaves its gap: what lay before slot 6 looks as if slots 5 to 10
// were gone, and from slot 6 on the row looks as it did whole.
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
        deal_rows(*tw, kAllPlayed);
        tw->current_player = std::uint8_t(c.seat);
        tw->played_card = std::uint8_t(c.card);
        std::vector<double> pauses;
        Pt shown{};
        tw->test_hooks.pause = [&](double t) { pauses.push_back(t); shown = place(card); };
        tw->muovo_carta_da_giocare();
        EXPECT_TRUE(pauses == std::vector{1.0} && near(shown, c.shown, 0.01) && near(place(card), c.slot, 0.01))
            << shown.x << ", " << shown.y << " then " << card.Left() << ", " << card.Top();
        EXPECT_EQ(card.widget()->parentWidget()->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly), card.widget());
        if (c.seat == 1) continue;
        EXPECT_TRUE(box_is(s, b, kTable));
        EXPECT_TRUE(box_is(s, {b.x1 - 0.6f, b.y1 - 0.6f, b.x2 + 0.6f, b.y2 + 0.6f}, kRed, true)) << "the red just outside";

        // Bands along the row, clear of the backs' rounded corners, up to the pixel where slot 6
        // starts (at the centre line) and from there on.
        const float slot6 = c.seat == 3 ? tw->center_x : tw->center_y;
        const double unit = c.seat == 3 ? tw->window().unit_x() : tw->window().unit_y();
        const float before_slot6 = float((std::floor(slot6 * unit) - 0.5) / unit);
        const auto band = [&](float from, float to) {
            return colours_in(s, c.seat == 3 ? Box{from, b.y1 + 7, to, b.y1 + 47} : Box{b.x1 + 7, from, b.x1 + 47, to});
        };
        const auto render = [&](const std::vector<int>& played) {
            s.Cls();
            deal_rows(*tw, played, c.seat);
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
    const float cx = tw->center_x, cy = tw->center_y, w = tw->card_width, h = tw->card_height;
    // Inside the last back of each row, well clear of its border at any size used here.
    const Pt last_back[] = {{2 * cx - h, cy + 2 * w + 15}, {cx + 2 * w + 15, 40}, {40, cy + 2 * w + 15}};
    // Pixels that are neither table nor inside a name's box or (with rows) a row's box, a unit to spare.
    const auto strays = [&](bool rows) {
        std::vector<Box> allowed(kNameBoxes + 1, kNameBoxes + 5);
        if (rows) allowed.insert(allowed.end(), kRowBoxes + 2, kRowBoxes + 5);
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
    tw->player_names = kNames;
    tw->surface.Cls();
    paint_rows({});
    tw->current_player = 0;
    tw->Posiziona_Players();
    for (const auto& [sx, sy] : {std::pair{1.5, 1.5}, {0.6, 0.6}, {2.0, 1.0}, {0.8, 1.4}}) {
        SCOPED_TRACE(std::to_string(sx) + " x " + std::to_string(sy));
        tw->window().main_window().resize(int(design.width() * sx), int(design.height() * sy));
        tw->Form_Resize();
        for (const Pt p : last_back) EXPECT_NE(tw->surface.Point(p.x, p.y), kTable) << p.x << ", " << p.y;
        for (int s = 1; s <= 4; ++s) EXPECT_TRUE(shows_only(tw->surface, kNameBoxes[s], kGreen)) << "name " << s;
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
            for (float x = left ? 125.87f : 671.13f, y = 240; y < 600; y += 0.25f)
                if (s.Point(x, y) != kMarker && s.Point(x, y - 0.25f) == kMarker) tops[left].push_back(y);
        return tops;
    };
    const auto tops = print(kNames);
    // Ground from each name's place on, none above or left of it (where it may reach a pixel
    // further, under the first letter's smoothed edge).
    for (const Pt p : {Pt{373.27f, 465.13f}, Pt{373.27f, 124.87f}, Pt{670.13f, 263}, Pt{124.87f, 263}})
        EXPECT_TRUE(s.Point(p.x + 0.8f, p.y + 0.8f) != kMarker && s.Point(p.x - 1.5f, p.y + 3) == kMarker &&
                    s.Point(p.x + 3, p.y - 0.8f) == kMarker) << p.x << ", " << p.y;
    const float step = s.FontSize() + 5;
    EXPECT_TRUE(tops[0].size() == 5 && tops[1].size() == 4);
    for (int left : {0, 1})
        for (std::size_t k = 1; k <= tops[left].size(); ++k)
            EXPECT_NEAR(tops[left][k - 1], 250 + k * step, 0.8) << (left ? "left" : "right") << ", letter " << k;
    // Empty names print nothing; an accented letter, whole or with its mark after it, takes one line.
    auto t = print({"", "", "Zoë", "", "Nicolò"});
    EXPECT_TRUE(t[0].size() == 3 && t[1].size() == 6 && box_is(s, kNameBoxes[1], kMarker) && box_is(s, kNameBoxes[3], kMarker));
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
                EXPECT_TRUE(shows_only(tw->surface, kNameBoxes[s], s == seat ? step.colour : kGreen))
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
        const auto card = [&](int seat) -> ui::PictureBox& { return tw->carta[c.by_seat[seat]]; };
        for (int s = 1; s <= 4; ++s) card(s).Move(trick_slot(*tw, s).x, trick_slot(*tw, s).y);
        tw->hand_number = 1;
        tw->trick_cards = c.by_seat;
        tw->trick_leader = c.leader;
        tw->DETERMINO_TURNO();
        tw->Text2.Show();
        const float cx = tw->center_x, cy = tw->center_y, cw = tw->card_width, ch = card(c.winner).Height();
        const Pt goal = trick_slot(*tw, c.winner), d = away[c.winner];
        const Pt slide_end{cx + 2 * cw * d.x, cy + 2 * cw * d.y}, shrink_end{cx + 3 * cw * d.x, cy + 3 * cw * d.y};

        // A zero-interval timer fires once in every event pass: once a frame, before its move.
        int frame = 0, fault = -1;  // the first frame found wrong, ten times over, plus its seat
        double narrowed = cw;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (!tw->animating()) return;
            const int phase = frame / 300, k = frame++ % 300;
            if (phase == 5 && k > 0) narrowed *= (300.0 - k) / 300.0;
            for (int s = 1; s <= 4; ++s) {
                const auto turn = std::find(c.order.begin(), c.order.end(), s) - c.order.begin();
                Pt at = trick_slot(*tw, s);
                if (s == c.winner && phase == 4) at = k == 0 ? goal : lerp(goal, slide_end, k - 1);
                else if (s == c.winner && phase == 5) at = k ? lerp(slide_end, shrink_end, k - 1) : lerp(goal, slide_end, 299);
                else if (turn == phase && k > 0) at = lerp(trick_slot(*tw, s), goal, k - 1);
                else if (turn < phase && s != c.winner) at = kParked;
                const double width = s == c.winner && phase == 5 ? narrowed : cw;
                if (fault < 0 && (tw->anim_step != k || !near(place(card(s)), at, 2e-3) ||
                                  std::abs(card(s).Width() - width) > width * 1e-4 + 1e-6 || tw->Text2.Visible()))
                    fault = (frame - 1) * 10 + s;
            }
        });
        std::vector<std::pair<double, int>> pauses;  // length, frames before it
        tw->test_hooks.pause = [&](double t) { pauses.push_back({t, frame}); };
        timer.start(0);
        tw->muovo_carte_prese();

        EXPECT_TRUE(frame == 1800 && fault < 0) << frame << " frames; frame " << fault / 10 << ", seat " << fault % 10;
        EXPECT_EQ(pauses, (std::vector<std::pair<double, int>>{{0.5, 1200}})) << "between gathering and slide";
        for (int s = 1; s <= 4; ++s)
            EXPECT_TRUE(near(place(card(s)), kParked, 0) && near({card(s).Width(), card(s).Height()}, {cw, ch}, 1e-4)) << s;
        EXPECT_FALSE(tw->Text2.Visible() || tw->animating());
    }
}

}  // namespace
