// The match's own rules: the totals in order, when a match is over, and the two choices that
// end the wait after a hand.
#include "match/frm_gioco.h"

namespace {
// The last hand that has a column of its own in hand_points.
constexpr std::uint8_t kLastHand = 30;
// A match cannot end before the highest total has reached this.
constexpr std::int16_t kLosingTotal = 110;
}  // namespace

void frmGioco::Ord_Punteggio() {
    for (int i = 1; i <= 4; ++i) sorted_totals[i] = match_totals[i];
    bool exchanged;
    do {
        exchanged = false;
        for (int i = 2; i <= 4; ++i) {
            if (sorted_totals[i] > sorted_totals[i - 1]) {
                std::swap(sorted_totals[i], sorted_totals[i - 1]);
                exchanged = true;
            }
        }
    } while (exchanged);
}

bool frmGioco::match_is_over() const {
    // No column is left for a 31st hand: the 30th closes the match whatever the totals.
    if (hand_number >= kLastHand) return true;
    // The lowest total wins, so it must belong to one player alone.
    return sorted_totals[1] >= kLosingTotal && sorted_totals[3] != sorted_totals[4];
}

void frmGioco::continue_Click() { continue_requested = true; }

void frmGioco::menu_Newgame_Click() { new_game_requested = true; }
