// The card rustle: opened once per run, played whenever a card is drawn, dealt or played.

#include "match/frm_gioco.h"

void frmGioco::Apri_suono(std::string suono) {
    MMCw.Notify(true);
    MMCw.TimeFormat(0);
    MMCw.Command("Close");
    MMCw.FileName((program_dir_ / (suono + ".wav")).string());
    MMCw.Command("Open");
}

void frmGioco::suona() {
    if (!menu_card_rustle[1].Checked()) return;
    MMCw.Command("Play");
    // Rewound right away, so the next card sounds from the beginning.
    MMCw.From(0);
}
