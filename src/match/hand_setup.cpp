// Before every hand: every card face off the table, the table prepared once per run, a
// freshly shuffled pack and the names at the seats.
#include "match/frm_gioco.h"

void frmGioco::gioco_imposta() {
    // From here on every card image is visible: showing a card is only a move onto the table.
    for (int c = 1; c <= 40; ++c) {
        carta[c].Move(2500, 2500);
        carta[c].Show();
    }
    if (!first_setup_done) {
        testo.Move(2 * center_x - testo.Width() - 2, 2, testo.Width(), testo.Height());
        dorsov.Move(center_x - card_width / 2, center_y - card_height / 2);
        Apri_suono("carta");
        first_setup_done = true;
    }
    Mescola();
    Posiziona_Players();
}
