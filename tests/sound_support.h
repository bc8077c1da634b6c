// Short General MIDI songs written by the tests, and an event pump to wait for their ends.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "media/mci_device.h"
#include "midi_file.h"

namespace testing_support {

// Whether this machine can play sound at all; without it nothing starts and nothing ends.
inline bool audio() { return media::MciDevice::audio_available(); }

// A piano song whose notes, one each half second, last these seconds. Its end is silenced at
// once (all sound off), so that the device reports it about two seconds later, not three.
inline std::string song_bytes(double seconds) {
    const int ticks = int(seconds * 960);  // 480 ticks a quarter note at 120 a minute
    midi::Track piano{"Piano", 0, {}};
    piano.program(0, 0);
    for (int t = 0; t < ticks; t += 480) piano.note(t, std::min(240, ticks - t), 60 + t / 480 % 12, 90);
    piano.control(ticks, 120, 0);
    return midi::song_bytes({"Test", 120, 4, 4, {piano}}, 0);
}

inline void write_song(const std::filesystem::path& path, double seconds) {
    std::ofstream(path, std::ios::binary) << song_bytes(seconds);
}

// Writes a song of these seconds and plays it on the device.
inline void play_song(media::MciDevice& device, const std::filesystem::path& file, double seconds) {
    write_song(file, seconds);
    device.FileName(file.string());
    device.Command("Open");
    device.Command("Play");
}

// Processes events, as a wait of the game would, for ms or until done holds.
inline void pump(int ms, const std::function<bool()>& done = [] { return false; }) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms && !done()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

}  // namespace testing_support
