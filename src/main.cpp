// The program: one table window, maximized, living until it is closed.

#include <QApplication>

#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <string_view>
#include <vector>

#include "match/frm_gioco.h"
#include "window/end_signals.h"
#include "window/window.h"

namespace {

// Qt's messages while the application object is being made. With no display to open, Qt ends
// the process from there with a fatal message that suggests reinstalling the program: the player
// reads one clear line instead. Otherwise they are told once the application object stands.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
std::mutex held_lock;
std::vector<HeldMessage> held;

void hold_start_up_message(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    const std::lock_guard lock(held_lock);
    if (type != QtFatalMsg) {
        held.push_back({type, context.category, text});
        return;
    }
    // Where a display was asked for and could not be used, Qt's own warnings say why (a server
    // that is gone, a missing plugin); its closing advice to reinstall is left out.
    const auto set = [](const char* name) { const char* v = std::getenv(name); return v && *v; };
    const bool asked = set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
    const std::string_view said = asked ? "dolvaro: the graphical display could not be opened\n"
                                        : "dolvaro: no graphical display; run it from a desktop session\n";
    [[maybe_unused]] ssize_t ignored = ::write(STDERR_FILENO, said.data(), said.size());
    if (asked) {
        for (const HeldMessage& m : held) {
            const QByteArray line = m.text.toLocal8Bit() + '\n';
            ignored = ::write(STDERR_FILENO, line.constData(), size_t(line.size()));
        }
    }
    ::_exit(1);
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

    form.open_maximized();
    app.exec();
    return 0;
}
