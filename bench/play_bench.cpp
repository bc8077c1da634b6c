// Play benchmark, on a real X display (Xvfb will do): the processor time of waiting for the
// user's card, the wall and processor time of one trick gathering, and the peak memory after
// 100 hands against after the first.
//
//   DISPLAY=:99 bench_play

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "clock.h"
#include "match/frm_gioco.h"
#include "match/pauses.h"
#include "scripted_user.h"
#include "window/window.h"

namespace {

double peak_mb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Deals a hand and lays a trick of four cards in its slots, as the trick loop leaves it.
void lay_trick(frmGioco& w, std::uint8_t leader) {
    w.Mescola();
    for (int seat = 1; seat <= 4; ++seat) {
        w.trick_cards[seat] = std::uint8_t(w.deck[seat]);
        const table::Point slot = w.geometry().trick_slot(seat);
        w.carta[w.deck[seat]].Move(slot.x, slot.y);
    }
    w.trick_leader = leader;
    w.DETERMINO_TURNO();
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "bench_play measures on a real X display: set DISPLAY (for example Xvfb :99)\n");
        return 2;
    }
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    QApplication app(argc, argv);
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "dolvaro-bench-play";
    std::filesystem::create_directories(dir);
    std::filesystem::remove(dir / "dolvset.kvq");

    frmGioco w(dir);
    w.test_hooks.run_main_on_activate = false;
    w.Form_Load();
    ui::MainWindow& form = w.window().main_window();
    form.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    form.showMaximized();
    for (int i = 0; i < 50; ++i) w.DoEvents();
    w.Form_Activate();
    w.gioco_imposta();

    // One trick gathering at the Middle rate, its 250 ms pause included, then its frames alone.
    std::vector<double> walls, cpus;
    for (int i = 0; i < 8; ++i) {
        lay_trick(w, std::uint8_t(i % 4 + 1));
        for (int k = 0; k < 5; ++k) w.DoEvents();
        const double wall = now_ms(), cpu = cpu_ms();
        w.muovo_carte_prese();
        walls.push_back(now_ms() - wall);
        cpus.push_back(cpu_ms() - cpu);
    }
    const double pause_ms = pauses::kTrickGathered * 1000 / w.play_rate;
    std::printf("one trick gathering (1800 frames and a %.0f ms pause): %.0f ms wall, %.0f ms processor (median)\n",
                pause_ms, median(walls), median(cpus));
    std::printf("  its frames alone: %.0f ms wall\n", median(walls) - pause_ms);

    // The match itself, played by a scripted user. Up to the first wait for the user's card
    // the game runs at its own pace at the High rate, so that the wait finds the pause timer
    // as the game leaves it; the rest is played with short pauses.
    w.test_hooks.message_box = [](const std::string&) {};
    w.velocità_gioco_Click(3);
    testing_support::ScriptedUser user(w, 2026);
    user.meddle = false;
    double waiting_cpu_ms = -1;
    user.before_acting = [&] {
        if (waiting_cpu_ms >= 0 || !user.card_awaited()) return false;
        // The user thinks for three seconds, leaving the game alone meanwhile.
        user.stop();
        const double cpu = cpu_ms();
        QTimer::singleShot(3000, [&, cpu] {
            waiting_cpu_ms = cpu_ms() - cpu;
            w.test_hooks.pause_scale = 0.001;
            user.start();
        });
        return true;
    };
    double peak_after_first = 0, peak_after_last = 0;
    constexpr int kHands = 100;
    user.at_end_of_hand = [&] {
        if (user.hands_seen() == 1) peak_after_first = peak_mb();
        if (user.hands_seen() == kHands) {
            peak_after_last = peak_mb();
            w.menu_quit_Click();
        }
    };
    const double play_started = now_ms();
    try {
        w.Main();
    } catch (const ProgramEnded&) {
    }
    const double seconds = (now_ms() - play_started) / 1000;
    std::printf("waiting 3 s for the user's card: %.1f ms processor (%.2f %% of a core)\n", waiting_cpu_ms,
                waiting_cpu_ms / 30.0);
    std::printf("peak memory: %.1f MB after the first hand, %.1f MB after %d hands (%.1f s of play)\n",
                peak_after_first, peak_after_last, kHands, seconds);
    std::filesystem::remove_all(dir);
    return 0;
}
