// The play rate and card rustle options: menu groups whose check marks carry the state.

#include "match/frm_gioco.h"

void frmGioco::velocità_gioco_Click(std::int16_t Index) {
    if (Index < 1 || Index > 3) return;
    for (int i = 1; i <= 3; ++i) velocità_gioco[i].SetChecked(false);
    velocità_gioco[Index].SetChecked(true);
    play_rate = std::uint8_t(Index);
    Set_Write();
}

void frmGioco::menu_card_rustle_Click(std::int16_t Index) {
    if (Index < 0 || Index > 1) return;
    Text4.Hide();
    card_rustle = std::uint8_t(Index);
    for (int i = 0; i <= 1; ++i) menu_card_rustle[i].SetChecked(false);
    menu_card_rustle[Index].SetChecked(true);
    Set_Write();
}
