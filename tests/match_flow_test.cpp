// The flow of a hand: the dealer draw by pack clicks, the deal, the user's move and its
// refusals, the order of one trick, and quitting from every kind of wait.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "input.h"
#include "scripted_user.h"
#include "test_window.h"

namespace {

using testing_support::ScriptedUser;
using testing_support::TestWindow;
using Spot = std::pair<long, long>;

Spot spot_of(const ui::PictureBox& card) { return {std::lround(card.Left()), std::lround(card.Top())}; }

// A window at the first hand of a match, its pack starting with the given codes, the rest in order.
struct StackedPack : TestWindow {
    explicit StackedPack(std::vector<int> first) {
        w->test_hooks.pause_scale = 0.001;
        w->choose_dealer = 1;
        w->gioco_imposta();
        for (int c = 1; c <= 40; ++c)
            if (std::ranges::find(first, c) == first.end()) first.push_back(c);
        std::ranges::copy(first, w->deck.begin() + 1);
    }
};

// Runs the dealer draw, clicking the pack whenever it waits; where each drawn card came to lie.
std::vector<Spot> draw(frmGioco& w) {
    std::vector<Spot> drawn;
    ScriptedUser user(w);
    user.before_acting = [&] {
        if (user.draw_waits()) {
            testing_support::click(w.dorsov);
            drawn.push_back(spot_of(w.carta[w.played_card]));
        }
        return true;
    };
    w.Scelta_Cartaro();
    return drawn;
}

TEST(DealerDraw, TieForTheHighestDrawsAgainFromTheNextFourCards) {
    // Seats 2, 3, 4, 1 draw Re, 7, Re, 3: a tie; then 3, 3, 2, Fante: by number the Fante deals.
    StackedPack tw({10, 17, 30, 3, 13, 23, 32, 8});
    frmGioco& w = *tw;
    std::vector<std::string> messages;
    w.test_hooks.message_box = [&](const std::string& text) { messages.push_back(text); };
    std::vector<double> pauses;
    std::vector<Spot> tied;  // the first series, as the dealer's pause finds it
    w.test_hooks.pause = [&](double tempo) {
        pauses.push_back(tempo);
        for (int p = 1; p <= 4; ++p) tied.push_back(spot_of(w.carta[w.deck[p]]));
    };
    w.personalize_players.SetEnabled(true);
    // One click per draw, the computers' too; each card face up in front of its seat 2, 3, 4, 1.
    const std::vector<Spot> series{{685, 253}, {373, 19}, {61, 253}, {373, 485}};
    std::vector<Spot> both = series;
    both.insert(both.end(), series.begin(), series.end());
    EXPECT_EQ(draw(w), both);
    EXPECT_EQ(messages, std::vector<std::string>{"Try again, please"});
    EXPECT_EQ(pauses, std::vector<double>{6.0});
    EXPECT_EQ(tied, std::vector<Spot>(4, Spot{1500, 1500}));
    EXPECT_TRUE(w.deck_pos == 8 && w.dealer == 1 && w.current_player == 1);
    EXPECT_TRUE(w.choose_dealer == 0 && w.input_lock == 100 && !w.personalize_players.Enabled());
    for (int c = 1; c <= 40; ++c) EXPECT_EQ(spot_of(w.carta[c]), Spot(2500, 2500)) << c;
}

TEST(DealerDraw, TenTiedSeriesUseUpThePack) {
    std::vector<int> pack;  // every series draws the four suits of one number
    for (int i = 0; i < 40; ++i) pack.push_back(i % 4 * 10 + i / 4 + 1);
    StackedPack tw(pack);
    frmGioco& w = *tw;
    int messages = 0;
    w.test_hooks.message_box = [&](const std::string&) { ++messages; };
    EXPECT_EQ(draw(w).size(), 40u);
    EXPECT_EQ(messages, 10);
    EXPECT_TRUE(w.deck_pos == 41 && w.dealer == 0 && w.choose_dealer == 1 && w.input_lock == 0);
    w.played_card = 0;
    w.dorsov_Click();
    EXPECT_EQ(w.played_card, 0) << "the used-up pack does nothing";
}

// Which seat receives which pack positions, and the pauses, for each dealer.
TEST(Deal, PacketsGoRoundFromTheSeatAfterTheDealerWithTheirPauses) {
    for (std::uint8_t dealer = 0; dealer <= 4; ++dealer) {
        SCOPED_TRACE("dealer " + std::to_string(dealer));
        StackedPack tw({});
        frmGioco& w = *tw;
        w.dealer = dealer;
        std::vector<double> pauses, expected;
        w.test_hooks.pause = [&](double tempo) { pauses.push_back(tempo); };
        w.daicarte();
        std::uint8_t seat = dealer % 4 + 1;
        for (int packet = 0; packet < 4; ++packet, seat = seat % 4 + 1) {
            if (packet != 0 || seat == 1) expected.push_back(2.0);
            expected.insert(expected.end(), 10, 1.0);
            if (seat == 1) expected.push_back(1.0);
            EXPECT_EQ(std::set<int>(&w.hands[seat][1], &w.hands[seat][11]),
                      std::set<int>(&w.deck[packet * 10 + 1], &w.deck[packet * 10 + 11])) << int(seat);
        }
        expected.push_back(2.0);
        EXPECT_EQ(pauses, expected);
        EXPECT_TRUE(!w.dorsov.Visible() && w.input_lock == 100 && w.game_rate.Enabled());
    }
}

// A press on a card while the trick loop waits for the user's: what plays, and what refuses it.
TEST(UsersMove, OnlyACardTheRulesAcceptPlays) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> hand;
        std::uint8_t trick, leader, led, card, played;
        std::string said = "";  // beeps and messages
        Qt::MouseButton button = Qt::LeftButton;
        std::int16_t lock = 0;
    };
    const std::vector<std::uint8_t> coppe_4{3, 14, 33};
    const Case cases[] = {
        {"Bastoni in the first trick", {3, 21, 25, 33}, 1, 1, 0, 21, 0, "beep"},
        {"void in Coppe, Bastoni", {3, 21, 33}, 1, 2, 15, 21, 0, "beep"},
        {"a hand of ten Bastoni", {21, 22, 23, 24, 25, 26, 27, 28, 29, 30}, 1, 1, 0, 24, 24},
        {"Denari on Coppe", coppe_4, 2, 3, 15, 3, 0, "You have Coppe"},
        {"right button", coppe_4, 2, 3, 15, 14, 0, "", Qt::RightButton},
        {"middle button", coppe_4, 2, 3, 15, 14, 14, "", Qt::MiddleButton},
        {"a card of no hand", coppe_4, 2, 3, 15, 27, 0},
        {"input locked", coppe_4, 2, 3, 15, 14, 0, "", Qt::LeftButton, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestWindow tw;
        frmGioco& w = *tw;
        std::string said;
        w.test_hooks.beep = [&] { said += "beep"; };
        w.test_hooks.message_box = [&](const std::string& text) { said += text; };
        w.gioco_imposta();
        std::ranges::copy(c.hand, w.hands[1].begin() + 1);
        w.trick_number = c.trick;
        w.trick_leader = c.leader;
        w.trick_cards[c.leader] = c.led;
        w.input_lock = c.lock;
        w.Text2.Show();
        w.Text4.Show();
        testing_support::press(w.carta[c.card], c.button);
        EXPECT_EQ(w.played_card, c.played);
        EXPECT_EQ(said, c.said);
        EXPECT_EQ(w.refusal_flag, said.starts_with("You have"));
        EXPECT_FALSE(w.Text2.Visible() || w.Text4.Visible()) << "any press on a card hides the overlays";
    }
}

// One trick led by seat 3 (dealer 2, first trick), as each pause finds it. Seat 3 leads the
// 4 of Denari; the user holds Denari 6-Re and Coppe 6-Re and presses two cards in the wait's first
// event pass: the later decides; refused, the user's turn starts over and the next press plays.
TEST(TrickLoop, OneTrickLedBySeatThreeRunsInItsOrder) {
    const std::pair<std::uint8_t, std::uint8_t> cases[] = {{16, 8}, {7, 7}};  // the later press, the card played
    for (const auto& [later, played] : cases) {
        SCOPED_TRACE(int(later));
        StackedPack tw({1, 2, 3, 4, 5, 11, 12, 13, 14, 15, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40,
                        6, 7, 8, 9, 10, 16, 17, 18, 19, 20});
        frmGioco& w = *tw;
        w.choose_dealer = 0;
        w.dealer = 2;
        w.daicarte();
        // Whether a name's box holds white letters (green ones have no red).
        const auto white_in = [&](float x, float y, float width, float height) {
            for (float px = x; px < x + width; px += 0.5f)
                for (float py = y; py < y + height; py += 0.5f)
                    if (w.surface.Point(px, py).r > 150 && w.surface.Point(px, py).b > 150) return true;
            return false;
        };
        // Tempo, seat to play, cards played, trick, played marks by seat, user's and right name white.
        using Step = std::tuple<double, int, int, int, std::array<int, 5>, bool, bool>;
        std::vector<Step> steps;
        w.test_hooks.pause = [&](double tempo) {
            std::array<int, 5> marked{};
            for (int seat = 1; seat <= 4; ++seat)
                marked[seat] = int(std::ranges::count_if(w.hands[seat], [](int card) { return card > 100; }));
            steps.emplace_back(tempo, w.current_player, w.cards_played, w.trick_number, marked,
                               white_in(w.center_x - w.card_width / 2, 2 * w.center_y - w.card_height - 40, 40, 12),
                               white_in(2 * w.center_x - w.card_height - 35, w.center_y - 40, 10, 60));
            if (w.trick_number == 2 && tempo == 1.0) w.menu_quit_Click();  // the trick is over
        };
        int passes = 0;
        ScriptedUser user(w);
        user.before_acting = [&] {
            if (!user.card_awaited()) return true;
            if (++passes == 1) testing_support::press(w.carta[6]);
            testing_support::press(w.carta[passes == 1 ? later : 8]);
            return true;
        };
        EXPECT_THROW(w.gioco(), ProgramEnded);
        EXPECT_EQ(std::ranges::count(w.hands[1], played + 100), 1);
        const int winner = w.trick_leader;
        EXPECT_EQ(steps, (std::vector<Step>{
                             {1.0, 3, 1, 1, {0, 0, 0, 1, 0}, false, false},  // seat 3 marked before its card moves
                             {1.0, 3, 1, 1, {0, 0, 0, 1, 0}, false, false},
                             {1.0, 4, 2, 1, {0, 0, 0, 1, 1}, false, false},
                             {1.0, 4, 2, 1, {0, 0, 0, 1, 1}, false, false},
                             {1.0, 1, 3, 1, {0, 0, 0, 1, 1}, true, false},  // the user's card marked after its move
                             {1.0, 1, 3, 1, {0, 1, 0, 1, 1}, true, false},
                             {1.0, 2, 4, 1, {0, 1, 1, 1, 1}, true, false},  // seat 2 at once, the user still lit
                             {0.5, winner, 4, 2, {0, 1, 1, 1, 1}, true, false},  // the gathering; the winner leads
                             {1.0, winner, 4, 2, {0, 1, 1, 1, 1}, true, false}}));
    }
}

// Quitting at any moment of a match ends the match loop at once, the settings file intact.
TEST(Quit, FromEveryKindOfWaitOfAMatch) {
    const struct {
        const char* where;
        bool (*now)(frmGioco&, ScriptedUser&);
    } moments[] = {
        {"waiting for a pack click", [](frmGioco&, ScriptedUser& u) { return u.draw_waits(); }},
        {"in a deal pause", [](frmGioco& w, ScriptedUser&) { return w.choose_dealer == 0 && w.dorsov.Visible(); }},
        {"waiting for the user's card", [](frmGioco&, ScriptedUser& u) { return u.card_awaited(); }},
        {"in the middle of a gathering",
         [](frmGioco& w, ScriptedUser&) { return w.animation_running && w.anim_step > 150; }},
        {"at the end-of-hand wait", [](frmGioco&, ScriptedUser& u) { return u.sheet_shown(); }},
        // Where the user must follow suit, a card of another suit: its refusal message opens.
        {"with the refusal message open",
         [](frmGioco& w, ScriptedUser& u) {
             const std::uint8_t led = frmGioco::seme_carta(w.trick_cards[w.trick_leader]);
             const auto other = std::ranges::find_if(
                 w.hands[1], [&](int c) { return c >= 1 && c <= 100 && frmGioco::seme_carta(c) != led; });
             if (u.card_awaited() && other != w.hands[1].end() && frmGioco::seme_carta(u.playable()[0]) == led)
                 testing_support::press(w.carta[*other]);
             return false;
         }},
    };
    for (const auto& m : moments) {
        SCOPED_TRACE(m.where);
        TestWindow tw(true, false);
        frmGioco& w = *tw;
        const std::string settings = " 3 \r\n 0 \r\nA\r\nB\r\nC\r\nD\r\n 0 \r\n";
        tw.dir.write("dolvset.kvq", settings);
        w.test_hooks.pause_scale = 0.001;
        w.test_hooks.run_main_on_activate = true;
        ScriptedUser user(w);
        user.meddle = false;
        bool quit = false;
        const auto quit_now = [&] {
            quit = true;
            w.menu_quit_Click();
        };
        w.test_hooks.message_box = [&](const std::string& text) {
            if (text.starts_with("You have")) quit_now();
        };
        user.before_acting = [&] {
            if (!quit && m.now(w, user)) quit_now();
            return quit;
        };
        w.Form_Activate();
        EXPECT_TRUE(quit && w.run_over() && !w.main_running());
        EXPECT_EQ(tw.dir.read("dolvset.kvq"), settings);
    }
}

}  // namespace
