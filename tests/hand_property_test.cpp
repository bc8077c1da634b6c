// The computer seats' choices on worked examples, then thousands of random hands played with
// the game's own rules (the user's seat plays a random card the user's move would accept), each
// checked against facts worked out here independently of the game's tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numeric>
#include <random>
#include <vector>

#include "test_window.h"

namespace {

// Lead the weakest card of the suit with the fewest Aces, 2s and 3s (no Bastoni in the first trick
// unless nothing else is held), follow with the weakest card of the led suit, throw the strongest
// card when void.
TEST(ComputerChoices, LeadFollowAndDiscard) {
    // The seat holds the hand in the trick, its other slots played; led 0: the seat leads,
    // otherwise the seat before it led that card.
    struct Case { const char* what; int seat; std::initializer_list<std::uint8_t> hand; int trick, led, expected; };
    const Case cases[] = {
        // Worked example, fourth trick: 3, 5 of Denari, Re, 4 of Coppe, 2, Ace, 7 of Spade.
        {"lead: Coppe has no Ace, 2 or 3", 3, {3, 5, 20, 14, 32, 31, 37}, 4, 0, 14},
        {"follow: weakest Spade", 3, {3, 5, 20, 14, 32, 31, 37}, 4, 34, 37},
        {"void in Bastoni: strongest card", 3, {3, 5, 20, 14, 32, 31, 37}, 4, 25, 3},
        // Leads: Bastoni passed over in the first trick only.
        {"first trick passes over Bastoni", 2, {2, 1, 6, 25, 24, 33, 40, 38, 37, 35}, 1, 0, 35},
        {"second trick: Bastoni have no high card", 2, {2, 1, 6, 25, 24, 33, 40, 38, 37, 135}, 2, 0, 24},
        {"only Bastoni, first trick", 3, {23, 21, 30, 26, 24}, 1, 0, 24},
        {"no high cards anywhere: the lower suit", 2, {10, 5, 4, 20, 15, 14, 33}, 3, 0, 4},
        {"no high card beats a long suit", 2, {1, 10, 9, 8, 7, 6, 5, 4, 36}, 3, 0, 36},
        // The weakest of the led suit, whether it takes the trick or not.
        {"follow low under a 3, keeping the Ace", 3, {11, 17, 40}, 4, 13, 17},
        // Void: the strongest card, the lower slot on ties, a Bastoni too in the first trick.
        {"3 of Denari before 3 of Spade", 2, {3, 4, 33, 37}, 4, 15, 3},
        {"a Bastoni may go in the first trick", 3, {4, 23, 36}, 1, 19, 23},
        {"strength, not points: 3 of Coppe before Ace of Bastoni", 4, {13, 21}, 4, 5, 13},
    };
    testing_support::TestWindow tw;
    frmGioco& w = *tw;
    for (const Case& c : cases) {
        std::uint8_t* slots = &w.hands[c.seat][1];
        std::iota(std::copy(c.hand.begin(), c.hand.end(), slots), slots + 10, std::uint8_t(101));
        w.current_player = std::uint8_t(c.seat);
        w.trick_leader = std::uint8_t(c.led == 0 ? c.seat : c.seat == 1 ? 4 : c.seat - 1);
        w.trick_cards.fill(21);  // left from the previous trick: must not matter
        if (c.led != 0) w.trick_cards[w.trick_leader] = std::uint8_t(c.led);
        w.trick_number = std::uint8_t(c.trick);
        w.Aggiorna_Quante_e_Buone();
        w.scelgo_carta_da_giocare();
        EXPECT_EQ(int(w.played_card), c.expected) << c.what;
    }
}

int suit_of(int card) { return (card - 1) / 10 + 1; }
// Taking order inside a suit, 0 for the 4 up to 9 for the 3: 4, 5, 6, 7, Fante, Cavallo, Re, Ace, 2, 3.
int rank_of(int card) { return (card + 6) % 10; }
double value_of(int card) {
    const int number = (card - 1) % 10 + 1;
    return card == 21 ? 11 : number == 1 ? 1 : (number <= 3 || number >= 8) ? 1.0 / 3.0 : 0;
}

TEST(HandProperty, RandomHandsKeepEveryRule) {
    testing_support::TestWindow tw;
    frmGioco& w = *tw;
    std::mt19937 user_rng(20240611);
    for (int hand = 0; hand < 10000 && !HasFailure(); ++hand) {
        SCOPED_TRACE("hand " + std::to_string(hand));
        w.test_hooks.shuffle_seed = std::uint32_t(hand + 1);
        w.Mescola();
        w.dealer = std::uint8_t(hand % 5);  // 0: no dealer was found
        for (int k = 0, seat = w.dealer % 4 + 1; k < 4; ++k, seat = seat % 4 + 1) {
            for (int n = 1; n <= 10; ++n) w.hands[seat][n] = std::uint8_t(w.deck[10 * k + n]);
            w.OrdMieCarte(std::uint8_t(seat));
        }
        // The trick loop's start of a hand.
        w.hand_number = 1;
        w.hand_points = {};
        w.cards_played = 0;
        w.trick_number = 1;
        w.current_player = w.trick_leader = std::uint8_t(w.dealer % 4 + 1);
        std::array<double, 5> taken{};  // points, worked out here
        while (w.cards_played < 40) {
            const int cp = w.current_player;
            const int led = cp == w.trick_leader ? 0 : suit_of(w.trick_cards[w.trick_leader]);
            // What bars a card: 2 for a suit other than the led one, 1 for a Bastoni in the first
            // trick, for a leader and always for the user. The rules allow the least barred cards.
            const auto bar = [&](int c) {
                return 2 * (suit_of(c) != led) + (w.trick_number == 1 && (led == 0 || cp == 1) && suit_of(c) == 3);
            };
            std::vector<int> allowed;
            for (int least = 0; allowed.empty() && least <= 3; ++least)
                for (int slot = 1; slot <= 10; ++slot)
                    if (w.hands[cp][slot] <= 40 && bar(w.hands[cp][slot]) == least) allowed.push_back(slot);
            ++w.cards_played;
            if (cp == 1) {  // the user: a random card the user's move accepts
                w.chosen_index = std::uint8_t(allowed[user_rng() % allowed.size()]);
                w.played_card = w.hands[1][w.chosen_index];
            } else {
                w.Aggiorna_Quante_e_Buone();
                w.scelgo_carta_da_giocare();
                ASSERT_TRUE(std::count(allowed.begin(), allowed.end(), w.chosen_index))
                    << "seat " << cp << " played " << int(w.played_card) << " against the rules";
            }
            w.trick_cards[cp] = w.played_card;
            w.hands[cp][w.chosen_index] += 100;
            w.current_player = std::uint8_t(cp % 4 + 1);
            if (w.cards_played % 4 != 0) continue;
            // The trick's winner and worth, worked out here.
            int winner = w.trick_leader;
            double worth = 0;
            for (int s = 1; s <= 4; ++s) {
                const int c = w.trick_cards[s], best = w.trick_cards[winner];
                worth += value_of(c);
                if (suit_of(c) == suit_of(best) && rank_of(c) > rank_of(best)) winner = s;
            }
            ++w.trick_number;
            w.DETERMINO_TURNO();
            ASSERT_TRUE(w.current_player == winner && w.trick_leader == winner) << "trick " << w.trick_number - 1;
            taken[winner] += worth;
        }
        // Scored as the match loop does it, sheet and all: whole points, rounded.
        const auto raw = w.hand_points;
        w.match_totals = {};
        w.risultato();
        for (int seat = 1; seat <= 4; ++seat)
            EXPECT_TRUE(std::abs(raw[seat][1] - taken[seat]) < 1e-4 && w.hand_points[seat][1] == std::round(taken[seat]) &&
                        w.match_totals[seat] == w.hand_points[seat][1]) << "seat " << seat << ": " << raw[seat][1];
    }
}

}  // namespace
