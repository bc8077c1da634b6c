// Makes the README's pictures from the program itself: a freshly dealt table at the design
// size, and the user's hand cut out of it.
//
//   table_picture OUTPUT_FOLDER   (writes table.png and hand.png there)

#include <QApplication>
#include <QImage>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "match/frm_gioco.h"
#include "window/window.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    QApplication app(argc, argv);
    const std::string out = argv[1];

    frmGioco w(QCoreApplication::applicationDirPath().toStdString() + "/game");
    w.test_hooks.run_main_on_activate = false;
    w.Form_Load();
    w.Form_Activate();
    w.window().main_window().show();
    w.test_hooks.shuffle_seed = 20261206;
    w.Mescola();

    // The deal as the table shows it: the user's cards face up, the others as rows of backs.
    const float cx = w.center_x, cy = w.center_y, cw = w.card_width, ch = w.card_height;
    for (int seat = 1; seat <= 4; ++seat)
        for (int n = 1; n <= 10; ++n) w.hands[seat][n] = std::uint8_t(w.deck[(seat - 1) * 10 + n]);
    for (int seat = 1; seat <= 4; ++seat) w.OrdMieCarte(std::uint8_t(seat));
    for (int n = 1; n <= 10; ++n) {
        w.carta[w.hands[1][n]].Show();
        const float along = cy + (n - 6) * cw * 0.5f;
        w.surface.PaintPicture(ui::kBackSide, 2 * cx - ch - 20, along);
        w.surface.PaintPicture(ui::kBackUpright, cx + (n - 6) * cw * 0.5f, 20);
        w.surface.PaintPicture(ui::kBackSide, 20, along);
    }
    w.testo.Move(2 * cx - w.testo.Width() - 2, 2);
    w.testo.Show();
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();

    const QImage table = w.window().main_window().grab().toImage();
    const QRect hand_box = w.carta[w.hands[1][1]].widget()->geometry().united(
        w.carta[w.hands[1][10]].widget()->geometry());
    const QImage hand = w.window().main_window().table()->grab(hand_box.adjusted(-12, -12, 12, 12)).toImage();
    const bool ok = table.scaled(table.width() / 2, table.height() / 2, Qt::KeepAspectRatio,
                                 Qt::SmoothTransformation)
                        .save(QString::fromStdString(out + "/table.png")) &&
                    hand.save(QString::fromStdString(out + "/hand.png"));
    return ok ? 0 : 1;
}
