// TEMPORARY: replaced when the music lands.
#include "match/frm_gioco.h"
void frmGioco::end_of_animation() {}
