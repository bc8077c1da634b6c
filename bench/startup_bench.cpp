// Start-up benchmark: process start to the first painted table, peak memory, and the processor
// time that three seconds of waiting in the match loop cost. Runs the game several times as a
// child process and prints the median figures.
//
//   bench_startup [runs]        (uses DISPLAY when set, else the offscreen platform)

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "clock.h"
#include "match/frm_gioco.h"
#include "window/window.h"

extern char** environ;

namespace {

// The game as main() starts it; reports when the table is first painted, then idles.
int child(int argc, char** argv) {
    QApplication app(argc, argv);
    frmGioco window(QCoreApplication::applicationDirPath().toStdString() + "/game");
    window.Form_Load();
    ui::MainWindow& form = window.window().main_window();
    double first_paint = 0, idle_start = 0;
    window.window().on_first_paint = [&] {
        if (first_paint != 0) return;
        first_paint = now_ms();
        QTimer::singleShot(500, [&] { idle_start = cpu_ms(); });
        QTimer::singleShot(3500, [&] {
            const double idle = cpu_ms() - idle_start;
            rusage usage{};
            getrusage(RUSAGE_SELF, &usage);
            std::printf("%.3f %.3f %ld\n", first_paint, idle, usage.ru_maxrss);
            std::fflush(stdout);
            window.menu_quit_Click();
        });
    };
    form.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    form.showMaximized();
    app.exec();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--child") return child(argc, argv);
    if (!std::getenv("DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    std::vector<double> starts, idles, peaks;
    for (int i = 0; i < runs; ++i) {
        int pipefd[2];
        if (pipe(pipefd) != 0) return 1;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipefd[1], 1);
        posix_spawn_file_actions_addclose(&actions, pipefd[0]);
        char child_flag[] = "--child";
        char* child_argv[] = {argv[0], child_flag, nullptr};
        const double spawned = now_ms();
        pid_t pid = 0;
        if (posix_spawn(&pid, "/proc/self/exe", &actions, nullptr, child_argv, environ) != 0) return 1;
        close(pipefd[1]);
        char buffer[256] = {};
        const ssize_t n = read(pipefd[0], buffer, sizeof buffer - 1);
        close(pipefd[0]);
        int status = 0;
        waitpid(pid, &status, 0);
        double first_paint = 0, idle = 0;
        long peak_kb = 0;
        if (n <= 0 || std::sscanf(buffer, "%lf %lf %ld", &first_paint, &idle, &peak_kb) != 3) {
            std::fprintf(stderr, "run %d gave no figures\n", i + 1);
            return 1;
        }
        starts.push_back(first_paint - spawned);
        idles.push_back(idle);
        peaks.push_back(peak_kb / 1024.0);
    }
    const auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("runs: %d\n", runs);
    std::printf("start to first paint: %.1f ms (median)\n", median(starts));
    std::printf("peak memory (max RSS): %.1f MB (median)\n", median(peaks));
    std::printf("processor time of 3 s waiting: %.2f ms (median)\n", median(idles));
    return 0;
}
