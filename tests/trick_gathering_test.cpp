// The trick gathering: every frame of the four cards sliding one by one onto the winner's card,
// strongest first, and of the winner's card leaving toward its seat as it narrows away.
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "test_window.h"

using testing_support::TestWindow;

namespace {

constexpr float kPark = 2500;

struct Pt {
    float x, y;
};

int stack_index(const ui::BoxedControl& c) { return int(c.widget()->parentWidget()->children().indexOf(c.widget())); }

// One frame as seen from an event pass: each seat's card image, before the frame's move.
struct Frame {
    int step;
    std::array<Pt, 5> at;
    std::array<float, 5> width;
    bool rules_shown;
};

struct Gathering {
    std::vector<Frame> frames;
    std::vector<std::pair<double, std::size_t>> pauses;  // length, frames before it
};

// A seat's trick slot around the table centre.
Pt trick_slot(const frmGioco& w, int seat) {
    const float cx = w.center_x, cy = w.center_y, cw = w.card_width, ch = w.card_height;
    const Pt slot_at[] = {{}, {cx + 3, cy + 3}, {cx + 3, cy - ch - 3}, {cx - cw - 3, cy - ch - 3}, {cx - cw - 3, cy + 3}};
    return slot_at[seat];
}

// The trick as the trick loop leaves it: each card at its seat's trick slot, then resolved.
void lay_trick(frmGioco& w, std::array<std::uint8_t, 5> by_seat, std::uint8_t leader) {
    for (int s = 1; s <= 4; ++s) {
        w.carta[by_seat[s]].Move(trick_slot(w, s).x, trick_slot(w, s).y);
        w.carta[by_seat[s]].Show();
    }
    w.hand_number = 1;
    w.trick_cards = by_seat;
    w.trick_leader = leader;
    w.DETERMINO_TURNO();
}

// Runs the animation with a zero-interval timer, which fires once in every event pass.
Gathering gather(TestWindow& tw, std::array<std::uint8_t, 5> by_seat) {
    Gathering g;
    QTimer frame_timer;
    frame_timer.setInterval(0);
    QObject::connect(&frame_timer, &QTimer::timeout, [&] {
        if (!tw->animation_running) return;
        Frame f{tw->anim_step, {}, {}, tw->Text2.Visible()};
        for (int s = 1; s <= 4; ++s) {
            const ui::PictureBox& c = tw->carta[by_seat[s]];
            f.at[s] = {c.Left(), c.Top()};
            f.width[s] = c.Width();
        }
        g.frames.push_back(f);
    });
    tw->test_hooks.pause = [&](double t) { g.pauses.push_back({t, g.frames.size()}); };
    frame_timer.start();
    tw->muovo_carte_prese();
    frame_timer.stop();
    return g;
}

Pt lerp(Pt s, Pt t, int k) { return {s.x + (t.x - s.x) * float(k) / 300, s.y + (t.y - s.y) * float(k) / 300}; }

// Checks every frame: the cards gathered in `order` (seats), each sliding from its slot to the
// winner's slot and parked as its phase ends, then the winner's card sliding to `slide_end`
// and narrowing on to `shrink_end`.
void check_frames(TestWindow& tw, const Gathering& g, std::array<int, 4> order, int winner, Pt slide_end,
                  Pt shrink_end) {
    const float cw = tw->card_width;
    const Pt goal = trick_slot(*tw, winner);
    ASSERT_EQ(g.frames.size(), 1800u);
    double narrowed = cw;
    for (std::size_t j = 0; j < g.frames.size(); ++j) {
        const Frame& f = g.frames[j];
        const int phase = int(j / 300), k = int(j % 300);
        ASSERT_EQ(f.step, k) << "frame " << j;
        if (phase == 5 && k > 0) narrowed *= (300.0 - k) / 300.0;
        for (int s = 1; s <= 4; ++s) {
            const int turn = int(std::find(order.begin(), order.end(), s) - order.begin());
            Pt expected = trick_slot(*tw, s);
            if (s == winner && phase == 4) expected = k == 0 ? goal : lerp(goal, slide_end, k - 1);
            else if (s == winner && phase == 5) expected = k == 0 ? lerp(goal, slide_end, 299) : lerp(slide_end, shrink_end, k - 1);
            else if (turn == phase && k > 0) expected = lerp(trick_slot(*tw, s), goal, k - 1);
            else if (turn < phase && s != winner) expected = {kPark, kPark};
            ASSERT_NEAR(f.at[s].x, expected.x, 2e-3) << "frame " << j << ", seat " << s;
            ASSERT_NEAR(f.at[s].y, expected.y, 2e-3) << "frame " << j << ", seat " << s;
            const double width = s == winner && phase == 5 ? narrowed : cw;
            ASSERT_NEAR(f.width[s], width, width * 1e-4 + 1e-6) << "frame " << j << ", seat " << s;
        }
        ASSERT_FALSE(f.rules_shown);
    }
    ASSERT_EQ(g.pauses.size(), 1u);
    EXPECT_EQ(g.pauses[0].first, 0.5);
    EXPECT_EQ(g.pauses[0].second, 1200u) << "the pause comes between the gathering and the slide";
}

// Seat 1 leads the 4 of Denari, seat 2 plays the 5, seat 3 the 3 of Coppe, seat 4 the 6 of
// Denari and takes the trick: the 3 of Coppe comes first, the 6 stays put, then the 5 and the 4.
TEST(Gathering, ExampleTrickGoesStrongestFirstToTheWinner) {
    TestWindow tw;
    const std::array<std::uint8_t, 5> by_seat{0, 4, 5, 13, 6};
    lay_trick(*tw, by_seat, 1);
    ASSERT_EQ(tw->current_player, 4);
    const auto trick_cards = tw->trick_cards, last_trick_cards = tw->last_trick_cards;
    tw->Text2.Show();
    const float cx = tw->center_x, cy = tw->center_y, cw = tw->card_width;
    const float height = tw->carta[6].Height();
    const Gathering g = gather(tw, by_seat);
    check_frames(tw, g, {3, 4, 2, 1}, 4, {cx - 2 * cw, cy}, {cx - 3 * cw, cy});
    ASSERT_EQ(g.frames.size(), 1800u);
    // Narrowing: about half after 20 frames, under a unit after 48.
    EXPECT_NEAR(g.frames[1500 + 20].width[4] / cw, 0.5, 0.05);
    EXPECT_LT(g.frames[1500 + 48].width[4], 1.0f);
    EXPECT_GT(g.frames[1500 + 47].width[4], 1.0f);
    // All parked; the winner at its face's own size again and above the others.
    for (int s = 1; s <= 4; ++s) {
        EXPECT_EQ(tw->carta[by_seat[s]].Left(), kPark);
        EXPECT_EQ(tw->carta[by_seat[s]].Top(), kPark);
        EXPECT_NEAR(tw->carta[by_seat[s]].Width(), cw, 1e-4);
        EXPECT_NEAR(tw->carta[by_seat[s]].Height(), height, 1e-4);
        if (s != 4) {
            EXPECT_GT(stack_index(tw->carta[6]), stack_index(tw->carta[by_seat[s]]));
        }
    }
    EXPECT_EQ(tw->carta[0].picture(), 6);
    EXPECT_FALSE(tw->carta[0].Visible());
    EXPECT_FALSE(tw->Text2.Visible());
    EXPECT_FALSE(tw->animation_running);
    EXPECT_EQ(tw->anim_step, 300);
    EXPECT_EQ(tw->current_player, 4);
    EXPECT_EQ(tw->trick_cards, trick_cards);
    EXPECT_EQ(tw->last_trick_cards, last_trick_cards);
}

// The winner leads the 3 of Denari and the others play Coppe: its own card is gathered first
// with no motion, and it leaves toward its seat: down, right, up, left.
TEST(Gathering, WinnersCardLeavesTowardItsSeat) {
    for (std::uint8_t winner = 1; winner <= 4; ++winner) {
        SCOPED_TRACE("winner " + std::to_string(winner));
        TestWindow tw;
        std::array<std::uint8_t, 5> by_seat{};
        std::array<int, 4> order{winner};
        // The others play the 6, 5 and 4 of Coppe in seat order, and are gathered in that order.
        for (int s = 1, n = 1; s <= 4; ++s) {
            if (s == winner) {
                by_seat[s] = 3;
                continue;
            }
            by_seat[s] = std::uint8_t(17 - n);
            order[n++] = s;
        }
        lay_trick(*tw, by_seat, winner);
        ASSERT_EQ(tw->current_player, winner);
        const float cx = tw->center_x, cy = tw->center_y, w = tw->card_width;
        const Pt slide[] = {{}, {cx, cy + 2 * w}, {cx + 2 * w, cy}, {cx, cy - 2 * w}, {cx - 2 * w, cy}};
        const Pt shrink[] = {{}, {cx, cy + 3 * w}, {cx + 3 * w, cy}, {cx, cy - 3 * w}, {cx - 3 * w, cy}};
        check_frames(tw, gather(tw, by_seat), order, winner, slide[winner], shrink[winner]);
    }
}

}  // namespace
