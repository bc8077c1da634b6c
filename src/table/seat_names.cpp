// The players' names at their seats: green, white for the player to move, pink for the dealer
// just drawn. The side names run downwards, one letter under the other.
#include <string>

#include "match/frm_gioco.h"
#include "media/names.h"

namespace {

constexpr ui::Rgb kGreen{0, 192, 0}, kWhite{255, 255, 255}, kPink{255, 192, 192};

}  // namespace

void frmGioco::Posiziona_Players() {
    const table::Geometry table = geometry();
    surface.SetFontSize(8);
    // On a table-coloured ground, so that a name printed again in another colour shows only that colour.
    surface.FontTransparent = false;
    for (const std::uint8_t seat : {1, 3, 2, 4}) {
        surface.ForeColor = kGreen;
        if (current_player == seat) {
            surface.ForeColor = kWhite;
            if (dealer == seat && choose_dealer == 1) surface.ForeColor = kPink;
        }
        const std::string& name = player_names[seat];
        const table::Point at = table.name(seat);
        if (seat == 1 || seat == 3) {
            surface.CurrentX = at.x;
            surface.CurrentY = at.y;
            surface.Print(name);
            continue;
        }
        const float step = surface.FontSize() + 5;
        int k = 0;
        for (const std::string& letter : media::letters(name)) {
            ++k;
            surface.CurrentX = at.x;
            surface.CurrentY = at.y + float(k) * step;
            surface.Print(letter);
        }
    }
    surface.FontTransparent = true;
}
