// Thousands of random hands played with the game's own rules: the computer seats choose
// through the dispatch, the user's seat plays a random card the user's move would accept, and
// every trick is settled by trick resolution. Each hand is checked against facts worked out
// here independently of the game's tables.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <iostream>
#include <random>
#include <vector>

#include "test_window.h"

namespace {

constexpr int kHands = 10000;
constexpr int kBastoni = 3;

int suit_of(int card) { return (card - 1) / 10 + 1; }
int number_of(int card) { return (card - 1) % 10 + 1; }
// Taking order inside a suit: 4, 5, 6, 7, Fante, Cavallo, Re, Ace, 2, 3.
int rank_of(int card) {
    static constexpr int kRank[11] = {0, 11, 12, 13, 4, 5, 6, 7, 8, 9, 10};
    return kRank[number_of(card)];
}
double value_of(int card) {
    if (card == 21) return 11;
    switch (number_of(card)) {
        case 1: return 1;
        case 2: case 3: case 8: case 9: case 10: return 1.0 / 3.0;
        default: return 0;
    }
}

bool holds_suit(const frmGioco& w, int seat, int suit) {
    for (int slot = 1; slot <= 10; ++slot) {
        const int c = w.hands[seat][slot];
        if (c >= 1 && c <= 40 && suit_of(c) == suit) return true;
    }
    return false;
}

bool holds_other_than(const frmGioco& w, int seat, int suit) {
    for (int slot = 1; slot <= 10; ++slot) {
        const int c = w.hands[seat][slot];
        if (c >= 1 && c <= 40 && suit_of(c) != suit) return true;
    }
    return false;
}

// A card the user's move accepts: no Bastoni in the first trick (unless the hand holds
// nothing else), and the led suit whenever the user holds it.
int users_slot(const frmGioco& w, std::mt19937& rng) {
    const bool leads = w.trick_leader == 1;
    const int led = leads ? 0 : suit_of(w.trick_cards[w.trick_leader]);
    const bool must_follow = !leads && holds_suit(w, 1, led);
    std::vector<int> slots, first_trick_slots;
    for (int slot = 1; slot <= 10; ++slot) {
        const int c = w.hands[1][slot];
        if (c < 1 || c > 40) continue;
        if (must_follow && suit_of(c) != led) continue;
        slots.push_back(slot);
        if (suit_of(c) != kBastoni) first_trick_slots.push_back(slot);
    }
    if (w.trick_number == 1 && !first_trick_slots.empty()) slots = first_trick_slots;
    return slots[std::uniform_int_distribution<std::size_t>(0, slots.size() - 1)(rng)];
}

void deal(frmGioco& w) {
    int seat = w.dealer % 4 + 1;
    for (int k = 1; k <= 31; k += 10) {
        for (int n = 1; n <= 10; ++n) w.hands[seat][n] = static_cast<std::uint8_t>(w.deck[k + n - 1]);
        w.OrdMieCarte(static_cast<std::uint8_t>(seat));
        seat = seat % 4 + 1;
    }
}

TEST(HandProperty, RandomHandsKeepEveryRule) {
    testing_support::TestWindow tw;
    frmGioco& w = *tw;
    std::mt19937 user_rng(20240611);
    std::array<int, 23> rounded_sums{};
    int played = 0;

    const auto start = std::chrono::steady_clock::now();
    for (int hand = 0; hand < kHands && !HasFailure(); ++hand) {
        const std::string where = "hand " + std::to_string(hand);
        w.shuffle_seed = static_cast<std::uint32_t>(hand + 1);
        w.Mescola();
        w.dealer = static_cast<std::uint8_t>(hand % 5);   // 0: no dealer was found
        deal(w);

        // Every card dealt once, every hand in suit order and strongest first inside a suit.
        std::array<int, 41> dealt{};
        for (int seat = 1; seat <= 4; ++seat) {
            for (int slot = 1; slot <= 10; ++slot) {
                const int c = w.hands[seat][slot];
                ASSERT_TRUE(c >= 1 && c <= 40) << where;
                ++dealt[c];
                if (slot > 1) {
                    const int prev = w.hands[seat][slot - 1];
                    ASSERT_TRUE(suit_of(prev) < suit_of(c) ||
                                (suit_of(prev) == suit_of(c) && rank_of(prev) > rank_of(c)))
                        << where << " seat " << seat << " slot " << slot;
                }
            }
        }
        for (int c = 1; c <= 40; ++c) ASSERT_EQ(dealt[c], 1) << where << " card " << c;

        // The trick loop's start of a hand.
        w.hand_number = 1;
        for (int seat = 1; seat <= 4; ++seat) w.hand_points[seat][1] = 0;
        w.trick_cards = {};
        w.last_trick_cards = {};
        w.cards_played = 0;
        w.trick_number = 1;
        w.current_player = static_cast<std::uint8_t>(w.dealer % 4 + 1);
        w.trick_leader = w.current_player;
        std::array<double, 5> expected_points{};

        for (;;) {
            const int cp = w.current_player;
            const bool leads = cp == w.trick_leader;
            const int led = leads ? 0 : suit_of(w.trick_cards[w.trick_leader]);
            const bool can_follow = !leads && holds_suit(w, cp, led);
            const bool could_avoid_bastoni = holds_other_than(w, cp, kBastoni);

            if (cp == 1) {
                ++w.cards_played;
                w.chosen_index = static_cast<std::uint8_t>(users_slot(w, user_rng));
                w.played_card = w.hands[1][w.chosen_index];
            } else {
                w.Aggiorna_Quante_e_Buone();
                int counted = 0;
                for (int s = 1; s <= 4; ++s) counted += w.suit_count[cp][s];
                // The mover has played one card in each finished trick and none yet in this one.
                ASSERT_EQ(counted, 10 - w.cards_played / 4) << where;
                ++w.cards_played;
                w.input_lock = 100;
                w.scelgo_carta_da_giocare();
                const int c = w.played_card;
                ASSERT_TRUE(c >= 1 && c <= 40) << where << " seat " << cp;
                ASSERT_EQ(c, w.hands[cp][w.chosen_index]) << where;
                if (can_follow) {
                    EXPECT_EQ(suit_of(c), led) << where << " seat " << cp << " did not follow";
                }
                if (leads && w.trick_number == 1 && could_avoid_bastoni) {
                    EXPECT_NE(suit_of(c), kBastoni) << where << " seat " << cp << " led Bastoni";
                }
            }
            w.trick_cards[cp] = w.played_card;
            w.hands[cp][w.chosen_index] += 100;
            ++played;

            if (w.cards_played % 4 != 0) {
                w.current_player = static_cast<std::uint8_t>(cp % 4 + 1);
                continue;
            }

            // The trick's winner and worth, worked out here.
            const int led_suit = suit_of(w.trick_cards[w.trick_leader]);
            int winner = 0;
            double worth = 0;
            for (int s = 1; s <= 4; ++s) {
                const int c = w.trick_cards[s];
                worth += value_of(c);
                if (suit_of(c) == led_suit && (winner == 0 || rank_of(c) > rank_of(w.trick_cards[winner])))
                    winner = s;
            }
            ++w.trick_number;
            w.DETERMINO_TURNO();
            ASSERT_EQ(w.current_player, winner) << where << " trick " << w.trick_number - 1;
            ASSERT_EQ(w.trick_leader, winner) << where;
            expected_points[winner] += worth;
            if (w.cards_played == 40) break;
        }

        EXPECT_EQ(w.trick_number, 11) << where;
        for (int seat = 1; seat <= 4; ++seat)
            for (int slot = 1; slot <= 10; ++slot)
                EXPECT_GT(w.hands[seat][slot], 100) << where << " seat " << seat << " slot " << slot;

        float raw_sum = 0;
        for (int seat = 1; seat <= 4; ++seat) {
            const float raw = w.hand_points[seat][1];
            EXPECT_NEAR(raw, expected_points[seat], 1e-4) << where << " seat " << seat;
            raw_sum += raw;
        }
        // Scored as the match loop does it, sheet and all.
        w.match_totals = {};
        w.risultato();
        int rounded_sum = 0;
        for (int seat = 1; seat <= 4; ++seat) {
            const float rounded = w.hand_points[seat][1];
            EXPECT_EQ(rounded, std::round(expected_points[seat])) << where << " seat " << seat;
            EXPECT_EQ(w.match_totals[seat], rounded) << where << " seat " << seat;
            rounded_sum += w.match_totals[seat];
        }
        EXPECT_NEAR(raw_sum, 62.0 / 3.0, 1e-4) << where;
        ASSERT_TRUE(rounded_sum >= 20 && rounded_sum <= 22) << where << " rounded sum " << rounded_sum;
        ++rounded_sums[rounded_sum];
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    EXPECT_EQ(played, kHands * 40);
    // Every possible sum turns up in this many hands.
    EXPECT_GT(rounded_sums[20], 0);
    EXPECT_GT(rounded_sums[21], 0);
    EXPECT_GT(rounded_sums[22], 0);

    const double rate = kHands / seconds;
    std::cout << "[ figures  ] " << kHands << " hands in " << seconds << " s: " << static_cast<long>(rate)
              << " hands per second; rounded sums 20/21/22: " << rounded_sums[20] << "/" << rounded_sums[21]
              << "/" << rounded_sums[22] << "\n";
    RecordProperty("hands_per_second", static_cast<int>(rate));
}

}  // namespace
