// The computer seats play low: lead and follow with the weakest card, and throw the strongest
// card when void. Every choice looks only at the mover's own unplayed cards, the led card and
// the trick number.
#include <cassert>

#include "match/frm_gioco.h"

namespace {

constexpr std::uint8_t kBastoni = 3;

bool unplayed(std::uint8_t slot_value) { return slot_value >= 1 && slot_value <= 100; }

// The slot of the weakest unplayed card of a suit in a seat's hand, 0 when it holds none.
// Strictly lower only: two cards of one suit never share a strength.
std::uint8_t weakest_of_suit(const frmGioco& w, std::uint8_t seat, int suit) {
    std::uint8_t chosen = 0;
    float weakest = 0;
    for (int slot = 1; slot <= 10; ++slot) {
        const std::uint8_t c = w.hands[seat][slot];
        if (!unplayed(c) || frmGioco::seme_carta(c) != suit) continue;
        const float strength = w.card_strength[frmGioco::numero_carta(c)];
        if (chosen == 0 || strength < weakest) {
            chosen = static_cast<std::uint8_t>(slot);
            weakest = strength;
        }
    }
    return chosen;
}

}  // namespace

void frmGioco::Scelta_carta_minore_Primo_Turno() {
    input_lock = 100;
    const std::uint8_t cp = current_player;
    // In the first trick Bastoni are led only from a hand that holds nothing else.
    auto candidate = [&](int suit) {
        return suit_count[cp][suit] > 0 && !(trick_number == 1 && suit == kBastoni);
    };

    int first = 0;
    for (int s = 1; s <= 4 && first == 0; ++s)
        if (candidate(s)) first = s;
    if (first == 0)
        for (int s = 1; s <= 4 && first == 0; ++s)
            if (suit_count[cp][s] > 0) first = s;
    assert(first != 0 && "the leader holds no card");

    // The suit with the fewest Aces, 2s and 3s; the lowest suit number on equal counts.
    int chosen_suit = first;
    std::uint8_t least = high_card_count[cp][first];
    for (int s = first + 1; s <= 4; ++s) {
        if (candidate(s) && high_card_count[cp][s] < least) {
            chosen_suit = s;
            least = high_card_count[cp][s];
        }
    }

    chosen_index = weakest_of_suit(*this, cp, chosen_suit);
}

void frmGioco::Scelta_carta_minore_Turni_Successivi() {
    const std::uint8_t led = seme_carta(trick_cards[trick_leader]);
    // Whether the card would take the trick does not matter: the weakest one goes.
    chosen_index = weakest_of_suit(*this, current_player, led);
    assert(chosen_index != 0 && "the follower holds no card of the led suit");
}

void frmGioco::scelta_carta_maggiore() {
    input_lock = 100;
    const std::uint8_t cp = current_player;
    chosen_index = 0;
    // Strictly greater only: on equal strengths the lower slot, which is the lower suit, stays.
    float strongest = 0;
    for (int slot = 1; slot <= 10; ++slot) {
        const std::uint8_t c = hands[cp][slot];
        if (!unplayed(c)) continue;
        const float strength = card_strength[numero_carta(c)];
        if (chosen_index == 0 || strength > strongest) {
            chosen_index = static_cast<std::uint8_t>(slot);
            strongest = strength;
        }
    }
    assert(chosen_index != 0 && "the seat holds no card");
}
