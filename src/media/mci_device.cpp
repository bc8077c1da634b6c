#include "media/mci_device.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <SDL.h>
#include <SDL_mixer.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <stdexcept>

namespace media {
namespace {

// One audio output for the whole process, opened at the first "Open".
struct Audio {
    bool ok = false;

    Audio() {
        // The game itself ends on the signals of a logout; SDL would turn them into events
        // nobody reads.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
        Mix_Init(MIX_INIT_MID);
        // SDL may start without a sound card and still refuse to open one: check both.
        if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return;
        }
        Mix_AllocateChannels(8);
        ok = true;
    }
    // Stops the mixer's thread before the rest of the program's statics go away.
    ~Audio() {
        if (!ok) return;
        Mix_HookMusicFinished(nullptr);
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
};

Audio& audio() {
    static Audio instance;
    return instance;
}

// A song that ends sooner than this after its "Play" cannot really be played (random bytes, a
// broken header): reporting its end would make the callers start it or the next one at once,
// over and over, so it just stops.
constexpr std::chrono::milliseconds kShortestSong{250};

// The largest files opened; a bigger one counts as unplayable. Real songs are well under a
// megabyte and the rustle a few kilobytes, while the mixer holds a song at up to 15 times its
// size once parsed and a wave at up to 22 times (8 kHz 8-bit mono made 44.1 kHz 16-bit stereo):
// a 200 MB song took 2.7 GB and a whole core. At these bounds the worst cases measured take
// about 31 MB for a song and 13 MB for the sound.
constexpr off_t kLargestSong = 2 << 20;
constexpr off_t kLargestSound = 256 << 10;

// The file for the mixer, or none when it is not a regular file of at most `largest` bytes.
SDL_RWops* open_file(const std::string& path, off_t largest) {
    // A FIFO or a device in a song's place is never even opened: opening one may block the game
    // or set the device going.
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return nullptr;
    // The name may have been given another file meanwhile: the size and kind that count are
    // those of the file opened, and O_NONBLOCK keeps even that open from blocking.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    FILE* file = nullptr;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= largest) file = fdopen(fd, "rb");
    if (!file) {
        ::close(fd);
        return nullptr;
    }
    SDL_RWops* rw = SDL_RWFromFP(file, SDL_TRUE);
    if (!rw) std::fclose(file);
    return rw;
}

// Every start of a song gets a new number; the finished hook reports the number current
// when it ran, so that a halted or replaced song never counts as ended.
std::atomic<std::uint64_t> music_generation{0};

}  // namespace

struct MciDevice::Impl {
    MciDevice* owner = nullptr;
    bool wave = false;
    int channel = -1;
    Mix_Chunk* chunk = nullptr;
    Mix_Music* music = nullptr;
    bool song_playing = false;
    std::uint64_t song_generation = 0;
    std::chrono::steady_clock::time_point song_started;
};

namespace {

// The device whose song the mixer plays; read from the audio thread too.
std::mutex owner_mutex;
std::weak_ptr<MciDevice::Impl> owner_of_music;

std::weak_ptr<MciDevice::Impl> music_owner() {
    std::lock_guard lock(owner_mutex);
    return owner_of_music;
}

void set_music_owner(const std::weak_ptr<MciDevice::Impl>& owner) {
    std::lock_guard lock(owner_mutex);
    owner_of_music = owner;
}

// Runs on SDL's audio thread for a natural end, and inside Mix_HaltMusic for a halt: it must
// not call the mixer, only post to the GUI thread.
void music_finished() {
    const auto ended = std::chrono::steady_clock::now();
    const std::uint64_t generation = music_generation.load();
    std::weak_ptr<MciDevice::Impl> owner = music_owner();
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return;
    QMetaObject::invokeMethod(
        app,
        [owner, generation, ended] {
            auto d = owner.lock();
            if (!d || !d->owner || !d->song_playing || d->song_generation != generation) return;
            // A new song may have started meanwhile: only a silent device has really ended.
            if (Mix_PlayingMusic()) return;
            d->song_playing = false;
            if (ended - d->song_started < kShortestSong) return;
            std::int16_t code = 1;
            if (d->owner->on_done) d->owner->on_done(code);
        },
        Qt::QueuedConnection);
}

}  // namespace

MciDevice::MciDevice(const std::string& device_type) : d_(std::make_shared<Impl>()) {
    d_->owner = this;
    d_->wave = device_type == "WaveAudio";
}

MciDevice::~MciDevice() {
    close();
    d_->owner = nullptr;
}

bool MciDevice::audio_available() { return audio().ok; }

int MciDevice::sounds_playing() { return audio().ok ? Mix_Playing(-1) : 0; }

bool MciDevice::is_open() const { return d_->chunk || d_->music; }

bool MciDevice::is_playing() const {
    if (d_->chunk) return d_->channel >= 0 && Mix_Playing(d_->channel) && Mix_GetChunk(d_->channel) == d_->chunk;
    return d_->music && d_->song_playing;
}

void MciDevice::Command(const std::string& command) {
    if (command == "Open") {
        open();
    } else if (command == "Play") {
        play();
    } else if (command == "Close" || command == "close") {
        close();
    } else {
        // The game's commands are constants: any other string is a slip in the code.
        throw std::invalid_argument("unknown device command \"" + command + "\"");
    }
}

void MciDevice::open() {
    close();
    if (file_name_.empty() || !audio().ok) return;
    SDL_RWops* file = open_file(file_name_, d_->wave ? kLargestSound : kLargestSong);
    if (!file) return;
    if (d_->wave) {
        d_->chunk = Mix_LoadWAV_RW(file, 1);
    } else {
        // The kind of song is told by its content, not its name: a file that is no song at all
        // fails here at once instead of loading the soundfont as a MIDI song would.
        d_->music = Mix_LoadMUS_RW(file, SDL_TRUE);
    }
}

void MciDevice::play() {
    if (d_->wave) {
        if (!d_->chunk) return;
        // A sound still playing starts again from its beginning rather than overlapping.
        if (d_->channel >= 0 && Mix_GetChunk(d_->channel) == d_->chunk) Mix_HaltChannel(d_->channel);
        d_->channel = Mix_PlayChannel(-1, d_->chunk, 0);
        if (d_->channel >= 0 && on_start) on_start();
        return;
    }
    if (!d_->music) return;
    Mix_HookMusicFinished(&music_finished);
    set_music_owner(d_);
    d_->song_generation = ++music_generation;
    d_->song_playing = true;
    d_->song_started = std::chrono::steady_clock::now();
    if (Mix_PlayMusic(d_->music, 0) != 0) {
        d_->song_playing = false;
    } else if (on_start) {
        on_start();
    }
}

void MciDevice::close() {
    if (d_->chunk) {
        if (d_->channel >= 0 && Mix_GetChunk(d_->channel) == d_->chunk) Mix_HaltChannel(d_->channel);
        d_->channel = -1;
        Mix_FreeChunk(d_->chunk);
        d_->chunk = nullptr;
    }
    if (d_->music) {
        d_->song_playing = false;
        ++music_generation;
        if (music_owner().lock() == d_) Mix_HaltMusic();
        Mix_FreeMusic(d_->music);
        d_->music = nullptr;
    }
}

}  // namespace media
