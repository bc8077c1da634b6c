// The shuffle always yields the whole pack once, and a given seed always the same order.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <numeric>
#include <thread>

#include "test_window.h"

namespace {

void expect_whole_pack(const frmGioco& w, const std::string& what) {
    EXPECT_EQ(w.deck[0], 0) << what;
    std::array<std::int16_t, 40> cards{};
    std::copy(w.deck.begin() + 1, w.deck.end(), cards.begin());
    std::sort(cards.begin(), cards.end());
    std::array<std::int16_t, 40> pack{};
    std::iota(pack.begin(), pack.end(), std::int16_t{1});
    EXPECT_EQ(cards, pack) << what;
}

TEST(Shuffle, EveryShuffleHoldsEachCardOnce) {
    testing_support::TestWindow tw;
    std::array<bool, 41> seen_first{}, seen_last{};
    for (std::uint32_t seed = 1; seed <= 2000; ++seed) {
        tw->shuffle_seed = seed;
        tw->Mescola();
        expect_whole_pack(*tw, "seed " + std::to_string(seed));
        seen_first[tw->deck[1]] = true;
        seen_last[tw->deck[40]] = true;
    }
    // Every card can come first and last: no code is kept out of any part of the draw.
    for (int c = 1; c <= 40; ++c) {
        EXPECT_TRUE(seen_first[c]) << "card " << c << " never first";
        EXPECT_TRUE(seen_last[c]) << "card " << c << " never last";
    }

    // Seeded from the clock, as the game does.
    tw->shuffle_seed.reset();
    tw->Mescola();
    expect_whole_pack(*tw, "clock seed");
}

TEST(Shuffle, SameSeedGivesSameDeckAndOtherSeedsDiffer) {
    testing_support::TestWindow tw;
    tw->shuffle_seed = 12345;
    tw->Mescola();
    const auto first = tw->deck;
    tw->Mescola();
    EXPECT_EQ(tw->deck, first);

    tw->shuffle_seed = 12346;
    tw->Mescola();
    EXPECT_NE(tw->deck, first);

    // The clock moves on between two shuffles, and so does the pack.
    tw->shuffle_seed.reset();
    tw->Mescola();
    const auto clock_first = tw->deck;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    tw->Mescola();
    EXPECT_NE(tw->deck, clock_first);
}

}  // namespace
