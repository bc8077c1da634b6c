// The rules and info overlays: read-only text boxes over the table, shown and hidden from the
// menu bar and by a click on them. They hold no game state.

#include "match/frm_gioco.h"

void frmGioco::menu_rules_Click() {
    // In front first, so that the rules cover the info text when both are shown.
    Text2.ToFront();
    Text2.SetVisible(!Text2.Visible());
}

void frmGioco::menu_about_Click() {
    Text2.Hide();
    if (Text4.Visible()) {
        Text4.Hide();
    } else {
        Text4.Show();
        Text4.ToFront();
    }
}

void frmGioco::text2_Click() { Text2.Hide(); }

void frmGioco::text4_Click() { Text4.Hide(); }
