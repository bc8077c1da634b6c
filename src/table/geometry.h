// Where things lie on the table, in logical units of the 800 x 600 table: each place is the
// top-left corner of a card image, a painted back or a text, worked out from the table's centre
// (cx, cy) and the card size (w, h) that start-up takes once. Seats: 1 the user at the bottom,
// 2 right, 3 top, 4 left.
#pragma once

#include <cmath>

namespace table {

struct Point {
    float x = 0, y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// A box between two corners, both inside it.
struct Box {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// Card images not in use lie here, off the table; the four cards of a tied dealer draw are put
// aside here until the draw, or the next hand's set-up, parks them.
inline constexpr Point kParked{2500, 2500};
inline constexpr Point kAside{1500, 1500};

struct Geometry {
    float cx = 0, cy = 0, w = 0, h = 0;

    // The pack, face down in the middle of the table.
    Point pack() const { return {cx - w / 2, cy - h / 2}; }
    // The title picture of this width in the top-right corner.
    Point title(float width) const { return {2 * cx - width - 2, 2}; }

    // A card drawn for the dealer, face up in front of its seat. The side seats' cards stand
    // card_height + 20 from their edge, mirror images of each other.
    Point drawn(int seat) const {
        switch (seat) {
            case 1: return {cx - w / 2, 2 * cy - h - 20};
            case 2: return {2 * cx - h - 20, cy - h / 2};
            case 3: return {cx - w / 2, h * 0.2f};
            default: return {h + 20 - w, cy - h / 2};
        }
    }

    // Slot 1..10 of a seat's hand row, the user's face-up cards or a computer's painted backs.
    // A row steps by half a card, from 2.5 cards before the centre line to 2 after it.
    float row_offset(int slot) const { return float(slot - 6) * w * 0.5f; }
    Point row(int seat, int slot) const {
        switch (seat) {
            case 1: return {cx + row_offset(slot), 2 * cy - h - 20};
            case 2: return {2 * cx - h - 20, cy + row_offset(slot)};
            case 3: return {cx + row_offset(slot), 20};
            default: return {20, cy + row_offset(slot)};
        }
    }
    // The box a computer seat's row of backs is erased in before the row is painted again.
    Box row_box(int seat) const {
        if (seat == 3) {
            const float x0 = cx - 2.5f * w;
            return {x0 - 1, 19, x0 + 5.5f * w + 2, h + 22};
        }
        const float x = row(seat, 1).x, y0 = cy - 2.5f * w;
        return {x - 1, y0 - 1, x + h + 2, y0 + 5.6f * w + 2};
    }

    // Where a played card first shows beside its seat; the user's rises just above its place in
    // the hand, whose top is given.
    Point beside(int seat, float top) const {
        switch (seat) {
            case 2: return {cx + 1.8f * w, cy - h / 2};
            case 3: return {cx - 3 * w, 1.35f * h};
            case 4: return {cx - 3.2f * w, cy - h / 2};
            default: return {cx + 2 * w, top - h - 3};
        }
    }
    // A seat's trick slot: four places around the centre, 6 units apart.
    Point trick_slot(int seat) const {
        switch (seat) {
            case 1: return {cx + 3, cy + 3};
            case 2: return {cx + 3, cy - h - 3};
            case 3: return {cx - w - 3, cy - h - 3};
            default: return {cx - w - 3, cy + 3};
        }
    }
    // Where the winner's card goes as it leaves the trick: the given number of card widths from
    // the centre toward the winner's seat, in the direction of a quarter turn per seat.
    Point leaving(int seat, float card_widths) const {
        const double a = seat * 1.570796;
        return {float(cx - card_widths * w * std::cos(a)), float(cy + card_widths * w * std::sin(a))};
    }

    // Where a seat's name starts. The side names run down a letter a line from one line below
    // this point.
    Point name(int seat) const {
        switch (seat) {
            case 1: return {cx - w / 2, 2 * cy - h - 40};
            case 2: return {2 * cx - h - 35, cy - 50};
            case 3: return {cx - w / 2, h + 30};
            default: return {h + 30, cy - 50};
        }
    }
};

}  // namespace table
