// A multimedia device over SDL2_mixer, driven by commands as the game's procedures expect:
// "Open", "Play", "Close" (or "close"), a file name, a start position, and a done event.
// "Play" never blocks; a song that plays to its end raises the done event with code 1 once.
// A song that ends almost as soon as it started is taken as unplayable and raises nothing.
// An unknown command is an error; without an audio device the others do nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace media {

class MciDevice {
public:
    // "WaveAudio" makes a sound-effect device; an empty type plays songs (MIDI and the like).
    explicit MciDevice(const std::string& device_type = {});
    ~MciDevice();
    MciDevice(const MciDevice&) = delete;
    MciDevice& operator=(const MciDevice&) = delete;

    void FileName(const std::string& path) { file_name_ = path; }
    const std::string& FileName() const { return file_name_; }
    // "Open", "Play", "Close" or "close"; any other string throws std::invalid_argument.
    void Command(const std::string& command);
    // The start position, notification flag and time format the callers set: "Play" always
    // starts from the beginning and a song's end is always raised, so none of them is kept.
    void From(long /*position*/) {}
    void Notify(bool /*notify*/) {}
    void TimeFormat(int /*format*/) {}

    bool is_open() const;
    bool is_playing() const;
    // True when audio could be opened on this machine.
    static bool audio_available();
    // How many sound channels of the mixer are playing now; none without audio.
    static int sounds_playing();

    // Raised on the GUI thread, with code 1 when a song has played to its end.
    std::function<void(std::int16_t& notify_code)> on_done;
    // Told each time the mixer has accepted this device's sound or song and starts it; for tests.
    std::function<void()> on_start;

    struct Impl;

private:
    void open();
    void close();
    void play();

    std::shared_ptr<Impl> d_;
    std::string file_name_;
};

}  // namespace media
