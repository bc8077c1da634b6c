// TEMPORARY: replaced when the names panel and music land.
#include "match/frm_gioco.h"
bool frmGioco::names_panel_open() const { return Shape1.Visible(); }
void frmGioco::close_names_panel() {}
void frmGioco::end_of_animation() {}
