// The deal: the shuffled pack from position 1, in packets of ten, the first packet to the
// seat after the dealer, one card at a time with a pause before each. The user's cards land
// face up in a row at the bottom; the computers' cards are rows of backs painted on the table.
#include "match/frm_gioco.h"
#include "match/pauses.h"

void frmGioco::daicarte() {
    const table::Geometry table = geometry();
    dorsov.Show();
    input_lock = 100;
    // No dealer (a draw that used up the pack) deals to the user first, as dealer 4 would.
    std::uint8_t seat = dealer % 4 + 1;
    for (int k = 1; k <= 31; k += 10) {
        // A first packet to a computer seat starts at once; every other packet after a pause.
        if (k != 1 || seat == 1) ritardo(pauses::kBeforePacket);
        for (int i = k; i <= k + 9; ++i) {
            const int n = i - k + 1;
            const table::Point place = table.row(seat, n);
            move_x = place.x;
            move_y = place.y;
            ritardo(pauses::kBeforeCard);
            const auto code = static_cast<std::uint8_t>(deck[i]);
            switch (seat) {
                case 1:
                    carta[code].Move(move_x, move_y);
                    carta[code].ToFront();
                    break;
                case 3: surface.PaintPicture(dorsov.picture(), move_x, move_y); break;
                default: surface.PaintPicture(dorsoo.picture(), move_x, move_y); break;
            }
            hands[seat][n] = code;
            suona();
        }
        OrdMieCarte(seat);
        if (seat == 1) ritardo(pauses::kAfterUsersPacket);
        seat = seat % 4 + 1;
    }
    dorsov.Hide();
    ritardo(pauses::kAfterDeal);
    game_rate.SetEnabled(true);
}
