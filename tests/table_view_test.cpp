// The table view: a played card shown beside its seat and then in its trick slot, the rows of
// backs repainted without the cards played, the seat names, and the surface keeping every
// drawing at its logical place when the window changes size.
#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

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

struct Pt {
    float x, y;
};
struct Box {
    float x1, y1, x2, y2;
};

// Each computer seat's row box of backs at the design size: right, top, left.
const Box kRowBoxes[] = {{}, {}, {684.13f, 165.35f, 782, 467.72f}, {265.35f, 19, 562.38f, 116.87f},
                         {19, 165.35f, 116.87f, 467.72f}};

// Every seat holds ten unplayed cards; the listed slots of `seat` are marked played.
void deal_rows(frmGioco& w, int seat = 0, std::vector<int> played = {}) {
    for (int s = 1; s <= 4; ++s)
        for (int i = 1; i <= 10; ++i) w.hands[s][i] = std::uint8_t((s - 1) * 10 + i);
    for (int i : played) w.hands[seat][i] += 100;
}

// Repaints a computer seat's row of backs as its card move does.
void paint_row(frmGioco& w, int seat) {
    w.current_player = std::uint8_t(seat);
    if (seat == 3) {
        w.cancella_dorsov();
    } else {
        w.cancella_dorsoo();
    }
}

// The bottom-most control on the table, as the toolkit stacks them.
QWidget* bottom_control(const ui::BoxedControl& c) {
    for (QObject* o : c.widget()->parentWidget()->children())
        if (auto* widget = qobject_cast<QWidget*>(o)) return widget;
    return nullptr;
}

Rgb pixel(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return Rgb{std::uint8_t(qRed(p)), std::uint8_t(qGreen(p)), std::uint8_t(qBlue(p))};
}

// Pixels where two images differ, with the first one found.
int differing_pixels(const QImage& a, const QImage& b, QPoint* first) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* line_a = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* line_b = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            if (line_a[x] != line_b[x] && count++ == 0) *first = {x, y};
    }
    return count;
}

// Pixels of the surface that are not the table colour, with the first one found.
int stray_pixels(const QImage& image, QPoint* first) {
    QImage table(image.size(), image.format());
    table.fill(QColor(kTable.r, kTable.g, kTable.b));
    return differing_pixels(image, table, first);
}

// How much of a colour a pixel shows over the table, as antialiased text leaves it: 0 bare
// table, 1 the colour itself; -1 when the pixel is no mix of the two.
double share_of(Rgb p, Rgb colour) {
    const int d[] = {colour.r - kTable.r, colour.g - kTable.g, colour.b - kTable.b};
    const int v[] = {p.r - kTable.r, p.g - kTable.g, p.b - kTable.b};
    int main = 0;
    for (int i = 1; i < 3; ++i)
        if (std::abs(d[i]) > std::abs(d[main])) main = i;
    const double share = double(v[main]) / d[main];
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

// ---------------------------------------------------------------- played card

// Design-size places: where the card shows beside its seat, then its trick slot.
TEST(PlayedCard, ShowsBesideItsSeatThenJumpsToItsTrickSlot) {
    struct Case {
        int seat, card;
        Pt shown, slot;
    };
    const Case cases[] = {{2, 15, {496.23f, 252.57f}, {403, 202.13f}},
                          {3, 27, {239.62f, 128.07f}, {343.54f, 202.13f}},
                          {4, 38, {228.93f, 252.57f}, {343.54f, 303}},
                          {1, 6, {506.92f, 387.27f}, {403, 303}}};
    TestWindow tw;
    for (const Case& c : cases) {
        SCOPED_TRACE("seat " + std::to_string(c.seat));
        ui::PictureBox& card = tw->carta[c.card];
        deal_rows(*tw, c.seat, {c.card % 10 == 0 ? 10 : c.card % 10});
        // The user's card starts from the hand row; a computer's from its parking place.
        if (c.seat == 1) {
            card.Move(tw->center_x + 0.5f * tw->card_width, 2 * tw->center_y - tw->card_height - 20);
        } else {
            card.Move(kPark, kPark);
        }
        card.Show();
        card.ToFront();
        const float width = card.Width(), height = card.Height();
        tw->current_player = std::uint8_t(c.seat);
        tw->played_card = std::uint8_t(c.card);
        std::vector<double> pauses;
        Pt at_pause{};
        tw->test_hooks.pause = [&](double t) {
            pauses.push_back(t);
            at_pause = {card.Left(), card.Top()};
        };
        tw->muovo_carta_da_giocare();
        EXPECT_EQ(pauses, std::vector<double>{1.0});
        EXPECT_NEAR(at_pause.x, c.shown.x, 0.01);
        EXPECT_NEAR(at_pause.y, c.shown.y, 0.01);
        EXPECT_NEAR(card.Left(), c.slot.x, 0.01);
        EXPECT_NEAR(card.Top(), c.slot.y, 0.01);
        EXPECT_FLOAT_EQ(card.Width(), width);
        EXPECT_FLOAT_EQ(card.Height(), height);
        EXPECT_EQ(bottom_control(card), card.widget()) << "behind every other control";
    }
}

// ---------------------------------------------------------------- rows of backs

// The last card of a computer's hand: its whole row box is erased, exactly to the box's
// corners, and no back is painted.
TEST(Backs, LastCardErasesTheRowBoxToItsCorners) {
    TestWindow tw;
    for (const int seat : {2, 3, 4}) {
        SCOPED_TRACE("seat " + std::to_string(seat));
        const Box b = kRowBoxes[seat];
        tw->surface.Cls();
        tw->surface.FillBox(b.x1 - 5, b.y1 - 5, b.x2 + 5, b.y2 + 5, kRed);
        deal_rows(*tw, seat, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
        tw->current_player = std::uint8_t(seat);
        tw->played_card = tw->hands[seat][10] - 100;
        tw->muovo_carta_da_giocare();
        EXPECT_FALSE(box_shows_ink(tw->surface, b, kRed)) << "left inside the box";
        for (float x : {b.x1, b.x2})
            for (float y : {b.y1, b.y2}) EXPECT_EQ(tw->surface.Point(x, y), kTable) << x << ", " << y;
        for (float y : {b.y1, (b.y1 + b.y2) / 2, b.y2}) {
            EXPECT_EQ(tw->surface.Point(b.x1 - 0.6f, y), kRed);
            EXPECT_EQ(tw->surface.Point(b.x2 + 0.6f, y), kRed);
        }
        for (float x : {b.x1, (b.x1 + b.x2) / 2, b.x2}) {
            EXPECT_EQ(tw->surface.Point(x, b.y1 - 0.6f), kRed);
            EXPECT_EQ(tw->surface.Point(x, b.y2 + 0.6f), kRed);
        }
    }
}

// Slot 5 played in the middle of a row: what lay before slot 6 looks as if slots 5 to 10 were
// gone, and from slot 6 on the row looks as it did whole. A side row shows the table between.
TEST(Backs, PlayedSlotInTheMiddleLeavesItsGapAndTheOthersStay) {
    TestWindow tw;
    const double ux = tw->window().unit_x(), uy = tw->window().unit_y();
    const float cx = tw->center_x, cy = tw->center_y, h = tw->card_height;
    for (int seat : {2, 3, 4}) {
        SCOPED_TRACE("seat " + std::to_string(seat));
        const auto render = [&](std::vector<int> played) {
            tw->surface.Cls();
            deal_rows(*tw, seat, played);
            paint_row(*tw, seat);
            return tw->surface.image().copy();
        };
        const QImage first_four = render({5, 6, 7, 8, 9, 10}), whole = render({}), gap = render({5});
        // The band across the row, clear of the backs' rounded corners; slot 6 starts at the centre line.
        const bool side = seat != 3;
        const float across = seat == 2 ? 2 * cx - h - 20 : 20;
        const int a1 = int(std::floor((across + 6) * (side ? ux : uy)));
        const int a2 = int(std::floor((across + 46) * (side ? ux : uy)));
        const int slot6 = int(std::floor((side ? cy : cx) * (side ? uy : ux)));
        const int row_end = int(std::floor((side ? cy + 160 : cx + 160) * (side ? uy : ux)));
        const int row_start = int(std::floor((side ? cy - 135 : cx - 135) * (side ? uy : ux)));
        int differs_from_whole = 0;
        for (int along = row_start; along <= row_end; ++along)
            for (int a = a1; a <= a2; ++a) {
                const int x = side ? a : along, y = side ? along : a;
                const QImage& expected = along < slot6 ? first_four : whole;
                ASSERT_EQ(pixel(gap, x, y), pixel(expected, x, y)) << x << ", " << y;
                differs_from_whole += pixel(gap, x, y) != pixel(whole, x, y);
            }
        EXPECT_GT(differs_from_whole, 0) << "slot 5 still shows";
        if (side) {
            EXPECT_EQ(tw->surface.Point(across + 20, cy - 1), kTable) << "no gap between slots 4 and 6";
        }
    }
}

// ---------------------------------------------------------------- window sizes

struct Size {
    double w, h;
};
const Size kSizes[] = {{1.5, 1.5}, {0.6, 0.6}, {2.0, 1.0}, {0.8, 1.4}};

// A row painted at one size, repainted without one card at another, then without any at a
// third: the surface is bare table, nothing left where the backs were at any size.
TEST(Backs, RepaintLeavesNoTraceAtAnyWindowSize) {
    TestWindow tw;
    ui::MainWindow& f = tw->window().main_window();
    const QSize design = f.size();
    const auto resize = [&](Size s) {
        f.resize(int(design.width() * s.w), int(design.height() * s.h));
        tw->Form_Resize();
    };
    for (int seat : {2, 3, 4})
        for (std::size_t i = 0; i < std::size(kSizes); ++i) {
            SCOPED_TRACE("seat " + std::to_string(seat) + ", size " + std::to_string(i));
            resize({1, 1});
            tw->surface.Cls();
            deal_rows(*tw, seat);
            paint_row(*tw, seat);
            resize(kSizes[i]);
            deal_rows(*tw, seat, {5});
            paint_row(*tw, seat);
            resize(kSizes[(i + 1) % std::size(kSizes)]);
            deal_rows(*tw, seat, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
            paint_row(*tw, seat);
            QPoint first;
            EXPECT_EQ(stray_pixels(tw->surface.image(), &first), 0) << "first at pixel " << first.x() << ", " << first.y();
        }
}

// Rows and names painted at the design size stay at their logical places at every size, and
// nothing shows anywhere else.
TEST(Backs, ResizeKeepsRowsAndNamesAtTheirLogicalPlaces) {
    TestWindow tw;
    ui::MainWindow& f = tw->window().main_window();
    const QSize design = f.size();
    const float cx = tw->center_x, cy = tw->center_y, w = tw->card_width, h = tw->card_height;
    deal_rows(*tw);
    for (int seat : {2, 3, 4}) paint_row(*tw, seat);
    tw->player_names = {"", "You", "Right", "Top", "Left"};
    tw->current_player = 0;
    tw->Posiziona_Players();
    // Inside the last back of each row, well clear of its border at any zoom used here.
    const Pt backs[] = {{2 * cx - h - 20 + 20, cy + 2 * w + 15}, {20 + 20, cy + 2 * w + 15}, {cx + 2 * w + 15, 20 + 20}};
    for (const Size s : kSizes) {
        SCOPED_TRACE(std::to_string(s.w) + " x " + std::to_string(s.h));
        f.resize(int(design.width() * s.w), int(design.height() * s.h));
        tw->Form_Resize();
        ui::Surface& surface = tw->surface;
        for (const Pt p : backs) EXPECT_NE(surface.Point(p.x, p.y), kTable) << p.x << ", " << p.y;
        const float line = surface.TextHeight();
        const Box names[] = {{cx - w / 2, 2 * cy - h - 40, cx - w / 2 + surface.TextWidth("You"), 2 * cy - h - 40 + line},
                             {cx - w / 2, h + 30, cx - w / 2 + surface.TextWidth("Top"), h + 30 + line},
                             {2 * cx - h - 35, 263, 2 * cx - h - 35 + surface.TextWidth("W"), 250 + 5 * 13 + line},
                             {h + 30, 263, h + 30 + surface.TextWidth("W"), 250 + 4 * 13 + line}};
        for (const Box b : names) EXPECT_TRUE(box_shows_ink(surface, b, kGreen)) << b.x1 << ", " << b.y1;
        // Every pixel that is not table lies in a row box or a name's box.
        const QImage& image = surface.image();
        const double ux = tw->window().unit_x(), uy = tw->window().unit_y();
        int strays = 0;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2) {
                if (pixel(image, x, y) == kTable) continue;
                const float lx = float(x / ux), ly = float(y / uy);
                bool placed = false;
                for (int seat : {2, 3, 4}) {
                    const Box b = kRowBoxes[seat];
                    placed |= lx >= b.x1 - 1 && lx <= b.x2 + 1 && ly >= b.y1 - 1 && ly <= b.y2 + 1;
                }
                for (const Box b : names) placed |= lx >= b.x1 - 1 && lx <= b.x2 + 3 && ly >= b.y1 - 1 && ly <= b.y2 + 1;
                strays += !placed;
            }
        EXPECT_EQ(strays, 0);
    }
}

// ---------------------------------------------------------------- seat names

struct Names {
    TestWindow tw;
    ui::Surface& s = tw->surface;
    // The names printed on the bare table or, with marker, over a colour where each print's ground shows.
    void print(std::array<std::string, 5> names, int current = 0, int dealer = 0, int choose = 0, bool marker = false) {
        s.Cls();
        if (marker) s.FillBox(0, 0, 800, 600, kMarker);
        tw->player_names = names;
        tw->current_player = std::uint8_t(current);
        tw->dealer = std::uint8_t(dealer);
        tw->choose_dealer = std::uint8_t(choose);
        tw->Posiziona_Players();
    }
    // Lines printed down a side column: the tops of the runs of ground along it.
    std::vector<float> lines(float x) const {
        std::vector<float> tops;
        bool in = false;
        for (float y = 240; y < 600; y += 0.25f) {
            const bool ground = s.Point(x + 1, y) != kMarker;
            if (ground && !in) tops.push_back(y);
            in = ground;
        }
        return tops;
    }
};

TEST(SeatNames, StartAtTheirSeatsAndRunDownTheSides) {
    Names n;
    n.print({"", "You", "Right", "Top", "Left"}, 0, 0, 0, true);
    ui::Surface& s = n.s;
    for (const Pt p : {Pt{373.27f, 465.13f}, Pt{373.27f, 124.87f}, Pt{670.13f, 263}, Pt{124.87f, 263}}) {
        EXPECT_NE(s.Point(p.x + 0.8f, p.y + 0.8f), kMarker) << p.x << ", " << p.y;
        // The ground may reach a pixel further left, under the first letter's smoothed edge.
        EXPECT_EQ(s.Point(p.x - 1.5f, p.y + 3), kMarker) << p.x << ", " << p.y;
        EXPECT_EQ(s.Point(p.x + 3, p.y - 0.8f), kMarker) << p.x << ", " << p.y;
    }
    const float step = s.FontSize() + 5;
    for (const auto& [x, letters] : {std::pair{670.13f, 5}, std::pair{124.87f, 4}}) {
        const std::vector<float> tops = n.lines(x);
        ASSERT_EQ(tops.size(), std::size_t(letters)) << x;
        for (int k = 1; k <= letters; ++k) EXPECT_NEAR(tops[k - 1], 250 + k * step, 0.8) << x << ", letter " << k;
    }
}

TEST(SeatNames, EmptyNamesPrintNothingAndAccentedLettersTakeOneLineEach) {
    Names n;
    n.print({"", "", "Zoë", "", "Nicolò"}, 0, 0, 0, true);
    for (const Pt p : {Pt{373.27f, 465.13f}, Pt{373.27f, 124.87f}})
        for (float x = p.x - 1; x < p.x + 30; x += 0.5f)
            for (float y = p.y - 1; y < p.y + 10; y += 0.5f) ASSERT_EQ(n.s.Point(x, y), kMarker) << x << ", " << y;
    EXPECT_EQ(n.lines(670.13f).size(), 3u);
    EXPECT_EQ(n.lines(124.87f).size(), 6u);
    // An accent written as a mark after its letter stays on the letter's line.
    n.print({"", "Ann", "Zoe\xCC\x88", "Bo", ""}, 0, 0, 0, true);
    EXPECT_EQ(n.lines(670.13f).size(), 3u);
    EXPECT_EQ(n.lines(124.87f).size(), 0u);
}

// Around each of the names "You", "Right", "Top", "Left" at the design size, a unit to spare.
const Box kNameBoxes[] = {{},
                          {372.27f, 464.13f, 373.27f + 22, 465.13f + 9},
                          {669.13f, 262, 670.13f + 8, 263 + 4 * 13 + 9},
                          {372.27f, 123.87f, 373.27f + 22, 124.87f + 9},
                          {123.87f, 262, 124.87f + 8, 263 + 3 * 13 + 9}};

// Green, white for the player to move, pink for the dealer just drawn while the draw shows it.
TEST(SeatNames, ColoursFollowTheTurnAndTheDealerDraw) {
    struct Case {
        int current, dealer, choose;
        Rgb colours[5];  // by seat
    };
    const Case cases[] = {{0, 1, 1, {{}, kGreen, kGreen, kGreen, kGreen}},
                          {3, 3, 1, {{}, kGreen, kGreen, kPink, kGreen}},
                          {3, 3, 0, {{}, kGreen, kGreen, kWhite, kGreen}},
                          {2, 4, 1, {{}, kGreen, kWhite, kGreen, kGreen}},
                          {1, 1, 1, {{}, kPink, kGreen, kGreen, kGreen}},
                          {4, 2, 1, {{}, kGreen, kGreen, kGreen, kWhite}}};
    Names n;
    for (const Case& c : cases) {
        n.print({"", "You", "Right", "Top", "Left"}, c.current, c.dealer, c.choose);
        for (int s = 1; s <= 4; ++s)
            EXPECT_TRUE(box_shows_ink(n.s, kNameBoxes[s], c.colours[s], true))
                << "current " << c.current << ", dealer " << c.dealer << ", draw " << c.choose << ": seat " << s;
    }
}

// A name printed again in another colour shows that colour alone: no pixel keeps any of the
// old colour's ink, at the edges of the letters included.
TEST(SeatNames, PrintedAgainShowsOnlyTheNewColour) {
    Names n;
    const std::array<std::string, 5> names{"", "You", "Right", "Top", "Left"};
    for (int again : {1, 2, 3, 4}) {
        SCOPED_TRACE("seat " + std::to_string(again));
        n.print(names, again, again, 1);
        n.tw->current_player = 0;
        n.tw->Posiziona_Players();
        for (int s = 1; s <= 4; ++s) EXPECT_TRUE(box_shows_ink(n.s, kNameBoxes[s], kGreen, true)) << "pink, then green: seat " << s;
        n.tw->current_player = std::uint8_t(again);
        n.tw->choose_dealer = 0;
        n.tw->Posiziona_Players();
        EXPECT_TRUE(box_shows_ink(n.s, kNameBoxes[again], kWhite, true)) << "green, then white";
    }
}

}  // namespace
