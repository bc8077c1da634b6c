// The table window as designed: the menu bar and every control, hidden, at its design box.
// Design boxes are in pixels (the design's twips divided by 12).

#include "match/frm_gioco.h"

#include "table/window.h"

using table::Form;

frmGioco::frmGioco(std::filesystem::path program_dir)
    : program_dir_(std::move(program_dir)), form_(std::make_unique<Form>(surface)) {
    Form& f = *form_;

    // Menu bar, in order. No item is checked and every item is enabled at design.
    f.create_menu(menu_game, "&Game", nullptr);
    f.create_item(menu_newGame, "New Game", menu_game);
    f.create_item(continue_, "Continue", menu_game);
    f.create_bar_item(menu_rules, "&Game rules");
    f.create_menu(menu_opzioni, "&Options", nullptr);
    f.create_menu(game_rate, "&Play rate", &menu_opzioni);
    f.create_item(velocità_gioco[1], "Low", game_rate);
    f.create_item(velocità_gioco[2], "Middle", game_rate);
    f.create_item(velocità_gioco[3], "High", game_rate);
    f.create_item(personalize_players, "&Personalize players", menu_opzioni);
    f.create_menu(menu_sounds, "&Sounds", nullptr);
    f.create_menu(fruscio, "Card rustle", &menu_sounds);
    f.create_item(menu_card_rustle[0], "No", fruscio);
    f.create_item(menu_card_rustle[1], "Yes", fruscio);
    f.create_menu(music, "&Music", nullptr);
    f.create_item(nomusic[0], "None", music);
    f.create_item(all[0], "SEQUENTIAL MODE", music);
    canzoni.push_back(nullptr);
    canzoni.push_back(std::make_unique<table::MenuItem>());
    f.create_item(*canzoni[1], "", music);
    // The first song item waits for a song to name it.
    canzoni[1]->SetVisible(false);
    f.create_bar_item(menu_about, "&Info");
    f.create_bar_item(menu_quit, "&Quit");

    // Controls, in creation order.
    f.create_picture(carta[0], table::kNoPicture, 770, 560, 85, 154);
    for (int c = 1; c <= 40; ++c) f.create_picture(carta[c], c, 590, 560, 85, 153);
    f.create_picture(dorsov, table::kBackUpright, 680, 560, 85, 153);
    f.create_picture(dorsoo, table::kBackSide, 430, 620, 153, 85);
    f.create_text(Text2, Form::TextKind::Rules, 450, 10, 380, 400);
    f.create_picture(testo, table::kTitle, 570, 450, 161, 67);
    f.create_text(TxtPlayer[1], Form::TextKind::Name, 470, 480, 96, 24);
    f.create_text(Text4, Form::TextKind::Info, 190, 10, 231, 121);
    f.create_shape(Shape1, 470, 510, 96, 16);

    wire_events();
}

frmGioco::~frmGioco() = default;

void frmGioco::load_TxtPlayer(int index) {
    form_->clone_text(TxtPlayer[index], TxtPlayer[1]);
}

void frmGioco::MsgBox(const std::string& text) {
    if (msgbox_hook) {
        msgbox_hook(text);
    } else {
        form_->message_box(text);
    }
}

void frmGioco::Beep() {
    if (beep_hook) {
        beep_hook();
    } else {
        form_->beep();
    }
}

void frmGioco::wire_events() {
    Form& f = *form_;
    surface.on_changed = [&f] { f.table()->update(); };
    f.on_resize = [this] { Form_Resize(); };
    f.on_activate = [this] { Form_Activate(); };
    f.on_unload = [this](std::int16_t& cancel) { Form_Unload(cancel); };
    Timer1.on_tick = [this] { Timer1_Timer(); };

    menu_newGame.on_click = [this] { menu_Newgame_Click(); };
    continue_.on_click = [this] { continue_Click(); };
    menu_quit.on_click = [this] { menu_quit_Click(); };
    for (std::int16_t i = 1; i <= 3; ++i) velocità_gioco[i].on_click = [this, i] { velocità_gioco_Click(i); };
    for (std::int16_t i = 0; i <= 1; ++i) menu_card_rustle[i].on_click = [this, i] { menu_card_rustle_Click(i); };
}
