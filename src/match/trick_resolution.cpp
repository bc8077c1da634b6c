// Settling a trick: the strongest card of the led suit takes it (there are no trumps), and
// the trick's points go to that seat's points for the hand.
#include <array>
#include <cassert>
#include <utility>

#include "match/frm_gioco.h"

namespace {
constexpr std::uint8_t kAceOfBastoni = 21;
}

void frmGioco::DETERMINO_TURNO() {
    // The gathering animation needs the trick by seat after the sort below has reordered it.
    for (int s = 1; s <= 4; ++s) last_trick_cards[s] = trick_cards[s];

    std::array<std::uint8_t, 5> owner{0, 1, 2, 3, 4};
    led_suit = seme_carta(trick_cards[trick_leader]);

    auto strength = [this](std::uint8_t card) { return card_strength[numero_carta(card)]; };
    bool exchanged;
    do {
        exchanged = false;
        for (int k = 2; k <= 4; ++k) {
            if (strength(trick_cards[k]) > strength(trick_cards[k - 1])) {
                std::swap(trick_cards[k], trick_cards[k - 1]);
                std::swap(owner[k], owner[k - 1]);
                exchanged = true;
            }
        }
    } while (exchanged);

    // The led card has the led suit, so some k always matches; a stronger card of another
    // suit is passed over.
    int k = 1;
    while (k < 4 && seme_carta(trick_cards[k]) != led_suit) ++k;
    assert(seme_carta(trick_cards[k]) == led_suit);
    const std::uint8_t winner = owner[k];
    current_player = winner;
    trick_leader = winner;

    for (int j = 1; j <= 4; ++j) {
        // The Ace of Bastoni is worth 11; the table's Ace entry carries it for this one card.
        card_points[1] = trick_cards[j] == kAceOfBastoni ? 11.0f : 1.0f;
        hand_points[winner][hand_number] += card_points[numero_carta(trick_cards[j])];
    }
}
