// One hand: ten tricks, one card per turn. The user's turn opens the input lock and waits for
// a card; a computer's turn has the computer player choose. Every fourth card closes a trick,
// which goes to its winner, who leads the next.
#include "match/frm_gioco.h"
#include "match/pauses.h"

void frmGioco::gioco() {
    last_trick_cards.fill(0);
    trick_cards.fill(0);
    cards_played = 0;
    trick_number = 1;
    current_player = dealer % 4 + 1;
    trick_leader = current_player;

    bool names_due = true;
    for (;;) {
        if (names_due) Posiziona_Players();
        names_due = true;

        if (current_player == 1) {
            // The user's turn; a press refused after an accepted one in the same event pass
            // starts it over, with the card not played.
            do {
                input_lock = 0;
                played_card = 0;
                ++cards_played;
                refusal_flag = 0;
                wait_until([this] { return played_card != 0; });
                if (refusal_flag == 1) --cards_played;
            } while (refusal_flag == 1);
            input_lock = 100;
            trick_cards[1] = played_card;
            muovo_carta_da_giocare();
            hands[1][chosen_index] += 100;
            if (cards_played % 4 != 0) {
                ritardo(pauses::kAfterCard);
                // Seat 2 plays next without the names printed again: the highlight stays on
                // the user's name meanwhile.
                current_player = 2;
                names_due = false;
                continue;
            }
        } else {
            Aggiorna_Quante_e_Buone();
            ++cards_played;
            input_lock = 100;
            scelgo_carta_da_giocare();
            trick_cards[current_player] = played_card;
            // Marked before the move, so that the repainted row of backs leaves the card out.
            hands[current_player][chosen_index] += 100;
            muovo_carta_da_giocare();
            if (cards_played % 4 != 0) {
                ritardo(pauses::kAfterCard);
                current_player = current_player % 4 + 1;
                continue;
            }
        }

        ++trick_number;
        DETERMINO_TURNO();
        muovo_carte_prese();
        if (cards_played == 40) {
            surface.Cls();
            return;
        }
        ritardo(pauses::kAfterTrick);
    }
}
