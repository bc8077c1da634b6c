// A table window on a temporary program folder, for tests.
#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "match/frm_gioco.h"

namespace testing_support {

// A fresh, empty program folder, removed with the object.
class TempDir {
public:
    TempDir() { std::filesystem::create_directories(path_); }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(path_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

private:
    std::filesystem::path path_ = std::filesystem::temp_directory_path() /
                                  ("dolvaro-test-" + std::to_string(std::random_device{}()) + "-" +
                                   std::to_string(std::random_device{}()));
};

// A window after Form_Load and (with activate) Form_Activate's steps, without the match loop.
// Pauses run a hundred times faster; no message box or beep reaches the screen.
struct TestWindow {
    TempDir dir;
    std::unique_ptr<frmGioco> w = std::make_unique<frmGioco>(dir.path());

    explicit TestWindow(bool load = true, bool activate = true) {
        w->test_hooks.message_box = [](const std::string&) {};
        w->test_hooks.beep = [] {};
        w->test_hooks.pause_scale = 0.01;
        w->test_hooks.run_main_on_activate = false;
        if (load) w->Form_Load();
        if (load && activate) w->Form_Activate();
    }
    frmGioco* operator->() { return w.get(); }
    frmGioco& operator*() { return *w; }
};

}  // namespace testing_support
