// Who deals: at the start of a match every player draws a card from the pack, one click on
// the pack per draw, and the one highest card number deals; a tie for it draws again.
#include <array>
#include <utility>

#include "match/frm_gioco.h"
#include "match/pauses.h"

namespace {
constexpr ui::Rgb kWhite{255, 255, 255};
constexpr const char* kPrompt = "Dialer choice - Click the pack";

void print_prompt(ui::Surface& surface) {
    surface.SetFontSize(8);
    surface.ForeColor = kWhite;
    surface.CurrentX = 5;
    surface.CurrentY = 5;
    surface.Print(kPrompt);
}
}  // namespace

void frmGioco::Scelta_Cartaro() {
    if (choose_dealer == 0) return;
    testo.Show();
    personalize_players.SetChecked(false);
    dorsov.Show();
    print_prompt(surface);
    deck_pos = 0;
    for (;;) {
        // The computer players draw first, each on a click of the pack; the user draws last.
        for (const std::uint8_t seat : {2, 3, 4, 1}) {
            current_player = seat;
            played_card = 0;
            ++deck_pos;
            // Ten tied series have used up the pack: the hand goes on without a dealer.
            if (deck_pos == 41) return;
            wait_until([this] { return played_card != 0; });
            // The names panel closes at the first draw, with the names saved; the prompt it
            // covered comes back.
            if (names_panel_open()) {
                close_names_panel();
                print_prompt(surface);
            }
            personalize_players.SetEnabled(false);
            suona();
            draw_number[current_player] = numero_carta(played_card);
        }
        ord_massimo();
        if (dealer != 0) break;
        suona();
        MsgBox("Try again, please");
        for (int p = deck_pos - 3; p <= deck_pos; ++p) carta[deck[p]].Move(table::kAside.x, table::kAside.y);
    }
    input_lock = 100;
    current_player = dealer;
    ritardo(pauses::kDealerDrawn);
    for (int c = 1; c <= 40; ++c) carta[c].Move(table::kParked.x, table::kParked.y);
    surface.Cls();
    // choose_dealer is still 1 here, so the dealer's name shows in the dealer's colour.
    Posiziona_Players();
    choose_dealer = 0;
}

void frmGioco::dorsov_Click() {
    if (choose_dealer != 1 || deck_pos < 1 || deck_pos > 40) return;
    played_card = static_cast<std::uint8_t>(deck[deck_pos]);
    // Each drawn card lies face up in front of its player.
    if (current_player < 1 || current_player > 4) return;
    const table::Point spot = geometry().drawn(current_player);
    carta[played_card].Move(spot.x, spot.y);
}

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
