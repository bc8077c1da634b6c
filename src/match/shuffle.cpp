// The shuffle: every pack position draws from the cards still to be placed, refusing the
// draws that hit an empty pool entry.
#include "match/shuffle.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace shuffle {
namespace {

// The time of day in microseconds since midnight, local time.
std::uint64_t microseconds_since_midnight() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto micros = duration_cast<microseconds>(now.time_since_epoch()).count() % 1'000'000;
    const std::uint64_t day_seconds =
        static_cast<std::uint64_t>(local.tm_hour) * 3600 + local.tm_min * 60 + local.tm_sec;
    return day_seconds * 1'000'000 + static_cast<std::uint64_t>(micros < 0 ? micros + 1'000'000 : micros);
}

// A uniform value in [0, 1) with 53 random bits; never 1, so a draw never reaches 41.
double unit_draw(std::mt19937& generator) {
    const std::uint64_t high = generator() >> 5;   // 27 bits
    const std::uint64_t low = generator() >> 6;    // 26 bits
    return static_cast<double>((high << 26) | low) * 0x1.0p-53;
}

}  // namespace

std::array<std::int16_t, 41> pack(std::mt19937 generator) {
    std::array<std::int16_t, 41> pool{}, deck{};
    for (int c = 1; c <= 40; ++c) pool[c] = static_cast<std::int16_t>(c);
    for (int i = 1; i <= 40; ++i) {
        for (;;) {
            // 41 ways: 0 comes up too and is refused like a card already placed.
            const auto r = static_cast<int>(std::floor(unit_draw(generator) * 41));
            if (pool[r] == 0) continue;
            deck[i] = pool[r];
            pool[r] = 0;
            break;
        }
    }
    return deck;
}

std::mt19937 from_clock() {
    // A day holds more microseconds than 32 bits can count: both halves go into the seed.
    const std::uint64_t now = microseconds_since_midnight();
    std::seed_seq seed{static_cast<std::uint32_t>(now), static_cast<std::uint32_t>(now >> 32)};
    return std::mt19937(seed);
}

}  // namespace shuffle
