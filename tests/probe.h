// Reading the table's surface as a player sees it: the colours in a box of the table, whether a
// colour or a text shows there. Boxes are in logical units, both corners inside.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "match/frm_gioco.h"
#include "media/names.h"
#include "table/geometry.h"
#include "window/surface.h"

namespace probe {

using table::Box;
using ui::Rgb;

// The colours of a box (or only of its edges) at points at most 0.3 units apart: under a pixel at
// every window size the tests use.
inline std::vector<Rgb> colours(const ui::Surface& s, Box b, bool edges = false) {
    const int nx = std::max(1, int(std::ceil((b.x2 - b.x1) / 0.3f))), ny = std::max(1, int(std::ceil((b.y2 - b.y1) / 0.3f)));
    std::vector<Rgb> seen;
    for (int i = 0; i <= nx; ++i)
        for (int j = 0; j <= ny; ++j)
            if (!edges || i % nx == 0 || j % ny == 0)
                seen.push_back(s.Point(b.x1 + (b.x2 - b.x1) * float(i) / float(nx), b.y1 + (b.y2 - b.y1) * float(j) / float(ny)));
    return seen;
}

// Whether every point of the box (or of its edges) has the colour.
inline bool all(const ui::Surface& s, Box b, Rgb colour, bool edges = false) {
    return std::ranges::all_of(colours(s, b, edges), [&](Rgb p) { return p == colour; });
}

// Whether some point of the box is within the tolerance of the colour in every channel: the
// core of a letter printed in it, say.
inline bool any(const ui::Surface& s, Box b, Rgb colour, int tolerance = 55) {
    const auto near = [&](Rgb p) {
        return std::abs(p.r - colour.r) <= tolerance && std::abs(p.g - colour.g) <= tolerance &&
               std::abs(p.b - colour.b) <= tolerance;
    };
    return std::ranges::any_of(colours(s, b), near);
}

// Whether the box shows the colour over the ground and nothing else: every point a mix of the two
// as smoothed text leaves it (within 6 a channel), some at least half the colour.
inline bool shows_only(const ui::Surface& s, Box b, Rgb c, Rgb ground = ui::kTableColour) {
    const int d[] = {c.r - ground.r, c.g - ground.g, c.b - ground.b};
    const int m = int(std::ranges::max_element(d, {}, [](int a) { return std::abs(a); }) - d);
    bool inked = false;
    for (const Rgb p : colours(s, b)) {
        const int v[] = {p.r - ground.r, p.g - ground.g, p.b - ground.b};
        const double share = double(v[m]) / d[m];
        for (int i = 0; i < 3; ++i)
            if (std::abs(v[i] - share * d[i]) > 6) return false;
        inked |= share >= 0.5;
    }
    return inked;
}

// The smallest box that holds every point of the region not of the ground colour (the region
// itself inverted, when there is none), at points 0.25 units apart.
inline Box extent(const ui::Surface& s, Box region, Rgb ground = ui::kTableColour) {
    Box inked{region.x2, region.y2, region.x1, region.y1};
    for (float x = region.x1; x <= region.x2; x += 0.25f)
        for (float y = region.y1; y <= region.y2; y += 0.25f)
            if (s.Point(x, y) != ground)
                inked = {std::min(inked.x1, x), std::min(inked.y1, y), std::max(inked.x2, x), std::max(inked.y2, y)};
    return inked;
}

// Whether the surface shows this text at (x, y), in its current font size and in this colour on
// this ground: the pixels there match the same text printed afresh at that place (an empty text:
// the ground alone). Overwrites the spot. The top unit is left out, where a rule may run.
inline bool reads(ui::Surface& s, float x, float y, std::string_view text, Rgb colour, Rgb ground) {
    const float x2 = x + std::max(s.TextWidth(text), s.TextWidth("000")) + 2, y2 = y + s.TextHeight() - 1;
    const Box box{x, y + 1, x2, y2};
    const std::vector<Rgb> shown = colours(s, box);
    s.FillBox(x, y, x2, y2, ground);
    s.ForeColor = colour;
    s.CurrentX = x;
    s.CurrentY = y;
    s.Print(text, false);
    return shown == colours(s, box);
}

// Around a name as the seats print it, in the font size in force (smoothed edges included): in
// one line at the bottom and the top, a letter a line down the sides.
inline Box name_box(const frmGioco& w, int seat, std::string_view name) {
    const table::Point at = w.geometry().name(seat);
    const ui::Surface& s = w.surface;
    if (seat == 1 || seat == 3) return {at.x - 1, at.y - 1, at.x + s.TextWidth(name) + 2, at.y + s.TextHeight() + 1};
    const float step = s.FontSize() + 5, letters = float(media::letters(name).size());
    return {at.x - 1, at.y + step - 1, at.x + s.TextWidth("W") + 2, at.y + step * (letters + 1) + 1};
}
inline Box name_box(const frmGioco& w, int seat) { return name_box(w, seat, w.player_names[seat]); }

}  // namespace probe
