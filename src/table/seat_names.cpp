// The players' names at their seats: green, white for the player to move, pink for the dealer
// just drawn. The side names run downwards, one letter under the other.
#include <string>
#include <string_view>
#include <vector>

#include "match/frm_gioco.h"

namespace {

constexpr ui::Rgb kGreen{0, 192, 0}, kWhite{255, 255, 255}, kPink{255, 192, 192};

// The characters of a UTF-8 name, each with the combining accents that follow it, so that a
// letter and its accent stand on one line.
std::vector<std::string_view> letters(std::string_view name) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(name[i]); };
    // One code point from i: its lead byte and the continuation bytes after it.
    const auto next = [&](std::size_t i) {
        do ++i;
        while (i < name.size() && (byte(i) & 0xC0) == 0x80);
        return i;
    };
    // U+0300..U+036F, the combining diacritical marks: CC 80..CD AF in UTF-8.
    const auto combining = [&](std::size_t i) {
        return i + 1 < name.size() && (byte(i) == 0xCC || (byte(i) == 0xCD && byte(i + 1) <= 0xAF));
    };
    std::vector<std::string_view> result;
    for (std::size_t i = 0; i < name.size();) {
        std::size_t end = next(i);
        while (end < name.size() && combining(end)) end = next(end);
        result.push_back(name.substr(i, end - i));
        i = end;
    }
    return result;
}

}  // namespace

void frmGioco::Posiziona_Players() {
    const float cx = center_x, cy = center_y, w = card_width, h = card_height;
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
        if (seat == 1 || seat == 3) {
            surface.CurrentX = cx - w / 2;
            surface.CurrentY = seat == 1 ? 2 * cy - h - 40 : h + 30;
            surface.Print(name);
            continue;
        }
        const float x = seat == 2 ? 2 * cx - h - 35 : h + 30;
        const float step = surface.FontSize() + 5;
        int k = 0;
        for (const std::string_view letter : letters(name)) {
            ++k;
            surface.CurrentX = x;
            surface.CurrentY = (cy - 50) + float(k) * step;
            surface.Print(letter);
        }
    }
    surface.FontTransparent = true;
}
