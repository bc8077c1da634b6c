// The match loop. The program lives inside it until the window is closed.

#include "match/frm_gioco.h"

void frmGioco::Main() {
    for (;;) WaitEvents();
}
