// A dealt hand in order: by suit, and inside a suit strongest first. The computer players
// keep the first slot on ties, so this order is part of how they play.
#include <cassert>

#include "match/frm_gioco.h"

void frmGioco::OrdMieCarte(std::uint8_t Trn) {
    input_lock = 100;
    auto& hand = hands[Trn];

    auto exchange = [&](int i) {
        scratch_byte = hand[i];
        hand[i] = hand[i - 1];
        hand[i - 1] = scratch_byte;
    };

    // Ascending codes group the suits in the order Denari, Coppe, Bastoni, Spade.
    bool exchanged;
    do {
        exchanged = false;
        for (int i = 2; i <= 10; ++i) {
            if (hand[i] < hand[i - 1]) {
                exchange(i);
                exchanged = true;
            }
        }
    } while (exchanged);

    // Only neighbours of one suit move, so the suit groups stay where the first pass put them.
    do {
        exchanged = false;
        for (int i = 2; i <= 10; ++i) {
            if (seme_carta(hand[i]) == seme_carta(hand[i - 1]) &&
                card_strength[numero_carta(hand[i])] > card_strength[numero_carta(hand[i - 1])]) {
                exchange(i);
                exchanged = true;
            }
        }
    } while (exchanged);

    // Only the user's cards are face up; the computers' backs all look alike.
    if (Trn == 1) {
        for (int i = 1; i <= 10; ++i) {
            const std::uint8_t code = hands[1][i];
            assert(code >= 1 && code <= 40);
            carta[code].ToFront();
            const table::Point place = geometry().row(1, i);
            carta[code].Move(place.x, place.y);
        }
    }
}
