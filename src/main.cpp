// The program: one table window, maximized, living until it is closed.

#include <QApplication>
#include <QScreen>

#include "match/frm_gioco.h"
#include "window/end_signals.h"
#include "window/window.h"

int main(int argc, char** argv) {
    // A logout, Ctrl+C or a closed terminal ends the run as "&Quit" does, from here to the exit;
    // a signal that comes before the window exists waits for it.
    ui::catch_end_signals();

    QApplication app(argc, argv);

    frmGioco window(QCoreApplication::applicationDirPath().toStdString());
    ui::MainWindow& form = window.window().main_window();
    ui::on_end_signals(form, [&window] { window.menu_quit_Click(); });
    window.Form_Load();

    // Fill the screen even where no window manager acts on the request to maximize.
    if (QScreen* screen = QGuiApplication::primaryScreen()) form.setGeometry(screen->availableGeometry());
    form.showMaximized();
    app.exec();
    return 0;
}
