// A finished trick goes to its winner: the four cards slide one by one onto the winner's card,
// which then slides toward the winner's side of the table and narrows away. Frames are not
// paced: each is one event pass and one move.
#include "match/frm_gioco.h"
#include "match/pauses.h"

namespace {
constexpr int kFrames = 300;
}  // namespace

void frmGioco::muovo_carte_prese() {
    const table::Geometry table = geometry();
    const std::uint8_t winner = current_player;

    // One phase: the image from s towards t in kFrames frames, the last stopping a frame short.
    const auto phase = [&](ui::PictureBox& image, table::Point s, table::Point t, bool narrowing) {
        for (anim_step = 0; anim_step < kFrames; ++anim_step) {
            DoEvents();
            image.Move(s.x + (t.x - s.x) * float(anim_step) / kFrames, s.y + (t.y - s.y) * float(anim_step) / kFrames);
            if (!narrowing) continue;
            const int k = anim_step + 1;
            carta[0].SetPicture(image.picture());
            image.SetWidth(image.Width() * float(kFrames - k) / kFrames);
        }
    };

    Text2.Hide();
    const table::Point g = table.trick_slot(winner);
    const std::uint8_t winning_card = last_trick_cards[winner];
    ui::PictureBox& winning = carta[winning_card];
    winning.ToFront();

    // Strongest first, whatever the suit: the winner's own card takes its turn in place.
    animate([&] {
        for (int i = 1; i <= 4; ++i) {
            ui::PictureBox& image = carta[trick_cards[i]];
            phase(image, {image.Left(), image.Top()}, g, false);
            if (trick_cards[i] != winning_card) image.Move(table::kParked.x, table::kParked.y);
        }
    });

    ritardo(pauses::kTrickGathered);

    animate([&] {
        const table::Point slide_end = table.leaving(winner, 2), shrink_end = table.leaving(winner, 3);
        phase(winning, {winning.Left(), winning.Top()}, slide_end, false);
        phase(winning, slide_end, shrink_end, true);
        winning.Move(table::kParked.x, table::kParked.y);
        // A face given back brings back the box every card image has.
        winning.SetPicture(carta[0].picture());
    });
}
