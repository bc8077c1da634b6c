// The end of a session: SIGTERM at logout, SIGINT from Ctrl+C, SIGHUP from a closed terminal
// each close the game as "&Quit" does, with status 0 and nothing left behind.
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include "window/end_signals.h"
#include "window/window.h"
#include "test_window.h"

namespace fs = std::filesystem;
using testing_support::TempDir;
using testing_support::TestWindow;

namespace {

const std::string kSettings = " 3 \r\n 0 \r\nAnna\r\nBice\r\nCarla\r\nDora\r\n 0 \r\n";
// The temporary file of a save cut short by an earlier run.
const std::string kStale = ".dolvset.kvq.Ab12Cd";

bool holds_a_temporary_file(const fs::path& dir) {
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.path().filename().string().starts_with(".dolvset.kvq.")) return true;
    return false;
}

// The game copied alone into a fresh folder (its settings live beside it), started headless,
// sent the signal once it runs. The removal of the stale file by its start-up tells that it runs.
TEST(EndSignals, GameEndsAsByQuitWithStatusZeroAndLeavesNoTemporaryFile) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(strsignal(signal));
        TempDir dir;
        fs::copy_file(fs::path(DOLVARO_GAME_DIR) / "dolvaro", dir.path() / "dolvaro");
        dir.write("dolvset.kvq", kSettings);
        dir.write(kStale, " 1 \r\n");
        fs::last_write_time(dir.path() / kStale, fs::file_time_type::clock::now() - std::chrono::hours(1));

        QProcess game;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("SDL_AUDIODRIVER", "dummy");
        game.setProcessEnvironment(env);
        game.setStandardOutputFile(QProcess::nullDevice());
        game.setStandardErrorFile(QProcess::nullDevice());
        // Started as a session starts it: with no signal ignored, whatever runs these tests.
        game.setChildProcessModifier([] {
            for (const int s : {SIGTERM, SIGINT, SIGHUP}) ::signal(s, SIG_DFL);
        });
        game.start(QString::fromStdString((dir.path() / "dolvaro").string()), {});
        ASSERT_TRUE(game.waitForStarted(5000));
        for (int i = 0; i < 1000 && fs::exists(dir.path() / kStale); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_FALSE(fs::exists(dir.path() / kStale)) << "the stale temporary file is still there";
        // A moment more, and the window is up and waiting.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        ::kill(pid_t(game.processId()), signal);
        ASSERT_TRUE(game.waitForFinished(10000));
        EXPECT_EQ(game.exitStatus(), QProcess::NormalExit) << "killed by the signal";
        EXPECT_EQ(game.exitCode(), 0);
        EXPECT_EQ(dir.read("dolvset.kvq"), kSettings);
        EXPECT_FALSE(holds_a_temporary_file(dir.path()));
    }
}

// A logout while a message box is open: the box goes and the run ends, as at any close.
TEST(EndSignals, SignalWhileAMessageBoxIsOpenEndsTheRun) {
    TestWindow tw;
    tw->test_hooks.message_box = nullptr;  // the real, modal box
    tw->window().main_window().show();
    ui::EndSignals end_signals([&] { tw->menu_quit_Click(); });
    QTimer::singleShot(50, &tw->window().main_window(), [] { ::raise(SIGTERM); });
    // A box still open seconds later would hold the test: close it, and fail.
    bool still_open = false;
    QTimer::singleShot(3000, &tw->window().main_window(), [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            still_open = true;
            box->close();
        }
    });
    EXPECT_THROW(tw->MsgBox("That card cannot be played now."), ProgramEnded);
    EXPECT_FALSE(still_open);
    EXPECT_TRUE(tw->run_over());
}

// A signal that whoever started the game ignores (nohup ignores SIGHUP) stays ignored; the
// others end the run, and their old handling comes back once the signals are let go.
TEST(EndSignals, IgnoredSignalStaysIgnored) {
    struct sigaction ignore {}, hup_before {}, term_before {}, term_after {};
    sigaction(SIGTERM, nullptr, &term_before);
    if (term_before.sa_handler == SIG_IGN) GTEST_SKIP() << "SIGTERM is ignored where these tests run";
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGHUP, &ignore, &hup_before);
    int ends = 0;
    const auto pump = [&](int ms) {
        QElapsedTimer clock;
        clock.start();
        while (ends == 0 && clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    };
    {
        ui::EndSignals end_signals([&] { ++ends; });
        ::raise(SIGHUP);
        pump(50);
        EXPECT_EQ(ends, 0);
        ::raise(SIGTERM);
        pump(2000);
        EXPECT_EQ(ends, 1);
    }
    sigaction(SIGTERM, nullptr, &term_after);
    EXPECT_EQ(term_after.sa_handler, term_before.sa_handler);
    sigaction(SIGHUP, &hup_before, nullptr);
}

}  // namespace
