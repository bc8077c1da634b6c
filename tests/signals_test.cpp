// The end of a session: SIGTERM at logout, SIGINT from Ctrl+C, SIGHUP from a closed terminal
// each close the game as "&Quit" does, with status 0 and nothing left behind, whenever they come
// and however many; and a machine with no display gets one clear line.
#include <QProcess>
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <thread>

#include "test_window.h"

namespace fs = std::filesystem;
using namespace testing_support;
using namespace std::chrono_literals;

namespace {

// A field of the process's /proc status ("SigCgt", "SigIgn", "State"); empty once it is gone.
std::string status_field(qint64 pid, const std::string& name) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);)
        if (line.starts_with(name + ":")) return line.substr(line.find_first_not_of(" \t", name.size() + 1));
    return {};
}

bool in_mask(qint64 pid, const std::string& mask, int signal) {
    const std::string field = status_field(pid, mask);
    return !field.empty() && (std::stoull(field, nullptr, 16) >> (signal - 1) & 1);
}

// True once the application object, as it is made, has loaded Qt's platform plugin.
bool making_the_application(qint64 pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/maps");
    return std::string(std::istreambuf_iterator<char>(in), {}).find("/platforms/") != std::string::npos;
}

bool ended(qint64 pid) {
    const std::string state = status_field(pid, "State");
    return state.empty() || state.starts_with('Z');
}

void sleep_for(std::chrono::milliseconds ms) { std::this_thread::sleep_for(ms); }

struct Case {
    const char* what;
    int first;
    bool at_start_up;  // sent while the application object is made, else once the table waits for a click
    int then;          // sent again and again from 5 ms after the first until the process has gone
    bool hup_ignored;  // started as nohup starts it; a SIGHUP at the table must change nothing
};

// The game copied alone into a fresh folder (its settings live beside it, with a save's stale
// temporary file that start-up removes), started headless as the tests run.
TEST(EndSignals, EndTheGameWithStatusZeroWheneverAndHoweverManyTheyCome) {
    const Case cases[] = {
        {"SIGTERM in start-up, SIGHUP while it ends (a logout)", SIGTERM, true, SIGHUP, false},
        {"SIGINT in start-up, and again", SIGINT, true, SIGINT, false},
        {"SIGHUP in start-up, then SIGTERM", SIGHUP, true, SIGTERM, false},
        {"SIGTERM at the table, SIGHUP while it ends", SIGTERM, false, SIGHUP, false},
        {"SIGHUP ignored at the table, then SIGTERM", SIGTERM, false, SIGTERM, true},
    };
    const std::string settings = " 3 \r\n 0 \r\nAnna\r\nBice\r\nCarla\r\nDora\r\n 0 \r\n", stale = ".dolvset.kvq.Ab12Cd";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        fs::copy_file(fs::path(DOLVARO_GAME_DIR) / "dolvaro", dir.path() / "dolvaro");
        dir.write("dolvset.kvq", settings);
        dir.write(stale, " 1 \r\n");
        fs::last_write_time(dir.path() / stale, fs::file_time_type::clock::now() - std::chrono::hours(1));

        QProcess game;
        game.setStandardOutputFile(QProcess::nullDevice());
        // A warning Qt gives as the application object is made still reaches the terminal.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_STYLE_OVERRIDE", "no-such-style");
        game.setProcessEnvironment(env);
        // Started as a session starts it, whatever runs these tests: no signal ignored but the
        // one nohup ignores.
        game.setChildProcessModifier([hup_ignored = c.hup_ignored] {
            for (const int s : {SIGTERM, SIGINT, SIGHUP}) ::signal(s, SIG_DFL);
            if (hup_ignored) ::signal(SIGHUP, SIG_IGN);
        });
        game.start(QString::fromStdString((dir.path() / "dolvaro").string()), {});
        ASSERT_TRUE(game.waitForStarted(5000));
        const qint64 pid = game.processId();

        // The three signals are caught from the first line of main, before the application
        // object is made (an ignored one stays ignored); a signal sent now lands in start-up.
        for (const auto until = std::chrono::steady_clock::now() + 5s;
             !making_the_application(pid) && std::chrono::steady_clock::now() < until;) {
        }
        for (const int s : {SIGTERM, SIGINT, SIGHUP})
            EXPECT_EQ(in_mask(pid, "SigCgt", s), !(c.hup_ignored && s == SIGHUP)) << strsignal(s) << " caught";
        EXPECT_EQ(in_mask(pid, "SigIgn", SIGHUP), c.hup_ignored);

        if (!c.at_start_up) {
            for (int i = 0; i < 1000 && fs::exists(dir.path() / stale); ++i) sleep_for(10ms);
            sleep_for(200ms);  // the window up and waiting
        }
        if (c.hup_ignored) {
            ::kill(pid_t(pid), SIGHUP);
            sleep_for(100ms);
            EXPECT_FALSE(ended(pid)) << "ended by an ignored SIGHUP";
        }
        ::kill(pid_t(pid), c.first);
        sleep_for(5ms);
        for (int i = 0; i < 2000 && !ended(pid); ++i) {
            ::kill(pid_t(pid), c.then);
            sleep_for(5ms);
        }
        ASSERT_TRUE(game.waitForFinished(5000));
        EXPECT_EQ(game.exitStatus(), QProcess::NormalExit) << "killed by signal " << game.exitCode();
        EXPECT_EQ(game.exitCode(), 0);
        EXPECT_EQ(dir.read("dolvset.kvq"), settings);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 2) << "only the game and its settings";
        EXPECT_TRUE(game.readAllStandardError().contains("no-such-style"));
    }
}

// With no display the game says so in one line and ends with status 1, before any window; with a
// display asked for that cannot be opened (a server that is gone, a platform that is missing), it
// says that it could not open it, Qt's own reasons after that line.
TEST(NoDisplay, OneClearLineAndStatusOne) {
    const struct { const char* name; const char* value; const char* line; } cases[] = {
        {nullptr, nullptr, "dolvaro: no graphical display; run it from a desktop session\n"},
        {"DISPLAY", ":987", "dolvaro: the graphical display could not be opened\n"},
        {"QT_QPA_PLATFORM", "no-such-platform", "dolvaro: the graphical display could not be opened\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name ? c.name : "nothing");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // Nor a desktop session that would lead Qt to the default Wayland socket.
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"}) env.remove(name);
        if (c.name) env.insert(c.name, c.value);
        QProcess game;
        game.setProcessEnvironment(env);
        game.start(QStringLiteral(DOLVARO_GAME_DIR "/dolvaro"), {});
        ASSERT_TRUE(game.waitForFinished(10000));
        EXPECT_EQ(game.exitStatus(), QProcess::NormalExit) << "killed by signal " << game.exitCode();
        EXPECT_EQ(game.exitCode(), 1);
        const std::string said = game.readAllStandardError().toStdString();
        EXPECT_EQ(c.name ? said.substr(0, said.find('\n') + 1) : said, c.line) << said;
    }
}

}  // namespace
