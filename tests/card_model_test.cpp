// The card code taken apart, and the rule tables as start-up leaves them.
#include <gtest/gtest.h>

#include <cstring>

#include "test_window.h"

namespace {

// Every byte, so the Re of each suit (10, 20, 30, 40), no card (0) and the played codes
// (101..140, whose suits 11..14 match no suit) are all covered.
TEST(CardCode, SuitAndNumberMatchTheClosedFormsForEveryByte) {
    for (int v = 0; v <= 255; ++v) {
        const auto card = static_cast<std::uint8_t>(v);
        EXPECT_EQ(frmGioco::seme_carta(card), (v + 9) / 10) << "card " << v;
        const int rest = v % 10;
        EXPECT_EQ(frmGioco::numero_carta(card), rest != 0 ? rest : 10) << "card " << v;
    }
}

TEST(RuleTables, HoldTheirValuesAfterStartUp) {
    testing_support::TestWindow tw;
    const float third = 1.0f / 3.0f;

    const float strength[11] = {0, 11, 12, 13, 4, 5, 6, 7, 8, 9, 10};
    const float points[11] = {0, 1, third, third, 0, 0, 0, 0, third, third, third};
    for (int n = 0; n <= 10; ++n) {
        EXPECT_EQ(tw->card_strength[n], strength[n]) << "number " << n;
        // Bit for bit: the thirds are the single-precision quotient, not a rounded literal.
        EXPECT_EQ(std::memcmp(&tw->card_points[n], &points[n], sizeof(float)), 0) << "number " << n;
    }
    EXPECT_EQ(third, 0.33333334f);

    EXPECT_EQ(tw->suit_names[0], "");
    EXPECT_EQ(tw->suit_names[1], "Denari");
    EXPECT_EQ(tw->suit_names[2], "Coppe");
    EXPECT_EQ(tw->suit_names[3], "Bastoni");
    EXPECT_EQ(tw->suit_names[4], "Spade");

    // One suit is worth an Ace and five thirds.
    float suit_points = 0;
    for (int n = 1; n <= 10; ++n) suit_points += tw->card_points[n];
    EXPECT_NEAR(suit_points, 8.0 / 3.0, 1e-6);

    // Within a suit no two numbers tie; the 3 is the strongest and the 4 the weakest.
    for (int a = 1; a <= 10; ++a) {
        for (int b = a + 1; b <= 10; ++b) EXPECT_NE(tw->card_strength[a], tw->card_strength[b]);
        EXPECT_LE(tw->card_strength[a], tw->card_strength[3]);
        EXPECT_GE(tw->card_strength[a], tw->card_strength[4]);
    }
}

}  // namespace
