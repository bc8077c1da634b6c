// The end of a session: SIGTERM at logout, SIGINT from Ctrl+C, SIGHUP from a closed terminal
// each close the game as "&Quit" does, with status 0 and nothing left behind.
#include <QProcess>
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "test_window.h"

namespace fs = std::filesystem;
using namespace testing_support;

namespace {

// The game copied alone into a fresh folder (its settings live beside it), started headless as
// the tests run, and sent the signal once its start-up has removed a save's stale temporary file.
TEST(EndSignals, GameEndsAsByQuitWithStatusZeroAndLeavesNoTemporaryFile) {
    const std::string settings = " 3 \r\n 0 \r\nAnna\r\nBice\r\nCarla\r\nDora\r\n 0 \r\n", stale = ".dolvset.kvq.Ab12Cd";
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(strsignal(signal));
        TempDir dir;
        fs::copy_file(fs::path(DOLVARO_GAME_DIR) / "dolvaro", dir.path() / "dolvaro");
        dir.write("dolvset.kvq", settings);
        dir.write(stale, " 1 \r\n");
        fs::last_write_time(dir.path() / stale, fs::file_time_type::clock::now() - std::chrono::hours(1));

        QProcess game;
        game.setStandardOutputFile(QProcess::nullDevice());
        game.setStandardErrorFile(QProcess::nullDevice());
        // Started as a session starts it: with no signal ignored, whatever runs these tests.
        game.setChildProcessModifier([] {
            for (const int s : {SIGTERM, SIGINT, SIGHUP}) ::signal(s, SIG_DFL);
        });
        game.start(QString::fromStdString((dir.path() / "dolvaro").string()), {});
        ASSERT_TRUE(game.waitForStarted(5000));
        for (int i = 0; i < 1000 && fs::exists(dir.path() / stale); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_FALSE(fs::exists(dir.path() / stale));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));  // the window up and waiting
        ::kill(pid_t(game.processId()), signal);
        ASSERT_TRUE(game.waitForFinished(10000));
        EXPECT_EQ(game.exitStatus(), QProcess::NormalExit) << "killed by the signal";
        EXPECT_EQ(game.exitCode(), 0);
        EXPECT_EQ(dir.read("dolvset.kvq"), settings);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 2) << "only the game and its settings";
    }
}

}  // namespace
