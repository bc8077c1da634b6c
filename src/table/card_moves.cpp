// A played card: first shown beside the seat that plays it, then, a moment later, in that
// seat's trick slot around the table centre. A computer seat's row of backs loses the card.
#include "match/frm_gioco.h"
#include "match/pauses.h"

void frmGioco::muovo_carta_da_giocare() {
    const table::Geometry table = geometry();
    ui::PictureBox& card = carta[played_card];
    card.ToBack();
    // Any seat but the three computers' is the user's.
    const bool computer = current_player >= 2 && current_player <= 4;
    const int seat = computer ? current_player : 1;
    // The user's card sounded when it was pressed; it rises just above the hand.
    const table::Point beside = table.beside(seat, card.Top());
    card.Move(beside.x, beside.y);
    if (computer) {
        suona();
        seat == 3 ? cancella_dorsov() : cancella_dorsoo();
    }
    const table::Point slot = table.trick_slot(seat);
    move_x = slot.x;
    move_y = slot.y;
    ritardo(pauses::kBesideSeat);
    card.Move(move_x, move_y);
}

void frmGioco::cancella_dorsoo() {
    // The left column for seat 4, the right one for any other seat.
    const int seat = current_player == 4 ? 4 : 2;
    repaint_backs(seat, dorsoo.picture());
}

void frmGioco::cancella_dorsov() { repaint_backs(3, dorsov.picture()); }

void frmGioco::repaint_backs(int seat, ui::Picture back) {
    const table::Geometry table = geometry();
    const table::Box box = table.row_box(seat);
    surface.FillBox(box.x1, box.y1, box.x2, box.y2, ui::kTableColour);
    // A played slot leaves its gap; the other backs keep their places.
    for (int i = 1; i <= 10; ++i) {
        if (hands[current_player][i] > 100) continue;
        const table::Point place = table.row(seat, i);
        move_x = place.x;
        move_y = place.y;
        surface.PaintPicture(back, move_x, move_y);
    }
}
