// Whole matches played headless through the real event flow by a scripted user, each to its
// end by the rule and then "New Game": every hand is checked as the score sheet shows it.
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>

#include "scripted_user.h"
#include "test_window.h"

namespace {

using testing_support::ScriptedUser;
using testing_support::TestWindow;

// What the end-of-match rule says of these totals, worked out here on its own.
bool over_by_the_rule(const std::array<std::int16_t, 5>& totals, int hand) {
    std::array<int, 4> t{totals[1], totals[2], totals[3], totals[4]};
    std::sort(t.begin(), t.end());
    return hand >= 30 || (t[3] >= 110 && t[0] != t[1]);
}

TEST(FullMatch, ThreeMatchesPlayedToTheirEndHandByHand) {
    TestWindow tw(true, false);
    frmGioco& w = *tw;
    w.test_hooks.pause_scale = 0.001;
    w.test_hooks.run_main_on_activate = true;
    // Refusals of the scripted user's cards; a tied dealer draw may ask to try again.
    int refusals = 0;
    w.test_hooks.beep = [&] { ++refusals; };
    w.test_hooks.message_box = [&](const std::string& text) { refusals += text != "Try again, please"; };

    ScriptedUser user(w, 20261206);
    constexpr int kMatches = 3;
    int matches = 0, hands = 0, expected_hand = 1;
    std::uint8_t last_dealer = 0;
    user.at_end_of_hand = [&] {
        ++hands;
        const int h = w.hand_number;
        SCOPED_TRACE("match " + std::to_string(matches + 1) + ", hand " + std::to_string(h));
        EXPECT_EQ(h, expected_hand) << "a hand was skipped or repeated";
        // Each card dealt once and played once: every slot holds its card with one played mark.
        std::array<int, 141> seen{};
        for (int s = 1; s <= 4; ++s)
            for (int slot = 1; slot <= 10; ++slot) ++seen[std::min<int>(w.hands[s][slot], 140)];
        for (int c = 101; c <= 140; ++c) EXPECT_EQ(seen[c], 1) << "card " << c - 100;
        // Whole points, 20 to 22 in all; the totals are the sums of the hand columns.
        float sum = 0;
        for (int s = 1; s <= 4; ++s) {
            const float p = w.hand_points[s][h];
            EXPECT_EQ(p, float(int(p))) << "seat " << s;
            sum += p;
            float column_sum = 0;
            for (int k = 1; k <= h; ++k) column_sum += w.hand_points[s][k];
            EXPECT_EQ(float(w.match_totals[s]), column_sum) << "seat " << s;
        }
        EXPECT_TRUE(sum >= 20 && sum <= 22) << sum;
        // The deal passes on by one seat at every Continue.
        if (h > 1) {
            EXPECT_EQ(w.dealer, last_dealer % 4 + 1);
        }
        last_dealer = w.dealer;
        const bool over = over_by_the_rule(w.match_totals, h);
        EXPECT_EQ(w.menu_newGame.Enabled(), over);
        EXPECT_EQ(w.continue_.Enabled(), !over);
        expected_hand = over ? 1 : h + 1;
        if (over && ++matches == kMatches) w.menu_quit_Click();
    };

    QElapsedTimer clock;
    clock.start();
    w.Form_Activate();  // returns once the scripted user has quit
    const double seconds = clock.elapsed() / 1000.0;
    EXPECT_EQ(matches, kMatches);
    EXPECT_TRUE(w.run_over());
    EXPECT_EQ(refusals, 0) << "the scripted user only plays cards the rules accept";
    std::printf("[ FullMatch ] %d matches, %d hands in %.1f s: %.1f hands per second\n", matches, hands, seconds,
                hands / seconds);
}

}  // namespace
