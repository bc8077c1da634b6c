// The program: one table window, maximized, living until it is closed.

#include <QApplication>
#include <QScreen>

#include "match/frm_gioco.h"
#include "window/end_signals.h"
#include "window/window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    frmGioco window(QCoreApplication::applicationDirPath().toStdString());
    // A logout, Ctrl+C or a closed terminal ends the run as "&Quit" does.
    ui::EndSignals end_signals([&window] { window.menu_quit_Click(); });
    window.Form_Load();

    ui::MainWindow& form = window.window().main_window();
    // Fill the screen even where no window manager acts on the request to maximize.
    if (QScreen* screen = QGuiApplication::primaryScreen()) form.setGeometry(screen->availableGeometry());
    form.showMaximized();
    app.exec();
    return 0;
}
