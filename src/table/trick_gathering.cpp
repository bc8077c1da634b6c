// A finished trick goes to its winner: the four cards slide one by one onto the winner's card,
// which then slides toward the winner's side of the table and narrows away. Frames are not
// paced: each is one event pass and one move.
#include <cmath>

#include "match/frm_gioco.h"

namespace {

constexpr int kFrames = 300;
constexpr float kParked = 2500;

struct Point {
    float x, y;
};

}  // namespace

void frmGioco::muovo_carte_prese() {
    const float cx = center_x, cy = center_y, w = card_width, h = card_height;
    const std::uint8_t winner = current_player;

    // One phase: the image from s towards t in kFrames frames, the last stopping a frame short.
    const auto phase = [&](ui::PictureBox& image, Point s, Point t, bool narrowing) {
        for (anim_step = 0; anim_step < kFrames; ++anim_step) {
            DoEvents();
            image.Move(s.x + (t.x - s.x) * float(anim_step) / kFrames, s.y + (t.y - s.y) * float(anim_step) / kFrames);
            if (!narrowing) continue;
            const int k = anim_step + 1;
            carta[0].SetPicture(image.picture());
            image.SetWidth(image.Width() * float(kFrames - k) / kFrames);
        }
    };

    animation_running = true;
    Text2.Hide();

    Point g{};
    switch (winner) {
        case 1: g = {cx + 3, cy + 3}; break;
        case 2: g = {cx + 3, cy - h - 3}; break;
        case 3: g = {cx - w - 3, cy - h - 3}; break;
        default: g = {cx - w - 3, cy + 3}; break;
    }
    const std::uint8_t winning_card = last_trick_cards[winner];
    ui::PictureBox& winning = carta[winning_card];
    winning.ToFront();

    // Strongest first, whatever the suit: the winner's own card takes its turn in place.
    for (int i = 1; i <= 4; ++i) {
        ui::PictureBox& image = carta[trick_cards[i]];
        phase(image, {image.Left(), image.Top()}, g, false);
        if (trick_cards[i] != winning_card) image.Move(kParked, kParked);
    }
    end_of_animation();  // the frames are over: a song end or choice held meanwhile runs now

    ritardo(0.5);

    animation_running = true;
    const double a = winner * 1.570796;
    const Point slide_end{float(cx - 2 * w * std::cos(a)), float(cy + 2 * w * std::sin(a))};
    const Point shrink_end{float(cx - 3 * w * std::cos(a)), float(cy + 3 * w * std::sin(a))};
    phase(winning, {winning.Left(), winning.Top()}, slide_end, false);
    phase(winning, slide_end, shrink_end, true);
    winning.Move(kParked, kParked);
    // A face given back brings the image's own size back.
    winning.SetPicture(carta[0].picture());
    end_of_animation();  // the frames are over: a song end or choice held meanwhile runs now
}
