// Writes a small PCM wave file, for device tests that need a sound of a known length.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace testing_support {

inline void write_wav(const std::filesystem::path& path, double seconds, int rate = 22050) {
    const std::uint32_t samples = std::uint32_t(seconds * rate);
    const std::uint32_t data_bytes = samples * 2;
    std::ofstream out(path, std::ios::binary);
    const auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    const auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + data_bytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(std::uint32_t(rate));
    u32(std::uint32_t(rate) * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(data_bytes);
    for (std::uint32_t i = 0; i < samples; ++i) u16(std::uint16_t((i % 50) * 200));
}

}  // namespace testing_support
