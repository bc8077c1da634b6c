// The players' names at their seats: green, white for the player to move, pink for the dealer
// just drawn. The side names run downwards, one letter under the other.
#include <QString>
#include <QTextBoundaryFinder>

#include <string>
#include <vector>

#include "match/frm_gioco.h"

namespace {

constexpr ui::Rgb kGreen{0, 192, 0}, kWhite{255, 255, 255}, kPink{255, 192, 192};

// The letters of a name as a reader sees them: each character with the accents and joiners
// that belong to it, so that a letter and its accent stand on one line.
std::vector<std::string> letters(const std::string& name) {
    const QString text = QString::fromStdString(name);
    std::vector<std::string> result;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype start = 0, end; (end = graphemes.toNextBoundary()) > 0; start = end)
        result.push_back(text.mid(start, end - start).toStdString());
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
        for (const std::string& letter : letters(name)) {
            ++k;
            surface.CurrentX = x;
            surface.CurrentY = (cy - 50) + float(k) * step;
            surface.Print(letter);
        }
    }
    surface.FontTransparent = true;
}
