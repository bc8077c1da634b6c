// A dealt hand in suit order, strongest first inside a suit, and the user's row laid out
// again in that order.
#include <gtest/gtest.h>

#include <QWidget>

#include <array>
#include <vector>

#include "test_window.h"

namespace {

using Hand = std::array<std::uint8_t, 10>;

void put_hand(frmGioco& w, int seat, const Hand& cards) {
    for (int i = 0; i < 10; ++i) w.hands[seat][i + 1] = cards[i];
}

Hand hand_of(const frmGioco& w, int seat) {
    Hand h{};
    for (int i = 0; i < 10; ++i) h[i] = w.hands[seat][i + 1];
    return h;
}

// Position of a card image in its parent's stacking order (later is in front).
int stacking_index(const table::PictureBox& box) {
    const QObjectList& siblings = box.widget()->parentWidget()->children();
    return static_cast<int>(siblings.indexOf(box.widget()));
}

TEST(HandSort, SortsBySuitThenStrongestFirst) {
    testing_support::TestWindow tw;
    put_hand(*tw, 1, {5, 3, 13, 21, 33, 40, 1, 28, 39, 10});
    tw->input_lock = 0;
    tw->OrdMieCarte(1);
    EXPECT_EQ(hand_of(*tw, 1), (Hand{3, 1, 10, 5, 13, 21, 28, 33, 40, 39}));
    EXPECT_EQ(tw->input_lock, 100);
    // The slots outside the hand stay empty.
    EXPECT_EQ(tw->hands[1][0], 0);
    EXPECT_EQ(tw->hands[1][11], 0);

    // A hand of one suit follows the taking order 3, 2, Ace, Re, Cavallo, Fante, 7, 6, 5, 4.
    put_hand(*tw, 3, {34, 31, 37, 40, 35, 32, 38, 36, 33, 39});
    tw->OrdMieCarte(3);
    EXPECT_EQ(hand_of(*tw, 3), (Hand{33, 32, 31, 40, 39, 38, 37, 36, 35, 34}));

    // Suits in the order Denari, Coppe, Bastoni, Spade whatever the dealt order.
    put_hand(*tw, 2, {40, 30, 20, 10, 31, 21, 11, 1, 25, 15});
    tw->OrdMieCarte(2);
    EXPECT_EQ(hand_of(*tw, 2), (Hand{1, 10, 11, 20, 15, 21, 30, 25, 31, 40}));
}

TEST(HandSort, LaysTheUsersRowOutInSortedOrder) {
    testing_support::TestWindow tw;
    const Hand dealt{5, 3, 13, 21, 33, 40, 1, 28, 39, 10};
    // Dealt in the order given, each card brought to the front as the deal does.
    for (int i = 0; i < 10; ++i) {
        tw->carta[dealt[i]].Move(10.0f * i, 10.0f);
        tw->carta[dealt[i]].ToFront();
    }
    put_hand(*tw, 1, dealt);
    tw->OrdMieCarte(1);

    const float cx = tw->center_x, cy = tw->center_y, w = tw->card_width, h = tw->card_height;
    for (int i = 1; i <= 10; ++i) {
        const auto& card = tw->carta[tw->hands[1][i]];
        EXPECT_NEAR(card.Left(), cx + (i - 6) * w * 0.5f, 0.01) << "slot " << i;
        EXPECT_NEAR(card.Top(), 2 * cy - h - 20, 0.01) << "slot " << i;
    }
    EXPECT_NEAR(tw->carta[tw->hands[1][1]].Left(), cx - 2.5f * w, 0.01);
    EXPECT_NEAR(tw->carta[tw->hands[1][10]].Left(), cx + 2.0f * w, 0.01);

    // Each slot lies over the one before it, so slot 10 is the one card shown whole.
    for (int i = 2; i <= 10; ++i)
        EXPECT_GT(stacking_index(tw->carta[tw->hands[1][i]]), stacking_index(tw->carta[tw->hands[1][i - 1]]))
            << "slot " << i;
}

TEST(HandSort, ComputerHandsMoveNoCardImage) {
    testing_support::TestWindow tw;
    const Hand dealt{40, 2, 17, 23, 9, 31, 12, 26, 4, 38};
    std::vector<std::pair<float, float>> before;
    for (auto c : dealt) before.emplace_back(tw->carta[c].Left(), tw->carta[c].Top());
    for (int seat = 2; seat <= 4; ++seat) {
        put_hand(*tw, seat, dealt);
        tw->OrdMieCarte(static_cast<std::uint8_t>(seat));
    }
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(tw->carta[dealt[i]].Left(), before[i].first);
        EXPECT_EQ(tw->carta[dealt[i]].Top(), before[i].second);
    }
}

}  // namespace
