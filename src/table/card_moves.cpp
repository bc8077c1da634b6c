// A played card: first shown beside the seat that plays it, then, a moment later, in that
// seat's trick slot around the table centre. A computer seat's row of backs loses the card.
#include "match/frm_gioco.h"

void frmGioco::muovo_carta_da_giocare() {
    const float cx = center_x, cy = center_y, w = card_width, h = card_height;
    ui::PictureBox& card = carta[played_card];
    card.ToBack();
    switch (current_player) {
        case 2:
            card.Move(cx + 1.8f * w, cy - h / 2);
            suona();
            cancella_dorsoo();
            move_x = cx + 3;
            move_y = cy - h - 3;
            break;
        case 3:
            card.Move(cx - 3 * w, 1.35f * h);
            suona();
            cancella_dorsov();
            move_x = cx - w - 3;
            move_y = cy - h - 3;
            break;
        case 4:
            card.Move(cx - 3.2f * w, cy - h / 2);
            suona();
            cancella_dorsoo();
            move_x = cx - w - 3;
            move_y = cy + 3;
            break;
        default:
            // The user's card sounded when it was pressed; it rises just above the hand.
            card.Move(cx + 2 * w, card.Top() - h - 3);
            move_x = cx + 3;
            move_y = cy + 3;
            break;
    }
    ritardo(1.0);
    card.Move(move_x, move_y);
}

void frmGioco::cancella_dorsoo() {
    const float cx = center_x, cy = center_y, w = card_width, h = card_height;
    const float x = current_player == 4 ? 20 : 2 * cx - h - 20;
    const float y0 = cy - 2.5f * w;
    surface.FillBox(x - 1, y0 - 1, x + h + 2, y0 + 5.6f * w + 2, ui::kTableColour);
    // A played slot leaves its gap; the other backs keep their places.
    for (int i = 1; i <= 10; ++i) {
        if (hands[current_player][i] > 100) continue;
        move_x = x;
        move_y = cy + float(i - 6) * w * 0.5f;
        surface.PaintPicture(dorsoo.picture(), move_x, move_y);
    }
}

void frmGioco::cancella_dorsov() {
    const float cx = center_x, w = card_width, h = card_height;
    const float x0 = cx - 2.5f * w;
    surface.FillBox(x0 - 1, 19, x0 + 5.5f * w + 2, h + 22, ui::kTableColour);
    for (int i = 1; i <= 10; ++i) {
        if (hands[current_player][i] > 100) continue;
        move_x = cx + float(i - 6) * w * 0.5f;
        move_y = 20;
        surface.PaintPicture(dorsov.picture(), move_x, move_y);
    }
}
