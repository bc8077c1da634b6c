// The shuffle on its own, apart from the window: the pack that a seeded generator deals.
#pragma once

#include <array>
#include <cstdint>
#include <random>

namespace shuffle {

// Positions 1..40 hold the card codes 1..40, each once, in dealing order; position 0 holds 0.
// Every position draws from the cards still to be placed, refusing the draws that hit an empty
// pool entry, so that the same seed always gives the same pack.
std::array<std::int16_t, 41> pack(std::mt19937 generator);

// A generator seeded from the time of day in microseconds since midnight, as at every shuffle.
std::mt19937 from_clock();

}  // namespace shuffle
