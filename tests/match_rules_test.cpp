// The card code, the rule tables, who deals, the shuffle, the sorted hand and the user's row,
// and when a match is over.
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "test_window.h"

using testing_support::TestWindow;

namespace {

// Every byte: the Re of each suit (10..40), no card (0) and the played codes (101..140,
// whose suits 11..14 match no suit).
TEST(CardCode, SuitAndNumberMatchTheClosedFormsForEveryByte) {
    for (int v = 0; v <= 255; ++v) {
        EXPECT_EQ(frmGioco::seme_carta(std::uint8_t(v)), (v + 9) / 10) << "card " << v;
        EXPECT_EQ(frmGioco::numero_carta(std::uint8_t(v)), v % 10 != 0 ? v % 10 : 10) << "card " << v;
    }
}

TEST(RuleTables, HoldTheirValuesAfterStartUp) {
    TestWindow tw;
    const float third = 1.0f / 3.0f;  // the single-precision quotient, not a rounded literal
    EXPECT_EQ(tw->card_strength, (std::array<float, 11>{0, 11, 12, 13, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(tw->card_points, (std::array<float, 11>{0, 1, third, third, 0, 0, 0, 0, third, third, third}));
    EXPECT_EQ(tw->suit_names, (std::array<std::string, 5>{"", "Denari", "Coppe", "Bastoni", "Spade"}));
}

// Numbers drawn by seats 1, 2, 3, 4.
std::uint8_t dealer_for(frmGioco& w, std::array<std::uint8_t, 4> by_seat) {
    for (int s = 1; s <= 4; ++s) w.draw_number[s] = by_seat[s - 1];
    w.dealer = 3;  // left from an earlier match: the rule must overwrite it
    w.ord_massimo();
    return w.dealer;
}

TEST(DealerRule, HighestNumberDealsAndATieForItGivesNone) {
    TestWindow tw;
    EXPECT_EQ(dealer_for(*tw, {3, 10, 7, 10}), 0);   // Re, Re: seats 2 and 4 tie
    EXPECT_EQ(dealer_for(*tw, {8, 3, 3, 2}), 1);     // by number, not strength: the Fante deals
    // A tie below the highest number does not matter, wherever the highest stands.
    EXPECT_EQ(dealer_for(*tw, {5, 5, 9, 1}), 3);
    EXPECT_EQ(dealer_for(*tw, {1, 1, 1, 2}), 4);
    EXPECT_EQ(dealer_for(*tw, {10, 9, 9, 9}), 1);
    EXPECT_EQ(dealer_for(*tw, {4, 6, 4, 4}), 2);
    EXPECT_EQ(dealer_for(*tw, {7, 7, 7, 7}), 0);
}

// Cards 1..40 once each after the unused element 0.
bool whole_pack(std::array<std::int16_t, 41> deck) {
    std::sort(deck.begin() + 1, deck.end());
    for (int i = 0; i <= 40; ++i)
        if (deck[i] != i) return false;
    return true;
}

// Each card once, any card first or last; a seed always gives the same pack, another seed
// another; seeded from the clock, as the game does, the pack changes as the clock moves on.
TEST(Shuffle, EachCardOnceAndTheSameOrderForTheSameSeed) {
    TestWindow tw;
    std::array<bool, 41> seen_first{}, seen_last{};
    for (std::uint32_t seed = 1; seed <= 2000; ++seed) {
        tw->test_hooks.shuffle_seed = seed;
        tw->Mescola();
        EXPECT_TRUE(whole_pack(tw->deck)) << "seed " << seed;
        seen_first[tw->deck[1]] = seen_last[tw->deck[40]] = true;
    }
    for (int c = 1; c <= 40; ++c) EXPECT_TRUE(seen_first[c] && seen_last[c]) << "card " << c;
    const auto last = tw->deck;
    tw->Mescola();
    EXPECT_EQ(tw->deck, last);
    tw->test_hooks.shuffle_seed = 1999;
    tw->Mescola();
    EXPECT_NE(tw->deck, last);
    tw->test_hooks.shuffle_seed.reset();
    tw->Mescola();
    const auto clock_first = tw->deck;
    EXPECT_TRUE(whole_pack(clock_first));
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    tw->Mescola();
    EXPECT_NE(tw->deck, clock_first);
}

using Hand = std::array<std::uint8_t, 10>;

// The hand as the sort leaves it.
Hand sorted(frmGioco& w, int seat, const Hand& cards) {
    std::copy(cards.begin(), cards.end(), &w.hands[seat][1]);
    w.OrdMieCarte(std::uint8_t(seat));
    Hand h{};
    std::copy(&w.hands[seat][1], &w.hands[seat][11], h.begin());
    return h;
}

TEST(HandSort, SortsBySuitThenStrongestFirst) {
    TestWindow tw;
    tw->input_lock = 0;
    EXPECT_EQ(sorted(*tw, 1, {5, 3, 13, 21, 33, 40, 1, 28, 39, 10}), (Hand{3, 1, 10, 5, 13, 21, 28, 33, 40, 39}));
    EXPECT_EQ(tw->input_lock, 100);
    // One suit follows the taking order 3, 2, Ace, Re, Cavallo, Fante, 7, 6, 5, 4.
    EXPECT_EQ(sorted(*tw, 3, {34, 31, 37, 40, 35, 32, 38, 36, 33, 39}),
              (Hand{33, 32, 31, 40, 39, 38, 37, 36, 35, 34}));
}

int stacking_index(const ui::PictureBox& box) {
    return int(box.widget()->parentWidget()->children().indexOf(box.widget()));
}

// The user's cards are laid out again; a computer seat's sort moves no card image.
TEST(HandSort, LaysTheUsersRowOutInSortedOrder) {
    TestWindow tw;
    const Hand dealt{5, 3, 13, 21, 33, 40, 1, 28, 39, 10}, computers{2, 4, 6, 7, 8, 9, 11, 12, 14, 15};
    for (int i = 0; i < 10; ++i) {  // each card brought to the front as the deal does
        tw->carta[dealt[i]].Move(10.0f * i, 10.0f);
        tw->carta[dealt[i]].ToFront();
    }
    sorted(*tw, 1, dealt);
    const float cx = tw->center_x, w = tw->card_width;
    for (int i = 1; i <= 10; ++i) {
        const auto& card = tw->carta[tw->hands[1][i]];
        // Half a card apart, from 2.5 cards left of the middle, 20 units above the bottom.
        EXPECT_NEAR(card.Left(), cx - 2.5f * w + (i - 1) * w * 0.5f, 0.01) << "slot " << i;
        EXPECT_NEAR(card.Top(), 600 - tw->card_height - 20, 0.01) << "slot " << i;
        // Each slot lies over the one before it, so slot 10 is the one card shown whole.
        if (i > 1) {
            EXPECT_GT(stacking_index(card), stacking_index(tw->carta[tw->hands[1][i - 1]])) << "slot " << i;
        }
    }
    std::vector<std::pair<float, float>> before;
    for (int c = 1; c <= 40; ++c) before.emplace_back(tw->carta[c].Left(), tw->carta[c].Top());
    for (int seat = 2; seat <= 4; ++seat) sorted(*tw, seat, computers);
    for (int c = 1; c <= 40; ++c)
        EXPECT_EQ(std::make_pair(tw->carta[c].Left(), tw->carta[c].Top()), before[c - 1]) << "card " << c;
}

bool over_after(frmGioco& w, std::array<std::int16_t, 4> totals, std::uint8_t hand = 5) {
    for (int s = 1; s <= 4; ++s) w.match_totals[s] = totals[s - 1];
    w.hand_number = hand;
    w.Ord_Punteggio();
    return w.match_is_over();
}

// Over when the highest total is 110 or more and the lowest belongs to one player alone, or
// after the thirtieth hand whatever the totals.
TEST(EndOfMatch, HighestAt110WithOneLowestOrTheThirtiethHand) {
    TestWindow tw;
    EXPECT_FALSE(over_after(*tw, {112, 60, 40, 40}));  // lowest shared
    EXPECT_TRUE(over_after(*tw, {130, 70, 45, 41}));
    EXPECT_TRUE(over_after(*tw, {110, 60, 50, 40}));   // exactly 110
    EXPECT_FALSE(over_after(*tw, {109, 60, 50, 40}));
    EXPECT_TRUE(over_after(*tw, {120, 120, 50, 30}));  // a tie above the lowest does not matter
    EXPECT_FALSE(over_after(*tw, {115, 30, 30, 30}));
    // The seats' order does not matter: the totals are sorted first.
    EXPECT_FALSE(over_after(*tw, {40, 112, 40, 60}));
    EXPECT_TRUE(over_after(*tw, {41, 45, 130, 70}));
    EXPECT_TRUE(over_after(*tw, {50, 30, 120, 120}));
    EXPECT_FALSE(over_after(*tw, {300, 100, 100, 100}, 29));
    EXPECT_TRUE(over_after(*tw, {300, 100, 100, 100}, 30));
    EXPECT_TRUE(over_after(*tw, {60, 50, 50, 50}, 30));
}

TEST(EndOfMatch, TotalsSortHighestFirstAsSixteenBitValues) {
    TestWindow tw;
    over_after(*tw, {280, 300, 17, 256});
    EXPECT_EQ(tw->sorted_totals, (std::array<std::int16_t, 5>{0, 300, 280, 256, 17}));
    EXPECT_EQ(tw->match_totals, (std::array<std::int16_t, 5>{0, 280, 300, 17, 256}));  // seats kept
    over_after(*tw, {630, 511, 512, 600});
    EXPECT_EQ(tw->sorted_totals, (std::array<std::int16_t, 5>{0, 630, 600, 512, 511}));
}

TEST(EndOfHandMenu, ContinueAndNewGameOnlyRaiseTheirRequests) {
    TestWindow tw;
    tw->continue_.Click();
    EXPECT_TRUE(tw->continue_requested && !tw->new_game_requested);
    tw->menu_newGame.Click();
    EXPECT_TRUE(tw->new_game_requested);
}

}  // namespace
