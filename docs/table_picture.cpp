// Makes the README's pictures from the program itself: a match played by a scripted user at
// the design size, photographed at its moments (the names panel, the dealer draw, the dealt
// table and the user's hand, the rules over the table, a trick, the score sheet).
//
//   table_picture OUTPUT_FOLDER

#include <QApplication>
#include <QImage>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "match/frm_gioco.h"
#include "match/pauses.h"
#include "scripted_user.h"
#include "window/window.h"

namespace {

std::string out;
bool saved_all = true;

void settle(frmGioco& w) {
    for (int i = 0; i < 5; ++i) w.DoEvents();
}

void save(const QImage& image, const char* name) {
    saved_all = image.save(QString::fromStdString(out + "/" + name)) && saved_all;
}

// The whole window at half its size.
void photograph(frmGioco& w, const char* name) {
    settle(w);
    const QImage image = w.window().main_window().grab().toImage();
    save(image.scaled(image.width() / 2, image.height() / 2, Qt::KeepAspectRatio, Qt::SmoothTransformation), name);
}

// A part of the table at full size, given in logical units.
void close_up(frmGioco& w, float left, float top, float right, float bottom, const char* name) {
    settle(w);
    const ui::Window& window = w.window();
    const QRect box(QPoint(int(left * window.unit_x()), int(top * window.unit_y())),
                    QPoint(int(right * window.unit_x()), int(bottom * window.unit_y())));
    save(window.main_window().table()->grab(box).toImage(), name);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    QApplication app(argc, argv);
    out = argv[1];

    // A program folder of its own, so that the names typed here are saved nowhere that matters.
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "dolvaro-pictures";
    std::filesystem::create_directories(dir);
    std::filesystem::remove(dir / "dolvset.kvq");
    frmGioco w(dir);
    w.test_hooks.run_main_on_activate = false;
    w.test_hooks.shuffle_seed = 20261208;
    w.test_hooks.pause_scale = 0.001;
    w.test_hooks.message_box = [](const std::string&) {};
    w.Form_Load();
    w.window().main_window().show();
    w.Form_Activate();

    testing_support::ScriptedUser user(w, 7);
    user.meddle = false;
    bool panel_shown = false, rules_shown = false;
    user.before_acting = [&] {
        // Before the first pack click: the names panel, with the user's own name typed in.
        if (!panel_shown && user.draw_waits()) {
            panel_shown = true;
            w.personalize_players_Click();
            w.TxtPlayer[1].SetText("Ada");
            w.TxtPlayer[2].SetText("Bruno");
            close_up(w, 0, 0, 260, 190, "names.png");
        }
        // The first wait for the user's card: the dealt table, the hand, then the rules over it.
        if (!rules_shown && user.card_awaited()) {
            rules_shown = true;
            photograph(w, "table.png");
            const float hand_top = 2 * w.center_y - w.card_height - 20;
            close_up(w, w.center_x - 2.5f * w.card_width - 8, hand_top - 8, w.center_x + 3 * w.card_width + 8,
                     hand_top + w.card_height + 8, "hand.png");
            w.menu_rules_Click();
            close_up(w, 0, 0, 420, 330, "rules.png");
            w.menu_rules_Click();
        }
        return false;
    };
    w.test_hooks.pause = [&](double tempo) {
        // The dealer draw: four cards drawn, the dealer found.
        if (tempo == pauses::kDealerDrawn) photograph(w, "draw.png");
        // The last card of the third trick shown beside its owner, the other three in their slots.
        if (w.trick_number == 3 && w.cards_played % 4 == 0 && tempo == pauses::kBesideSeat && !w.animating())
            photograph(w, "trick.png");
    };
    user.at_end_of_hand = [&] {
        if (user.hands_seen() < 3) return;
        close_up(w, 210, 85, 590, 395, "sheet.png");
        w.menu_quit_Click();
    };
    try {
        w.Main();
    } catch (const ProgramEnded&) {
    }
    std::filesystem::remove_all(dir);
    return saved_all ? 0 : 1;
}
