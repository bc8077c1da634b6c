// The match loop: hands follow one another, the score sheet waits for "Continue" or
// "New Game", the deal passes on. The program lives inside it until the window is closed.

#include "match/frm_gioco.h"
#include "match/pauses.h"

void frmGioco::Main() {
    for (;;) {
        choose_dealer = 1;
        hand_number = 1;
        for (;;) {
            // The settings file is never held open between calls: no file to close here.
            gioco_imposta();
            Scelta_Cartaro();
            daicarte();
            ritardo(pauses::kBeforeFirstTrick);
            gioco();
            risultato();
            continue_.SetEnabled(true);
            menu_newGame.SetEnabled(false);
            Ord_Punteggio();
            if (match_is_over()) {
                menu_newGame.SetEnabled(true);
                continue_.SetEnabled(false);
            }

            // A choice made during the hand is forgotten: only one made now counts.
            continue_requested = false;
            new_game_requested = false;
            wait_until([this] { return continue_requested || new_game_requested; });
            surface.Cls();
            Text2.Hide();
            Text4.Hide();

            if (!continue_requested) break;
            dealer = static_cast<std::uint8_t>(dealer % 4 + 1);
            ++hand_number;
            choose_dealer = 0;
        }
        for (auto& seat : hand_points) seat.fill(0);
        match_totals.fill(0);
    }
}
