// The card code taken apart: suit and number. Codes 1..40 are cards, 0 is no card, and a
// played card keeps its code plus 100 in its hand slot.
#include <cmath>

#include "match/frm_gioco.h"

std::uint8_t frmGioco::seme_carta(std::uint8_t card) {
    // The suit is the tens of the code, counted from 1; a code ending in 0 (the Re) still
    // belongs to the suit below. A played code lands on 11..14 and so matches no suit.
    auto suit = static_cast<std::uint8_t>(std::floor(card / 10.0) + 1);
    if (card % 10 == 0) --suit;
    return suit;
}

std::uint8_t frmGioco::numero_carta(std::uint8_t card) {
    const auto rest = static_cast<std::uint8_t>(card % 10);
    return rest != 0 ? rest : 10;
}
