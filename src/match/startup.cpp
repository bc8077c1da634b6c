// The window's life: creation, first activation (which starts the match loop) and the close.

#include "match/frm_gioco.h"

void frmGioco::Form_Load() {
    last_width = float(window_->outer_width());
    last_height = float(window_->outer_height());

    Set_Read();

    music_start_up();

    menu_card_rustle[card_rustle].SetChecked(true);

    surface.BackColor = ui::kTableColour;

    card_points[1] = 1;
    card_points[2] = 1.0f / 3.0f;
    card_points[3] = 1.0f / 3.0f;
    card_points[4] = 0;
    card_points[5] = 0;
    card_points[6] = 0;
    card_points[7] = 0;
    card_points[8] = 1.0f / 3.0f;
    card_points[9] = 1.0f / 3.0f;
    card_points[10] = 1.0f / 3.0f;
    card_strength[1] = 11;
    card_strength[2] = 12;
    card_strength[3] = 13;
    for (int n = 4; n <= 10; ++n) card_strength[n] = float(n);

    for (int i = 2; i <= 4; ++i) load_TxtPlayer(i);

    suit_names[1] = "Denari";
    suit_names[2] = "Coppe";
    suit_names[3] = "Bastoni";
    suit_names[4] = "Spade";

    velocità_gioco[play_rate].SetChecked(true);

    personalize_players.SetEnabled(true);
}

void frmGioco::Form_Activate() {
    // Only the first activation starts the game.
    if (activated_) return;
    activated_ = true;
    // A close handled before the activation came: the game never starts.
    if (run_over_) return;

    surface.Cls();
    center_x = 800.0f / 2;
    center_y = 600.0f / 2;
    card_width = carta[0].Width();
    card_height = carta[0].Height();
    Text2.Move(0, 0);
    Text2.Hide();
    Text4.Move(20, 0);
    Text4.Hide();

    if (!test_hooks.run_main_on_activate) return;
    main_running_ = true;
    try {
        Main();
    } catch (const ProgramEnded&) {
        // The window was closed inside a wait: every wait has unwound, nothing more runs.
    }
    main_running_ = false;
    ui::leave_event_loop();
}

void frmGioco::Form_Unload(std::int16_t& /*Cancel: closing is never refused*/) {
    if (run_over_) return;
    // Names typed into a panel still open are the table's already: the end of the run saves them
    // as the panel's close would.
    if (names_panel_open()) Set_Write();
    MMC1.Command("Close");
    // The settings file is never held open between calls: no other file to close.
    run_over_ = true;
    ui::leave_event_loop();
}

void frmGioco::menu_quit_Click() {
    window_->close();
    if (!run_over_) {
        std::int16_t cancel = 0;
        Form_Unload(cancel);
    }
}
