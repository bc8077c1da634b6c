// Before every hand: every card face off the table, the table prepared once per run, a
// freshly shuffled pack and the names at the seats.
#include "match/frm_gioco.h"
#include "match/shuffle.h"

void frmGioco::gioco_imposta() {
    // From here on every card image is visible: showing a card is only a move onto the table.
    for (int c = 1; c <= 40; ++c) {
        carta[c].Move(table::kParked.x, table::kParked.y);
        carta[c].Show();
    }
    if (!first_setup_done) {
        const table::Point title = geometry().title(testo.Width()), pack = geometry().pack();
        testo.Move(title.x, title.y, testo.Width(), testo.Height());
        dorsov.Move(pack.x, pack.y);
        Apri_suono("carta");
        first_setup_done = true;
    }
    Mescola();
    Posiziona_Players();
}

void frmGioco::Mescola() {
    deck = shuffle::pack(test_hooks.shuffle_seed ? std::mt19937(*test_hooks.shuffle_seed) : shuffle::from_clock());
}
