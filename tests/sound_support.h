// Short songs written by the tests, and an event pump to wait for their ends.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>

namespace testing_support {

// A 16-bit mono PCM wave of a known length: the device tells a song's kind from its content.
inline void write_wav(const std::filesystem::path& path, double seconds, std::uint32_t rate = 22050) {
    const std::uint32_t samples = std::uint32_t(seconds * rate);
    std::ofstream out(path, std::ios::binary);
    const auto put = [&](std::uint32_t v, int bytes) { out.write(reinterpret_cast<const char*>(&v), bytes); };
    out << "RIFF"; put(36 + samples * 2, 4); out << "WAVEfmt ";
    put(16, 4); put(1, 2); put(1, 2); put(rate, 4); put(rate * 2, 4); put(2, 2); put(16, 2);  // PCM, mono, 16-bit
    out << "data"; put(samples * 2, 4);
    for (std::uint32_t i = 0; i < samples; ++i) put((i % 50) * 200, 2);
}

// Processes events, as a wait of the game would, for ms or until done holds.
inline void pump(int ms, const std::function<bool()>& done = [] { return false; }) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms && !done()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

}  // namespace testing_support
