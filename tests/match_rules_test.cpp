// The card code, the rule tables, who deals, the shuffle, the sorted hand and the user's row,
// and when a match is over.
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <set>
#include <thread>

#include "match/shuffle.h"
#include "test_window.h"

using testing_support::TestWindow;

namespace {

// Every byte: the Re of each suit (10..40), no card (0) and the played codes (101..140, whose
// suits 11..14 match no suit). The tables as start-up leaves them.
TEST(RuleTables, CardCodeForEveryByteAndTheTablesAfterStartUp) {
    for (int v = 0; v <= 255; ++v)
        EXPECT_EQ(std::pair(int(frmGioco::seme_carta(std::uint8_t(v))), int(frmGioco::numero_carta(std::uint8_t(v)))),
                  std::pair((v + 9) / 10, v % 10 != 0 ? v % 10 : 10)) << "card " << v;
    TestWindow tw;
    const float third = 1.0f / 3.0f;  // the single-precision quotient, not a rounded literal
    EXPECT_EQ(tw->card_strength, (std::array<float, 11>{0, 11, 12, 13, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(tw->card_points, (std::array<float, 11>{0, 1, third, third, 0, 0, 0, 0, third, third, third}));
    EXPECT_EQ(tw->suit_names, (std::array<std::string, 5>{"", "Denari", "Coppe", "Bastoni", "Spade"}));
}

// The highest number deals, by number, not strength; a tie for it gives no dealer, a tie below
// it does not matter.
TEST(DealerRule, HighestNumberDealsAndATieForItGivesNone) {
    TestWindow tw;
    const struct { std::array<std::uint8_t, 4> drawn; int dealer; } cases[] = {  // by seats 1..4
        {{3, 10, 7, 10}, 0}, {{8, 3, 3, 2}, 1}, {{5, 5, 9, 1}, 3}, {{1, 1, 1, 2}, 4},
        {{10, 9, 9, 9}, 1},  {{4, 6, 4, 4}, 2}, {{7, 7, 7, 7}, 0},
    };
    for (const auto& c : cases) {
        std::copy(c.drawn.begin(), c.drawn.end(), &tw->draw_number[1]);
        tw->dealer = 3;  // left from an earlier match: the rule must overwrite it
        tw->ord_massimo();
        EXPECT_EQ(tw->dealer, c.dealer) << testing::PrintToString(c.drawn);
    }
}

// Each card once, any card first or last; a seed always gives the same pack, another seed
// another; seeded from the clock, as every shuffle is, the pack changes as the clock moves on.
// One seed's whole pack is pinned: a change to the shuffle changes every deal a player sees.
TEST(Shuffle, EachCardOnceAndTheSameOrderForTheSameSeed) {
    using Pack = std::array<std::int16_t, 41>;
    const auto check = [](const Pack& pack) {
        const std::set<int> cards(pack.begin() + 1, pack.end());
        EXPECT_TRUE(pack[0] == 0 && cards.size() == 40 && *cards.begin() == 1 && *cards.rbegin() == 40);
        return pack;
    };
    std::set<int> ends;  // the first cards, and the last ones plus 100
    for (std::uint32_t seed = 1; seed <= 2000; ++seed) {
        const Pack pack = check(shuffle::pack(std::mt19937(seed)));
        ends.insert({pack[1], 100 + pack[40]});
    }
    EXPECT_EQ(ends.size(), 80u) << "a card never came first or last";
    EXPECT_EQ(shuffle::pack(std::mt19937(20261207)),
              (Pack{0,  33, 19, 34, 12, 8,  21, 1,  26, 23, 17, 3,  29, 30, 15, 4,  25, 35, 27, 14, 28,
                    32, 13, 39, 9,  24, 22, 11, 7,  31, 38, 2,  5,  10, 36, 40, 37, 6,  16, 20, 18}));
    EXPECT_NE(shuffle::pack(std::mt19937(1999)), shuffle::pack(std::mt19937(2000)));
    const Pack clock_first = check(shuffle::pack(shuffle::from_clock()));
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_NE(check(shuffle::pack(shuffle::from_clock())), clock_first);
}

// By suit, then strongest first: 3, 2, Ace, Re, Cavallo, Fante, 7, 6, 5, 4. The user's cards are
// laid out again, half a card apart from 2.5 cards left of the middle, 20 units above the
// bottom, each over the one before it; a computer seat's sort moves no card image.
TEST(HandSort, SortsBySuitThenStrongestFirstAndLaysTheUsersRowOut) {
    TestWindow tw;
    const auto sorted = [&](int seat, const std::vector<int>& cards) {
        std::copy(cards.begin(), cards.end(), &tw->hands[seat][1]);
        tw->OrdMieCarte(std::uint8_t(seat));
        return std::vector<int>(&tw->hands[seat][1], &tw->hands[seat][11]);
    };
    const std::vector<int> dealt{5, 3, 13, 21, 33, 40, 1, 28, 39, 10};
    for (int i = 0; i < 10; ++i) {  // placed and brought to the front as the deal does
        tw->carta[dealt[i]].Move(10.0f * i, 10.0f);
        tw->carta[dealt[i]].ToFront();
    }
    tw->input_lock = 0;
    EXPECT_EQ(sorted(1, dealt), (std::vector<int>{3, 1, 10, 5, 13, 21, 28, 33, 40, 39}));
    EXPECT_EQ(tw->input_lock, 100);
    const float cx = tw->center_x, w = tw->card_width;
    const QObjectList& stack = tw->carta[1].widget()->parentWidget()->children();
    std::vector<qsizetype> stacking;
    for (int i = 1; i <= 10; ++i) {
        const auto& card = tw->carta[tw->hands[1][i]];
        EXPECT_NEAR(card.Left(), cx - 2.5f * w + (i - 1) * w * 0.5f, 0.01) << "slot " << i;
        EXPECT_NEAR(card.Top(), 600 - tw->card_height - 20, 0.01) << "slot " << i;
        stacking.push_back(stack.indexOf(card.widget()));
    }
    EXPECT_TRUE(std::is_sorted(stacking.begin(), stacking.end())) << "each slot lies over the one before it";
    std::vector<std::pair<float, float>> before, after;
    for (int c = 1; c <= 40; ++c) before.emplace_back(tw->carta[c].Left(), tw->carta[c].Top());
    EXPECT_EQ(sorted(3, {34, 31, 37, 40, 35, 32, 38, 36, 33, 39}),
              (std::vector<int>{33, 32, 31, 40, 39, 38, 37, 36, 35, 34}));
    for (int c = 1; c <= 40; ++c) after.emplace_back(tw->carta[c].Left(), tw->carta[c].Top());
    EXPECT_EQ(after, before);
}

// Over when the highest total is 110 or more and the lowest belongs to one player alone, or
// after the thirtieth hand whatever the totals; the seats' order does not matter. The totals
// sort highest first as 16-bit values, the seats' own totals kept.
TEST(EndOfMatch, HighestAt110WithOneLowestOrTheThirtiethHand) {
    TestWindow tw;
    const struct { std::array<std::int16_t, 5> totals; int hand; bool over; } cases[] = {
        {{0, 112, 60, 40, 40}, 5, false}, {{0, 130, 70, 45, 41}, 5, true},   {{0, 110, 60, 50, 40}, 5, true},
        {{0, 109, 60, 50, 40}, 5, false}, {{0, 120, 120, 50, 30}, 5, true},  {{0, 115, 30, 30, 30}, 5, false},
        {{0, 40, 112, 40, 60}, 5, false}, {{0, 41, 45, 130, 70}, 5, true},   {{0, 50, 30, 120, 120}, 5, true},
        {{0, 300, 100, 100, 100}, 29, false}, {{0, 300, 100, 100, 100}, 30, true}, {{0, 60, 50, 50, 50}, 30, true},
        {{0, 280, 300, 17, 256}, 5, true},  {{0, 630, 511, 512, 600}, 5, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.totals) + " after hand " + std::to_string(c.hand));
        tw->match_totals = c.totals;
        tw->hand_number = std::uint8_t(c.hand);
        tw->Ord_Punteggio();
        EXPECT_EQ(tw->match_is_over(), c.over);
        auto sorted = c.totals;
        std::sort(sorted.begin() + 1, sorted.end(), std::greater<>());
        EXPECT_EQ(std::pair(tw->sorted_totals, tw->match_totals), std::pair(sorted, c.totals));
    }
}

}  // namespace
