// Whole matches played headless through the real event flow by a scripted user, each to its
// end by the rule and then "New Game": every hand is checked as the score sheet shows it.
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numeric>

#include "scripted_user.h"
#include "test_window.h"

namespace {

TEST(FullMatch, ThreeMatchesPlayedToTheirEndHandByHand) {
    testing_support::TestWindow tw(true, false);
    frmGioco& w = *tw;
    w.test_hooks.pause_scale = 0.001;
    w.test_hooks.run_main_on_activate = true;
    // The scripted user plays only cards the rules accept; a tied dealer draw may ask to try again.
    int refusals = 0;
    w.test_hooks.beep = [&] { ++refusals; };
    w.test_hooks.message_box = [&](const std::string& text) { refusals += text != "Try again, please"; };

    testing_support::ScriptedUser user(w, 20261206);
    int matches = 0, expected_hand = 1, last_dealer = 0;
    user.at_end_of_hand = [&] {
        const int h = w.hand_number;
        SCOPED_TRACE("match " + std::to_string(matches + 1) + ", hand " + std::to_string(h));
        EXPECT_EQ(h, expected_hand) << "a hand was skipped or repeated";
        // Each card dealt once and played once.
        std::array<int, 256> seen{};
        for (int s = 1; s <= 4; ++s)
            for (int slot = 1; slot <= 10; ++slot) ++seen[w.hands[s][slot]];
        EXPECT_TRUE(std::all_of(&seen[101], &seen[141], [](int n) { return n == 1; }));
        // Whole points, 20 to 22 in all; the totals are the sums of the hand columns.
        float sum = 0;
        for (int s = 1; s <= 4; ++s) {
            EXPECT_EQ(w.hand_points[s][h], std::round(w.hand_points[s][h])) << "seat " << s;
            sum += w.hand_points[s][h];
            const auto& column = w.hand_points[s];
            EXPECT_EQ(float(w.match_totals[s]), std::accumulate(column.begin() + 1, column.begin() + h + 1, 0.0f)) << "seat " << s;
        }
        EXPECT_TRUE(sum >= 20 && sum <= 22) << sum;
        if (h > 1) {
            EXPECT_EQ(w.dealer, last_dealer % 4 + 1) << "the deal passes on by one seat";
        }
        last_dealer = w.dealer;
        // The end-of-match rule, worked out here on its own.
        std::array<int, 4> t{w.match_totals[1], w.match_totals[2], w.match_totals[3], w.match_totals[4]};
        std::ranges::sort(t);
        const bool over = h >= 30 || (t[3] >= 110 && t[0] != t[1]);
        EXPECT_EQ(w.menu_newGame.Enabled(), over);
        EXPECT_EQ(w.continue_.Enabled(), !over);
        expected_hand = over ? 1 : h + 1;
        if (over && ++matches == 3) w.menu_quit_Click();
    };

    QElapsedTimer clock;
    clock.start();
    w.Form_Activate();  // returns once the scripted user has quit
    EXPECT_EQ(matches, 3);
    EXPECT_TRUE(w.run_over());
    EXPECT_EQ(refusals, 0);
    std::printf("[ FullMatch ] %d hands, %.1f hands per second\n", user.hands_seen(),
                user.hands_seen() * 1000.0 / double(clock.elapsed()));
}

}  // namespace
