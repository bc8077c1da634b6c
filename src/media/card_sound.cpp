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
    // A rustle still sounding from the card before starts again from its beginning: play()
    // restarts it, so the start position set after it changes nothing.
    MMCw.Command("Play");
    MMCw.From(0);
}
