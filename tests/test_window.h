// Builds a table window on a temporary program folder for a test.
#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "match/frm_gioco.h"

namespace testing_support {

// A fresh, empty program folder that is removed with the object.
class TempDir {
public:
    TempDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("dolvaro-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(path_ / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::filesystem::path path_;
};

// A window as the game has it after Form_Load (and, with activate, after Form_Activate's
// steps, without entering the match loop). Pauses run a hundred times faster.
struct TestWindow {
    TempDir dir;
    std::unique_ptr<frmGioco> w;
    std::string last_message;
    int beeps = 0;

    explicit TestWindow(bool load = true, bool activate = true) {
        w = std::make_unique<frmGioco>(dir.path());
        w->msgbox_hook = [this](const std::string& text) { last_message = text; };
        w->beep_hook = [this] { ++beeps; };
        w->Timer1.time_scale = 0.01;
        w->run_main_on_activate = false;
        if (load) w->Form_Load();
        if (load && activate) w->Form_Activate();
    }
    frmGioco* operator->() { return w.get(); }
    frmGioco& operator*() { return *w; }
};

}  // namespace testing_support
