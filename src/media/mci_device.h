// A multimedia device over SDL2_mixer, driven by commands as the game's procedures expect:
// "Open", "Play", "Close" (or "close"), a file name, a start position, and a done event.
// "Play" never blocks; a song that plays to its end raises the done event with code 1 once.
// A song that ends almost as soon as it started is taken as unplayable and raises nothing.
// Without an audio device every command does nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace media {

class MciDevice {
public:
    // "WaveAudio" makes a sound-effect device; an empty type plays songs (MIDI and the like).
    explicit MciDevice(std::string device_type = {});
    ~MciDevice();
    MciDevice(const MciDevice&) = delete;
    MciDevice& operator=(const MciDevice&) = delete;

    void FileName(const std::string& path) { file_name_ = path; }
    const std::string& FileName() const { return file_name_; }
    void Command(const std::string& command);
    void From(long position) { from_ = position; }
    long From() const { return from_; }
    // Notification flag and time format: kept for the callers' sake; the device needs neither.
    void Notify(bool notify) { notify_ = notify; }
    void TimeFormat(int format) { time_format_ = format; }

    bool is_open() const;
    bool is_playing() const;
    // True when audio could be opened on this machine.
    static bool audio_available();

    // Raised on the GUI thread, with code 1 when a song has played to its end.
    std::function<void(std::int16_t& notify_code)> on_done;

    struct Impl;

private:
    void open();
    void close();
    void play();

    std::shared_ptr<Impl> d_;
    std::string device_type_;
    std::string file_name_;
    long from_ = 0;
    bool notify_ = false;
    int time_format_ = 0;
};

}  // namespace media
