// The players' names panel: a titled frame drawn on the table with one box per player and a
// red close mark. Every edit goes into the names at once; the close saves them.

#include "match/frm_gioco.h"
#include "media/names.h"

namespace {

constexpr ui::Rgb kTitleBar{255, 255, 192}, kFrame{255, 255, 0}, kBlack{0, 0, 0}, kWhite{255, 255, 255};
constexpr float kBoxLeft = 90, kFirstBoxTop = 32, kMarkGap = 5;

}  // namespace

void frmGioco::personalize_players_Click() {
    surface.Cls();
    // The title lies on its bar, whatever ground the seat names last printed on.
    const bool was_transparent = surface.FontTransparent;
    surface.FontTransparent = true;

    surface.FillBox(0, 0, 192, 24, kTitleBar);
    surface.SetFontSize(8);
    surface.ForeColor = kBlack;
    surface.CurrentX = 0;
    surface.CurrentY = 5;
    surface.Print("  Nomi dei giocatori");
    surface.Box(0, 24, 192, 170, kFrame);

    surface.SetFontSize(8);
    surface.ForeColor = kWhite;
    const float h = TxtPlayer[1].Height();
    for (int i = 1; i <= 4; ++i) {
        ui::TextBox& box = TxtPlayer[i];
        box.Move(kBoxLeft, kFirstBoxTop + float(i - 1) * h);
        box.Show();
        surface.CurrentX = 5;
        surface.CurrentY = box.Top() + 1;
        box.SetText(player_names[i]);
        surface.Print(i == 1 ? "Player1 (you)" : "Player" + std::to_string(i));
    }
    Shape1.Move(kBoxLeft, TxtPlayer[4].Top() + TxtPlayer[4].Height() + kMarkGap);
    Shape1.Show();

    surface.FontTransparent = was_transparent;
}

void frmGioco::TxtPlayer_Change(std::int16_t Index) {
    if (Index < 1 || Index > 4) return;
    ui::TextBox& box = TxtPlayer[Index];
    const std::string text = box.Text();
    // A change is judged by what it makes of the name: cleaned, then cut to the limit. Only letters
    // typed or pasted into a full name are refused, as a full box refuses them, rather than pushing
    // its last letters out; a paste over a selection replaces it and is cut like any other.
    const bool full = media::shown_characters(player_names[Index]) == media::kNameLimit;
    if (!full || !media::only_adds_to(player_names[Index], text)) player_names[Index] = media::clean_name(text);
    // A pasted line break or control character, or a name past the limit: the box shows the name
    // the game keeps, so that what the user sees is what is saved. The change this raises finds
    // the name clean and stops there.
    if (player_names[Index] != text) box.SetText(player_names[Index]);
}

void frmGioco::Form_MouseDown(std::int16_t /*Button*/, std::int16_t /*Shift*/, float X, float Y) {
    // Every button acts alike, and the overlays go whatever the game is doing.
    Text2.Hide();
    Text4.Hide();
    if (input_lock == 100) return;

    const float L = Shape1.Left(), T = Shape1.Top(), W = Shape1.Width(), H = Shape1.Height();
    // Strictly inside: a click on the mark's border does not close the panel.
    const bool hit = personalize_players.Enabled() && Shape1.Visible() && L < X && X < L + W && T < Y && Y < T + H;
    if (hit) close_names_panel();
}

bool frmGioco::names_panel_open() const { return Shape1.Visible(); }

void frmGioco::close_names_panel() {
    Set_Write();
    for (int i = 1; i <= 4; ++i) TxtPlayer[i].Hide();
    Shape1.Hide();
    surface.Cls();
}
