// What each seat still holds, suit by suit, and which of the three choices a computer seat
// makes on its turn.
#include <cassert>

#include "match/frm_gioco.h"

void frmGioco::Aggiorna_Quante_e_Buone() {
    for (auto& row : suit_count) row.fill(0);
    for (auto& row : high_card_count) row.fill(0);

    for (int seat = 1; seat <= 4; ++seat) {
        for (int suit = 1; suit <= 4; ++suit) {
            for (int slot = 1; slot <= 10; ++slot) {
                const std::uint8_t c = hands[seat][slot];
                if (c > 100) continue;
                if (seme_carta(c) != suit) continue;
                ++suit_count[seat][suit];
                // Ace, 2 and 3 are the suit's three strongest numbers.
                if (numero_carta(c) < 4) ++high_card_count[seat][suit];
            }
        }
    }
}

void frmGioco::scelgo_carta_da_giocare() {
    const std::uint8_t cp = current_player;
    if (cp == trick_leader) {
        Scelta_carta_minore_Primo_Turno();
    } else {
        // The led suit comes from the led card itself, whoever played it.
        const std::uint8_t led = seme_carta(trick_cards[trick_leader]);
        assert(led <= 4);
        if (suit_count[cp][led] > 0)
            Scelta_carta_minore_Turni_Successivi();
        else
            scelta_carta_maggiore();
    }
    played_card = hands[cp][chosen_index];
}
