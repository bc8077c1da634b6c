// The program: one table window, maximized, living until it is closed.

#include <QApplication>
#include <QScreen>

#include <unistd.h>

#include <mutex>
#include <vector>

#include "match/frm_gioco.h"
#include "window/end_signals.h"
#include "window/window.h"

namespace {

// Qt's messages while the application object is being made. With no display to open, Qt ends
// the process from there with a fatal message, after warnings that suggest reinstalling the
// program: the player reads one clear line instead. Otherwise they are told once it stands.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
std::mutex held_lock;
std::vector<HeldMessage> held;

void hold_start_up_message(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        static constexpr char kLine[] = "dolvaro: no graphical display; run it from a desktop session\n";
        [[maybe_unused]] const ssize_t ignored = ::write(STDERR_FILENO, kLine, sizeof kLine - 1);
        ::_exit(1);
    }
    const std::lock_guard lock(held_lock);
    held.push_back({type, context.category, text});
}

void tell_held_messages(QtMessageHandler usual) {
    const std::lock_guard lock(held_lock);
    for (const HeldMessage& m : held)
        usual(m.type, QMessageLogContext(nullptr, 0, nullptr, m.category.constData()), m.text);
    held.clear();
}

}  // namespace

int main(int argc, char** argv) {
    // A logout, Ctrl+C or a closed terminal ends the run as "&Quit" does, from here to the exit;
    // a signal that comes before the window exists waits for it.
    const int end_signals = ui::catch_end_signals();

    const QtMessageHandler usual = qInstallMessageHandler(hold_start_up_message);
    QApplication app(argc, argv);
    qInstallMessageHandler(usual);
    tell_held_messages(usual);

    frmGioco window(QCoreApplication::applicationDirPath().toStdString());
    ui::MainWindow& form = window.window().main_window();
    ui::on_end_signals(form, end_signals, [&window] { window.menu_quit_Click(); });
    window.Form_Load();

    // Fill the screen even where no window manager acts on the request to maximize.
    if (QScreen* screen = QGuiApplication::primaryScreen()) form.setGeometry(screen->availableGeometry());
    form.showMaximized();
    app.exec();
    return 0;
}
