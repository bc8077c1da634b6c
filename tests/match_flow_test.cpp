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

// One click per draw, the computers' too, each card face up in front of its seat 2, 3, 4, 1; a
// tie for the highest draws again from the next four cards, the tied ones put aside (all forty
// when ten tied series use up the pack: the hand goes on without a dealer). Then the pack does
// nothing.
TEST(DealerDraw, TiesDrawAgainUntilOneIsHighestOrThePackIsUsedUp) {
    std::vector<int> used_up;  // every series draws the four suits of one number
    for (int i = 0; i < 40; ++i) used_up.push_back(i % 4 * 10 + i / 4 + 1);
    // Re, 7, Re, 3: a tie; then 3, 3, 2, Fante: by number the user's Fante deals.
    for (const std::vector<int>& pack : {std::vector<int>{10, 17, 30, 3, 13, 23, 32, 8}, used_up}) {
        const bool tie = pack.size() == 8;
        SCOPED_TRACE(tie ? "a tie" : "used up");
        StackedPack tw(pack);
        std::vector<std::string> messages;
        tw->test_hooks.message_box = [&](const std::string& text) { messages.push_back(text); };
        std::vector<double> pauses;
        tw->test_hooks.pause = [&](double tempo) { pauses.push_back(tempo); };
        // The scripted user clicks the pack whenever the draw waits; where each click's card came to lie.
        std::vector<Spot> drawn, expected, parked;
        ScriptedUser user(*tw);
        user.meddle = false;
        const auto game_click = tw->dorsov.on_click;
        tw->dorsov.on_click = [&] { game_click(); drawn.push_back(spot_of(tw->carta[tw->played_card])); };
        tw->personalize_players.SetEnabled(true);
        tw->Scelta_Cartaro();
        for (int series = 0; series < (tie ? 2 : 10); ++series)
            expected.insert(expected.end(), {{685, 253}, {373, 19}, {61, 253}, {373, 485}});
        EXPECT_EQ(drawn, expected);
        EXPECT_EQ(messages, std::vector<std::string>(tie ? 1 : 10, "Try again, please"));
        EXPECT_EQ(pauses, std::vector<double>(tie, 6.0));
        EXPECT_EQ(std::tuple(int(tw->deck_pos), int(tw->dealer), int(tw->choose_dealer), int(tw->input_lock),
                             tw->personalize_players.Enabled()),
                  tie ? std::tuple(8, 1, 0, 100, false) : std::tuple(41, 0, 1, 0, false));
        EXPECT_TRUE(!tie || tw->current_player == 1);
        for (int c = 1; c <= 40; ++c) parked.push_back(spot_of(tw->carta[c]));
        EXPECT_EQ(parked, std::vector<Spot>(40, tie ? Spot{2500, 2500} : Spot{1500, 1500}));
        tw->played_card = 0;
        tw->dorsov_Click();
        EXPECT_EQ(tw->played_card, 0) << "the pack does nothing";
    }
}

// Which seat receives which pack positions, and the pauses, for each dealer.
TEST(Deal, PacketsGoRoundFromTheSeatAfterTheDealerWithTheirPauses) {
    for (std::uint8_t dealer = 0; dealer <= 4; ++dealer) {
        SCOPED_TRACE("dealer " + std::to_string(dealer));
        StackedPack tw({});
        tw->dealer = dealer;
        std::vector<double> pauses, expected;
        tw->test_hooks.pause = [&](double tempo) { pauses.push_back(tempo); };
        tw->daicarte();
        std::uint8_t seat = dealer % 4 + 1;
        for (int packet = 0; packet < 4; ++packet, seat = seat % 4 + 1) {
            if (packet != 0 || seat == 1) expected.push_back(2.0);
            expected.insert(expected.end(), 10, 1.0);
            if (seat == 1) expected.push_back(1.0);
            EXPECT_EQ(std::set<int>(&tw->hands[seat][1], &tw->hands[seat][11]),
                      std::set<int>(&tw->deck[packet * 10 + 1], &tw->deck[packet * 10 + 11])) << int(seat);
        }
        expected.push_back(2.0);
        EXPECT_EQ(pauses, expected);
        EXPECT_TRUE(!tw->dorsov.Visible() && tw->input_lock == 100 && tw->game_rate.Enabled());
    }
}

// A press on a card while the trick loop waits for the user's: what plays, and what refuses it.
TEST(UsersMove, OnlyACardTheRulesAcceptPlays) {
    struct Case {
        const char* what; std::vector<std::uint8_t> hand; int trick, leader, led, card, played;
        std::string said = "";  // beeps and messages
        Qt::MouseButton button = Qt::LeftButton; int lock = 0;
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
        std::string said;
        tw->test_hooks.beep = [&] { said += "beep"; };
        tw->test_hooks.message_box = [&](const std::string& text) { said += text; };
        tw->gioco_imposta();
        std::ranges::copy(c.hand, tw->hands[1].begin() + 1);
        // The hand in its row, the led card in its trick slot and any other card pressed in another.
        const table::Geometry table = tw->geometry();
        const auto lay = [&](int card, table::Point at) { tw->carta[card].Move(at.x, at.y), tw->carta[card].ToFront(); };
        for (std::size_t i = 0; i < c.hand.size(); ++i) lay(c.hand[i], table.row(1, int(i) + 1));
        if (c.led) lay(c.led, table.trick_slot(c.leader));
        if (std::ranges::find(c.hand, c.card) == c.hand.end()) lay(c.card, table.trick_slot(c.leader % 4 + 1));
        tw->trick_number = c.trick;
        tw->trick_leader = c.leader;
        tw->trick_cards[c.leader] = c.led;
        tw->input_lock = c.lock;
        tw->Text2.Show();
        tw->Text4.Show();
        testing_support::press(tw->carta[c.card], c.button);
        EXPECT_EQ(std::tuple(int(tw->played_card), said, int(tw->refusal_flag)),
                  std::tuple(c.played, c.said, int(c.said.starts_with("You have"))));
        EXPECT_FALSE(tw->Text2.Visible() || tw->Text4.Visible()) << "any press on a card hides the overlays";
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
        tw->choose_dealer = 0;
        tw->dealer = 2;
        tw->daicarte();
        // Whether a name's box holds white letters (green ones have no red).
        const auto white_in = [&](float x, float y, float width, float height) {
            bool white = false;
            for (float px = x; px < x + width; px += 0.5f)
                for (float py = y; py < y + height; py += 0.5f)
                    white |= tw->surface.Point(px, py).r > 150 && tw->surface.Point(px, py).b > 150;
            return white;
        };
        // Tempo, seat to play, cards played, trick, played marks by seat, user's and right name white.
        using Step = std::tuple<double, int, int, int, std::array<int, 5>, bool, bool>;
        std::vector<Step> steps;
        tw->test_hooks.pause = [&](double tempo) {
            std::array<int, 5> marked{};
            for (int seat = 1; seat <= 4; ++seat)
                marked[seat] = int(std::ranges::count_if(tw->hands[seat], [](int card) { return card > 100; }));
            steps.emplace_back(tempo, tw->current_player, tw->cards_played, tw->trick_number, marked,
                               white_in(tw->center_x - tw->card_width / 2, 2 * tw->center_y - tw->card_height - 40, 40, 12),
                               white_in(2 * tw->center_x - tw->card_height - 35, tw->center_y - 40, 10, 60));
            if (tw->trick_number == 2 && tempo == 1.0) tw->menu_quit_Click();  // the trick is over
        };
        int passes = 0;
        ScriptedUser user(*tw);
        user.before_acting = [&] {
            if (!user.card_awaited()) return true;
            if (++passes == 1) testing_support::press(tw->carta[6]);
            testing_support::press(tw->carta[passes == 1 ? later : 8]);
            return true;
        };
        EXPECT_THROW(tw->gioco(), ProgramEnded);
        EXPECT_EQ(std::ranges::count(tw->hands[1], played + 100), 1);
        const int winner = tw->trick_leader;
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
    const struct { const char* where; bool (*now)(frmGioco&, ScriptedUser&); } moments[] = {
        {"waiting for a pack click", [](frmGioco&, ScriptedUser& u) { return u.draw_waits(); }},
        {"in a deal pause", [](frmGioco& w, ScriptedUser&) { return w.choose_dealer == 0 && w.dorsov.Visible(); }},
        {"waiting for the user's card", [](frmGioco&, ScriptedUser& u) { return u.card_awaited(); }},
        {"in the middle of a gathering", [](frmGioco& w, ScriptedUser&) { return w.animating() && w.anim_step > 150; }},
        {"at the end-of-hand wait", [](frmGioco&, ScriptedUser& u) { return u.sheet_shown(); }},
        // Where the user must follow suit, a card of another suit: its refusal message opens.
        {"with the refusal message open",
         [](frmGioco& w, ScriptedUser& u) {
             const auto suit = frmGioco::seme_carta;
             const std::uint8_t led = suit(w.trick_cards[w.trick_leader]);
             const auto other = std::ranges::find_if(w.hands[1], [&](int c) { return c >= 1 && c <= 100 && suit(c) != led; });
             if (u.card_awaited() && other != w.hands[1].end() && suit(u.playable()[0]) == led)
                 testing_support::press(w.carta[*other]);
             return false;
         }},
    };
    for (const auto& m : moments) {
        SCOPED_TRACE(m.where);
        TestWindow tw(true, false);
        const std::string settings = " 3 \r\n 0 \r\nA\r\nB\r\nC\r\nD\r\n 0 \r\n";
        tw.dir.write("dolvset.kvq", settings);
        tw->test_hooks.pause_scale = 0.001;
        tw->test_hooks.run_main_on_activate = true;
        ScriptedUser user(*tw);
        user.meddle = false;
        bool quit = false;
        const auto quit_now = [&] { quit = true; tw->menu_quit_Click(); };
        tw->test_hooks.message_box = [&](const std::string& text) { if (text.starts_with("You have")) quit_now(); };
        user.before_acting = [&] {
            if (!quit && m.now(*tw, user)) quit_now();
            return quit;
        };
        tw->Form_Activate();
        EXPECT_TRUE(quit && tw->run_over() && !tw->main_running());
        EXPECT_EQ(tw.dir.read("dolvset.kvq"), settings);
    }
}

}  // namespace
