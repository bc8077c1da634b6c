// Background music: the song menu built from the music folder at start-up, the three modes
// (none, one song repeated, every song in sequence) and the song device's end-of-play event.

#include "media/music.h"

#include <limits>
#include <utility>

#include "match/frm_gioco.h"

namespace media {

std::vector<std::string> ordinary_files(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.empty() || name.front() == '.') continue;
        std::error_code ignored;
        if (!it->is_regular_file(ignored)) continue;
        names.push_back(name);
    }
    return names;
}

std::vector<std::string> song_captions(const std::vector<std::string>& names) {
    std::vector<std::string> captions;
    for (const std::string& name : names) {
        const std::size_t mid = name.find(".mid");
        if (mid == std::string::npos) break;
        captions.push_back(name.substr(0, mid));
    }
    return captions;
}

}  // namespace media

namespace {

// The menu shows a song's name as it stands: an ampersand is no mnemonic there.
std::string menu_caption(const std::string& song) {
    std::string caption;
    for (char c : song) {
        if (c == '&') caption += '&';
        caption += c;
    }
    return caption;
}

// The file played for a song: the music folder, the song's name and ".mid".
std::string song_file(const std::filesystem::path& program_dir, const std::string& song) {
    return (program_dir / "music" / (song + ".mid")).string();
}

// Song indices are shorts.
constexpr std::size_t kMostSongs = std::numeric_limits<std::int16_t>::max();

}  // namespace

void frmGioco::music_start_up() {
    const std::vector<std::string> songs = media::song_captions(media::ordinary_files(program_dir_ / "music"));
    for (const std::string& song : songs) {
        const std::size_t i = song_names.size();
        if (i > kMostSongs) break;
        song_names.push_back(song);
        if (i >= canzoni.size()) {
            canzoni.push_back(std::make_unique<ui::MenuItem>());
            window_->create_item(*canzoni[i], "", music, true);
            canzoni[i]->on_click = [this, index = std::int16_t(i)] {
                music_choice([this, index] { canzoni_Click(index); });
            };
        }
        canzoni[i]->SetCaption(menu_caption(song));
        canzoni[i]->SetVisible(true);
    }

    if (song_index == 0) {
        nomusic[0].SetChecked(true);
    } else if (song_index == 101) {
        all[0].SetChecked(true);
        song_index = 0;
        std::int16_t code = 1;
        MMC1_Done(code);
    }
    // Any other saved value checks nothing and plays nothing; the next save writes 0.
}

void frmGioco::clear_song_marks() {
    for (int i = 1; i <= song_count(); ++i) canzoni[i]->SetChecked(false);
}

void frmGioco::nomusic_Click(std::int16_t /*Index: always 0*/) {
    song_end_held_ = false;
    clear_song_marks();
    nomusic[0].SetChecked(true);
    all[0].SetChecked(false);
    song_index = 0;
    MMC1.Command("close");
    Set_Write();
}

void frmGioco::canzoni_Click(std::int16_t Index) {
    if (Index < 1 || Index > song_count()) return;
    song_end_held_ = false;
    clear_song_marks();
    canzoni[Index]->SetChecked(true);
    nomusic[0].SetChecked(false);
    all[0].SetChecked(false);
    song_index = 0;
    MMC1.Command("Close");
    MMC1.FileName(song_file(program_dir_, song_names[Index]));
    MMC1.Command("Open");
    MMC1.Notify(false);
    MMC1.Command("Play");
    Set_Write();
}

void frmGioco::all_Click(std::int16_t /*Index: always 0*/) {
    song_end_held_ = false;
    clear_song_marks();
    nomusic[0].SetChecked(false);
    all[0].SetChecked(true);
    Set_Write();
    song_index = 0;
    std::int16_t code = 1;
    MMC1_Done(code);
}

void frmGioco::MMC1_Done(std::int16_t& NotifyCode) {
    if (NotifyCode != 1) return;
    const int n = song_count();
    if (all[0].Checked()) {
        // Sequential play with no songs: the mark stays and nothing plays.
        if (n == 0) return;
        if (song_index < 0 || song_index >= n) song_index = 0;
        ++song_index;
        canzoni[song_index != 1 ? song_index - 1 : n]->SetChecked(false);
        canzoni[song_index]->SetChecked(true);
        MMC1.Command("close");
        MMC1.FileName(song_file(program_dir_, song_names[song_index]));
        MMC1.Command("Open");
        MMC1.Command("Play");
    } else {
        // One song: it starts again from its beginning.
        MMC1.From(0);
        MMC1.Command("Play");
    }
}

void frmGioco::song_device_done(std::int16_t& code) {
    // Loading the next song takes tens of milliseconds: never inside an animation frame.
    if (animation_running_) {
        if (code == 1) song_end_held_ = true;
        return;
    }
    MMC1_Done(code);
}

void frmGioco::music_choice(std::function<void()> choice) {
    if (!animation_running_) {
        choice();
        return;
    }
    // The latest choice wins, and it replaces whatever song end was waiting.
    held_music_choice_ = std::move(choice);
    song_end_held_ = false;
}

void frmGioco::play_held_music() {
    if (held_music_choice_) {
        std::exchange(held_music_choice_, nullptr)();
        return;
    }
    if (!song_end_held_) return;
    song_end_held_ = false;
    std::int16_t code = 1;
    MMC1_Done(code);
}
