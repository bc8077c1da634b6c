// Who deals: the one highest card number of a draw series.
#include <array>
#include <utility>

#include "match/frm_gioco.h"

void frmGioco::ord_massimo() {
    dealer = 0;
    std::array<std::uint8_t, 5> seat{0, 1, 2, 3, 4};
    bool exchanged;
    do {
        exchanged = false;
        for (int i = 2; i <= 4; ++i) {
            if (draw_number[i] < draw_number[i - 1]) {
                std::swap(draw_number[i], draw_number[i - 1]);
                std::swap(seat[i], seat[i - 1]);
                exchanged = true;
            }
        }
    } while (exchanged);
    // Only a tie for the highest number calls for another series.
    if (draw_number[4] != draw_number[3]) dealer = seat[4];
}
