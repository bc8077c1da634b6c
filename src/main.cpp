// The program: one table window, maximized, living until it is closed.

#include <QApplication>
#include <QScreen>

#include "match/frm_gioco.h"
#include "window/window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    frmGioco window(QCoreApplication::applicationDirPath().toStdString());
    window.Form_Load();

    ui::MainWindow& form = window.window().main_window();
    // Fill the screen even where no window manager acts on the request to maximize.
    if (QScreen* screen = QGuiApplication::primaryScreen()) form.setGeometry(screen->availableGeometry());
    form.showMaximized();
    app.exec();
    return 0;
}
