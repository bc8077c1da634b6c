// The table window as designed: the menu bar and every control, hidden, at its design box.
// Design boxes are in pixels (the design's twips divided by 12).

#include "match/frm_gioco.h"

frmGioco::frmGioco(std::filesystem::path program_dir)
    : program_dir_(std::move(program_dir)), window_(std::make_unique<ui::Window>(surface)) {
    ui::Window& f = *window_;

    // Menu bar, in order. No item is checked and every item is enabled at design.
    f.create_menu(menu_game, "&Game", nullptr);
    f.create_item(menu_newGame, "New Game", menu_game);
    f.create_item(continue_, "Continue", menu_game);
    f.create_bar_item(menu_rules, "&Game rules");
    f.create_menu(menu_opzioni, "&Options", nullptr);
    f.create_menu(game_rate, "&Play rate", &menu_opzioni);
    // Option items carry their mark from the start, so a group always looks alike.
    constexpr bool kOption = true;
    f.create_item(velocità_gioco[1], "Low", game_rate, kOption);
    f.create_item(velocità_gioco[2], "Middle", game_rate, kOption);
    f.create_item(velocità_gioco[3], "High", game_rate, kOption);
    f.create_item(personalize_players, "&Personalize players", menu_opzioni);
    f.create_menu(menu_sounds, "&Sounds", nullptr);
    f.create_menu(fruscio, "Card rustle", &menu_sounds);
    f.create_item(menu_card_rustle[0], "No", fruscio, kOption);
    f.create_item(menu_card_rustle[1], "Yes", fruscio, kOption);
    f.create_menu(music, "&Music", nullptr);
    f.create_item(nomusic[0], "None", music, kOption);
    f.create_item(all[0], "SEQUENTIAL MODE", music, kOption);
    canzoni.push_back(nullptr);
    canzoni.push_back(std::make_unique<ui::MenuItem>());
    f.create_item(*canzoni[1], "", music, kOption);
    // The first song item waits for a song to name it.
    canzoni[1]->SetVisible(false);
    f.create_bar_item(menu_about, "&Info");
    f.create_bar_item(menu_quit, "&Quit");

    // Controls, in creation order.
    f.create_picture(carta[0], ui::kNoPicture, 770, 560, 85, 154);
    for (int c = 1; c <= 40; ++c) f.create_picture(carta[c], c, 590, 560, 85, 153);
    f.create_picture(dorsov, ui::kBackUpright, 680, 560, 85, 153);
    f.create_picture(dorsoo, ui::kBackSide, 430, 620, 153, 85);
    f.create_text(Text2, {.multi_line = true, .read_only = true, .vertical_scroll_bar = true}, 450, 10, 380, 400);
    // Our sans-serif face runs wider than the design's: at 8 points every line of the rules
    // stays whole in the box.
    Text2.SetFontSize(8);
    Text2.SetText(ui::design_text("rules.txt"));
    f.create_picture(testo, ui::kTitle, 570, 450, 161, 67);
    f.create_text(TxtPlayer[1], {}, 470, 480, 96, 24);
    f.create_text(Text4, {.multi_line = true, .read_only = true, .centred = true}, 190, 10, 231, 121);
    Text4.SetText(ui::design_text("info.txt"));
    Text4.SetMousePointer(ui::kPointerPicture);
    f.create_shape(Shape1, 470, 510, 96, 16);

    wire_events();
}

frmGioco::~frmGioco() = default;

void frmGioco::load_TxtPlayer(int index) { window_->clone_text(TxtPlayer[index], TxtPlayer[1]); }

void frmGioco::MsgBox(const std::string& text) {
    end_if_closed();
    if (run_over_) return;
    if (test_hooks.message_box) {
        test_hooks.message_box(text);
    } else {
        window_->message_box(text);
    }
    // The window may have been closed while the box was open.
    end_if_closed();
}

void frmGioco::Beep() {
    end_if_closed();
    if (run_over_) return;
    if (test_hooks.beep) {
        test_hooks.beep();
    } else {
        window_->beep();
    }
}

void frmGioco::wire_events() {
    ui::Window& f = *window_;
    f.on_resize = [this] { Form_Resize(); };
    f.on_activate = [this] { Form_Activate(); };
    f.on_unload = [this](std::int16_t& cancel) { Form_Unload(cancel); };
    Timer1.on_tick = [this] { Timer1_Timer(); };

    for (std::int16_t c = 1; c <= 40; ++c) {
        carta[c].on_mouse_down = [this, c](std::int16_t button, float x, float y) {
            std::int16_t index = c, shift = 0;
            carta_MouseDown(index, button, shift, x, y);
        };
    }
    dorsov.on_click = [this] { dorsov_Click(); };

    menu_newGame.on_click = [this] { menu_Newgame_Click(); };
    continue_.on_click = [this] { continue_Click(); };
    menu_quit.on_click = [this] { menu_quit_Click(); };
    for (std::int16_t i = 1; i <= 3; ++i) velocità_gioco[i].on_click = [this, i] { velocità_gioco_Click(i); };
    for (std::int16_t i = 0; i <= 1; ++i) menu_card_rustle[i].on_click = [this, i] { menu_card_rustle_Click(i); };
    menu_rules.on_click = [this] { menu_rules_Click(); };
    menu_about.on_click = [this] { menu_about_Click(); };
    Text2.on_click = [this] { text2_Click(); };
    Text4.on_click = [this] { text4_Click(); };
    personalize_players.on_click = [this] { personalize_players_Click(); };
    // Boxes 2 to 4 are made at load; their change events find these handlers then.
    for (std::int16_t i = 1; i <= 4; ++i) TxtPlayer[i].on_change = [this, i] { TxtPlayer_Change(i); };
    f.on_mouse_down = [this](std::int16_t button, float x, float y) { Form_MouseDown(button, 0, x, y); };
    nomusic[0].on_click = [this] { music_choice([this] { nomusic_Click(0); }); };
    all[0].on_click = [this] { music_choice([this] { all_Click(0); }); };
    canzoni[1]->on_click = [this] { music_choice([this] { canzoni_Click(1); }); };
    MMC1.on_done = [this](std::int16_t& code) { song_device_done(code); };
}
