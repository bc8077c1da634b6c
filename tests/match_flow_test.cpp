// The flow of a hand: the dealer draw by pack clicks, the deal, the user's move and its
// refusals, the order of one trick, and quitting from every kind of wait.
#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>
#include <string>
#include <vector>

#include "input.h"
#include "scripted_user.h"
#include "test_window.h"

namespace {

using testing_support::ScriptedUser;
using testing_support::TestWindow;

// Clicks the pack whenever the dealer draw waits for it, noting where each drawn card lies.
struct PackClicker {
    frmGioco& w;
    QTimer timer;
    int clicks = 0;
    std::vector<std::pair<float, float>> spots;  // of each drawn card, by draw
    explicit PackClicker(frmGioco& window) : w(window) {
        timer.setInterval(1);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (w.choose_dealer != 1 || w.played_card != 0 || w.deck_pos < 1 || w.deck_pos > 40) return;
            ++clicks;
            testing_support::click(w.dorsov);
            const auto& card = w.carta[w.deck[w.deck_pos]];
            spots.emplace_back(card.Left(), card.Top());
        });
        timer.start();
    }
};

// A pack whose first cards are the given codes, the rest in order.
void stack_pack(frmGioco& w, std::vector<int> first) {
    std::vector<bool> used(41);
    for (int c : first) used[c] = true;
    for (int c = 1; c <= 40; ++c)
        if (!used[c]) first.push_back(c);
    for (int i = 1; i <= 40; ++i) w.deck[i] = std::int16_t(first[i - 1]);
}

// A window at the first hand of a match, its table set up, its pack stacked.
std::unique_ptr<TestWindow> at_the_draw(std::vector<int> first_cards) {
    auto tw = std::make_unique<TestWindow>();
    frmGioco& w = **tw;
    w.choose_dealer = 1;
    w.gioco_imposta();
    stack_pack(w, std::move(first_cards));
    return tw;
}

TEST(DealerDraw, TieForTheHighestDrawsAgainFromTheNextFourCards) {
    // Seats 2, 3, 4, 1 draw Re, 7, Re, 3: a tie; then 3, 3, 2, Fante: the Fante deals.
    auto tw = at_the_draw({10, 17, 30, 3, 13, 23, 32, 8});
    frmGioco& w = **tw;
    std::vector<std::string> messages;
    w.test_hooks.message_box = [&](const std::string& text) { messages.push_back(text); };
    std::vector<double> pauses;
    std::vector<std::pair<float, float>> first_series;  // as the dealer's pause finds them
    w.test_hooks.pause = [&](double tempo) {
        pauses.push_back(tempo);
        for (int p = 1; p <= 4; ++p) first_series.emplace_back(w.carta[w.deck[p]].Left(), w.carta[w.deck[p]].Top());
    };
    PackClicker clicker(w);
    w.personalize_players.SetEnabled(true);
    w.Scelta_Cartaro();

    EXPECT_EQ(clicker.clicks, 8) << "one click per draw, the computers' draws too";
    EXPECT_EQ(messages, std::vector<std::string>{"Try again, please"});
    EXPECT_EQ(w.deck_pos, 8);
    EXPECT_EQ(w.dealer, 1) << "by number, not by strength: the Fante beats the 3s";
    EXPECT_EQ(w.current_player, 1);
    EXPECT_EQ(w.choose_dealer, 0);
    EXPECT_EQ(w.input_lock, 100);
    EXPECT_EQ(pauses, std::vector<double>{6.0});
    EXPECT_FALSE(w.personalize_players.Enabled());
    // Each card lay face up at its seat's spot, seats 2, 3, 4, 1.
    const float cx = w.center_x, cy = w.center_y, cw = w.card_width, ch = w.card_height;
    const std::pair<float, float> spot[5] = {
        {}, {cx - cw / 2, 2 * cy - ch - 20}, {2 * cx - ch - 20, cy - ch / 2}, {cx - cw / 2, ch * 0.2f},
        {ch + 20 - cw, cy - ch / 2}};
    ASSERT_EQ(clicker.spots.size(), 8u);
    for (int i = 0; i < 8; ++i) {
        const int seat = i % 4 == 3 ? 1 : i % 4 + 2;
        EXPECT_NEAR(clicker.spots[i].first, spot[seat].first, 0.01) << "draw " << i;
        EXPECT_NEAR(clicker.spots[i].second, spot[seat].second, 0.01) << "draw " << i;
    }
    ASSERT_EQ(first_series.size(), 4u);
    for (const auto& [x, y] : first_series) {  // the tied series went away
        EXPECT_NEAR(x, 1500, 0.01);
        EXPECT_NEAR(y, 1500, 0.01);
    }
    for (int c = 1; c <= 40; ++c) EXPECT_NEAR(w.carta[c].Left(), 2500, 0.01) << c;
}

TEST(DealerDraw, TenTiedSeriesUseUpThePack) {
    // Every series draws the four suits of one number.
    std::vector<int> pack;
    for (int n = 1; n <= 10; ++n)
        for (int suit = 0; suit < 4; ++suit) pack.push_back(suit * 10 + n);
    auto tw = at_the_draw(pack);
    frmGioco& w = **tw;
    int messages = 0;
    w.test_hooks.message_box = [&](const std::string&) { ++messages; };
    PackClicker clicker(w);
    w.Scelta_Cartaro();
    EXPECT_EQ(clicker.clicks, 40);
    EXPECT_EQ(messages, 10);
    EXPECT_EQ(w.deck_pos, 41);
    EXPECT_EQ(w.dealer, 0);
    EXPECT_EQ(w.choose_dealer, 1);
    EXPECT_EQ(w.input_lock, 0) << "left as it was";
    // The prompt stays, and the pack does nothing any more.
    bool prompt = false;
    for (float x = 5; x < 60 && !prompt; x += 0.5f)
        for (float y = 5; y < 15 && !prompt; y += 0.5f) prompt = w.surface.Point(x, y).r > 150;
    EXPECT_TRUE(prompt);
    w.played_card = 0;
    w.dorsov_Click();
    EXPECT_EQ(w.played_card, 0);
}

TEST(DealerDraw, LaterHandsOfAMatchDrawNothing) {
    auto tw = at_the_draw({});
    frmGioco& w = **tw;
    w.choose_dealer = 0;
    w.dealer = 3;
    w.surface.Cls();
    PackClicker clicker(w);
    w.Scelta_Cartaro();
    w.DoEvents();
    EXPECT_EQ(clicker.clicks, 0);
    EXPECT_EQ(w.dealer, 3);
    EXPECT_EQ(w.surface.Point(20, 9), ui::kTableColour) << "no prompt";
}

// The deal for each dealer: which seat receives which pack positions, and the pauses.
TEST(Deal, PacketsGoRoundFromTheSeatAfterTheDealerWithTheirPauses) {
    for (std::uint8_t dealer = 0; dealer <= 4; ++dealer) {
        SCOPED_TRACE("dealer " + std::to_string(dealer));
        TestWindow tw;
        frmGioco& w = *tw;
        w.gioco_imposta();
        stack_pack(w, {});
        w.dealer = dealer;
        std::vector<double> pauses;
        w.test_hooks.pause = [&](double tempo) { pauses.push_back(tempo); };
        w.daicarte();

        std::vector<double> expected;
        std::uint8_t seat = dealer % 4 + 1;
        for (int packet = 0; packet < 4; ++packet, seat = seat % 4 + 1) {
            if (packet != 0 || seat == 1) expected.push_back(2.0);
            expected.insert(expected.end(), 10, 1.0);
            if (seat == 1) expected.push_back(1.0);
            // The packet's ten pack positions, whatever the sort made of their order.
            const int first = packet * 10 + 1;
            std::set<int> got(&w.hands[seat][1], &w.hands[seat][11]), want;
            for (int i = first; i < first + 10; ++i) want.insert(w.deck[i]);
            EXPECT_EQ(got, want) << "seat " << int(seat);
        }
        expected.push_back(2.0);
        EXPECT_EQ(pauses, expected);
        EXPECT_FALSE(w.dorsov.Visible());
        EXPECT_EQ(w.input_lock, 100);
        EXPECT_TRUE(w.game_rate.Enabled());
        // The user's row, sorted, face up from 2.5 cards left of the middle; the computers' backs.
        for (int n = 1; n <= 10; ++n) {
            EXPECT_NEAR(w.carta[w.hands[1][n]].Left(), w.center_x + (n - 6) * w.card_width * 0.5f, 0.01);
            EXPECT_NEAR(w.carta[w.hands[1][n]].Top(), 2 * w.center_y - w.card_height - 20, 0.01);
        }
        EXPECT_NE(w.surface.Point(2 * w.center_x - w.card_height, w.center_y), ui::kTableColour);
        EXPECT_NE(w.surface.Point(w.center_x, 40), ui::kTableColour);
        EXPECT_NE(w.surface.Point(40, w.center_y), ui::kTableColour);
    }
}

// A hand ready for the user's move: the user holds the given cards, the trick so far is led
// by the given seat with the given card.
struct UsersTurn {
    TestWindow tw;
    frmGioco& w = *tw;
    int beeps = 0;
    std::vector<std::string> messages;
    UsersTurn(std::vector<std::uint8_t> hand, std::uint8_t trick, std::uint8_t leader = 1, std::uint8_t led_card = 0) {
        w.test_hooks.beep = [this] { ++beeps; };
        w.test_hooks.message_box = [this](const std::string& text) { messages.push_back(text); };
        w.gioco_imposta();
        for (std::size_t s = 0; s < hand.size(); ++s) {
            w.hands[1][s + 1] = hand[s];
            w.carta[hand[s]].Move(100 + 30 * float(s), 480);
        }
        w.trick_number = trick;
        w.trick_leader = leader;
        w.trick_cards[leader] = led_card;
        if (led_card) w.carta[led_card].Move(343, 202);
        w.input_lock = 0;
        w.played_card = 0;
    }
    // A press on the card's image through the toolkit; what the move took, 0 for nothing.
    std::uint8_t press(std::uint8_t card, Qt::MouseButton button = Qt::LeftButton) {
        w.played_card = 0;
        testing_support::press(w.carta[card], button);
        return w.played_card;
    }
};

TEST(UsersMove, FirstTrickRefusesBastoniWithABeepWhateverTheLead) {
    UsersTurn leading({3, 21, 25, 33}, 1);
    EXPECT_EQ(leading.press(21), 0);
    EXPECT_EQ(leading.press(25), 0);
    EXPECT_EQ(leading.beeps, 2);
    EXPECT_EQ(leading.press(33), 33);
    EXPECT_EQ(leading.w.chosen_index, 4);
    // Void in the led suit: any card but a Bastoni.
    UsersTurn void_in_coppe({3, 21, 33}, 1, 2, 15);
    EXPECT_EQ(void_in_coppe.press(21), 0);
    EXPECT_EQ(void_in_coppe.beeps, 1);
    EXPECT_EQ(void_in_coppe.press(3), 3);
    // From the second trick on Bastoni play like any suit.
    UsersTurn second({21, 33}, 2);
    EXPECT_EQ(second.press(21), 21);
    EXPECT_EQ(second.beeps, 0);
    // A hand of nothing but Bastoni may lead one, or the game could never go on.
    UsersTurn all_bastoni({21, 22, 23, 24, 25, 26, 27, 28, 29, 30}, 1);
    EXPECT_EQ(all_bastoni.press(24), 24);
    EXPECT_EQ(all_bastoni.beeps, 0);
}

TEST(UsersMove, FollowSuitRefusalNamesTheLedSuit) {
    UsersTurn t({3, 14, 33}, 2, 3, 15);  // Coppe led; the user holds the 4 of Coppe
    EXPECT_EQ(t.press(3), 0);
    EXPECT_EQ(t.messages, std::vector<std::string>{"You have Coppe"});
    EXPECT_EQ(t.w.refusal_flag, 1);
    EXPECT_EQ(t.press(14), 14);
    EXPECT_EQ(t.w.refusal_flag, 0);
    EXPECT_EQ(t.w.chosen_index, 2);
}

TEST(UsersMove, RightButtonLockAndOtherCardsOnlyHideTheOverlays) {
    UsersTurn t({3, 14}, 2, 3, 15);
    const auto overlays_shown = [&] {
        t.w.Text2.Show();
        t.w.Text4.Show();
    };
    overlays_shown();
    EXPECT_EQ(t.press(14, Qt::RightButton), 0);
    EXPECT_FALSE(t.w.Text2.Visible() || t.w.Text4.Visible());
    EXPECT_EQ(t.press(15), 0) << "the led card is not the user's";
    EXPECT_EQ(t.press(27), 0) << "a card of no hand";
    t.w.input_lock = 100;
    overlays_shown();
    EXPECT_EQ(t.press(14), 0);
    EXPECT_FALSE(t.w.Text2.Visible() || t.w.Text4.Visible());
    t.w.input_lock = 0;
    EXPECT_EQ(t.press(14, Qt::MiddleButton), 14);
    EXPECT_TRUE(t.beeps == 0 && t.messages.empty());
}

// Two presses handled in one event pass: the later one decides.
TEST(UsersMove, TwoPressesInOnePassTheLaterDecides) {
    const auto post_press = [](frmGioco& w, std::uint8_t card) {
        QWidget* target = testing_support::mouse_target(w.carta[card]);
        const QPointF at(target->rect().center());
        QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonPress, at, target->mapToGlobal(at),
                                                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    };
    UsersTurn t({3, 14, 16}, 2, 3, 15);
    post_press(t.w, 14);
    post_press(t.w, 3);  // refused: the 4 of Coppe stays chosen, the refusal shows
    t.w.DoEvents();
    EXPECT_EQ(t.w.played_card, 14);
    EXPECT_EQ(t.w.refusal_flag, 1);
    t.w.played_card = 0;
    post_press(t.w, 14);
    post_press(t.w, 16);  // accepted: it replaces the first
    t.w.DoEvents();
    EXPECT_EQ(t.w.played_card, 16);
    EXPECT_EQ(t.w.chosen_index, 3);
    EXPECT_EQ(t.w.refusal_flag, 0);
}

// One trick led by seat 3 (dealer 2, first trick), step by step, as each pause finds it.
TEST(TrickLoop, OneTrickLedBySeatThreeRunsInItsOrder) {
    TestWindow tw;
    frmGioco& w = *tw;
    w.test_hooks.shuffle_seed = 7;
    w.gioco_imposta();
    w.dealer = 2;
    w.daicarte();
    struct Step {
        double tempo;
        int player, cards, trick;
        std::array<int, 5> marked;
        bool user_name_white, right_name_white;
    };
    // Whether a name's box holds white letters (green ones have no red).
    const auto white_in = [&](float x, float y, float width, float height) {
        for (float px = x; px < x + width; px += 0.5f)
            for (float py = y; py < y + height; py += 0.5f) {
                const ui::Rgb p = w.surface.Point(px, py);
                if (p.r > 150 && p.b > 150) return true;
            }
        return false;
    };
    std::vector<Step> steps;
    w.test_hooks.pause = [&](double tempo) {
        Step s{tempo, w.current_player, w.cards_played, w.trick_number, {}, false, false};
        for (int seat = 1; seat <= 4; ++seat)
            for (int slot = 1; slot <= 10; ++slot) s.marked[seat] += w.hands[seat][slot] > 100;
        s.user_name_white = white_in(w.center_x - w.card_width / 2, 2 * w.center_y - w.card_height - 40, 40, 12);
        s.right_name_white = white_in(2 * w.center_x - w.card_height - 35, w.center_y - 40, 10, 60);
        steps.push_back(s);
        if (w.trick_number == 2 && tempo == 1.0) w.menu_quit_Click();  // the trick is over: stop here
    };
    ScriptedUser user(w);
    EXPECT_THROW(w.gioco(), ProgramEnded);

    const std::vector<std::tuple<double, int, int, std::array<int, 5>>> expected = {
        {1.0, 3, 1, {0, 0, 0, 1, 0}},  // seat 3 marked before its card moves
        {1.0, 3, 1, {0, 0, 0, 1, 0}},
        {1.0, 4, 2, {0, 0, 0, 1, 1}},
        {1.0, 4, 2, {0, 0, 0, 1, 1}},
        {1.0, 1, 3, {0, 0, 0, 1, 1}},  // the user's card is marked after its move
        {1.0, 1, 3, {0, 1, 0, 1, 1}},
        {1.0, 2, 4, {0, 1, 1, 1, 1}},  // seat 2 straight after the user, names not redrawn
        {0.5, -1, 4, {0, 1, 1, 1, 1}},  // the gathering, the winner to move
        {1.0, -1, 4, {0, 1, 1, 1, 1}}};
    ASSERT_EQ(steps.size(), expected.size());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE("pause " + std::to_string(i + 1));
        const auto& [tempo, player, cards, marked] = expected[i];
        EXPECT_EQ(steps[i].tempo, tempo);
        if (player > 0) {
            EXPECT_EQ(steps[i].player, player);
        }
        EXPECT_EQ(steps[i].cards, cards);
        EXPECT_EQ(steps[i].marked, marked);
        EXPECT_EQ(steps[i].trick, i < 7 ? 1 : 2);
    }
    EXPECT_TRUE(steps[4].user_name_white && steps[6].user_name_white) << "the highlight stays on the user";
    EXPECT_FALSE(steps[6].right_name_white);
    EXPECT_EQ(steps[7].player, w.trick_leader) << "the winner leads";
}

TEST(TrickLoop, UsersTurnStartsOverWhenTheLastPressWasRefused) {
    TestWindow tw;
    frmGioco& w = *tw;
    w.gioco_imposta();
    // Dealer 3: seat 4 leads the 4 of Denari from Denari 1-5 and Coppe 1-5; the user holds
    // Denari 6-Re and Coppe 6-Re.
    stack_pack(w, {1, 2, 3, 4, 5, 11, 12, 13, 14, 15, 6, 7, 8, 9, 10, 16, 17, 18, 19, 20});
    w.dealer = 3;
    w.daicarte();
    // The wait's first event pass brings an accepted press and then a refused one (a Coppe
    // while the user holds Denari); later the user presses another Denari.
    int wait_passes = 0;
    QTimer presser;
    presser.setInterval(1);
    QObject::connect(&presser, &QTimer::timeout, [&] {
        if (w.input_lock != 0 || w.played_card != 0) return;
        if (++wait_passes == 1) {
            testing_support::press(w.carta[6]);
            testing_support::press(w.carta[16]);
        } else {
            testing_support::press(w.carta[7]);
        }
    });
    presser.start();
    w.test_hooks.pause = [&](double) {
        if (w.cards_played >= 2) w.menu_quit_Click();
    };
    EXPECT_THROW(w.gioco(), ProgramEnded);
    EXPECT_EQ(wait_passes, 2) << "the wait started over";
    EXPECT_EQ(w.cards_played, 2) << "the user's card is counted once";
    EXPECT_EQ(w.trick_cards[1], 7);
    EXPECT_EQ(w.trick_cards[4], 4);
}

// Quitting at any moment of a match ends the match loop at once, the settings file intact.
TEST(Quit, FromEveryKindOfWaitOfAMatch) {
    const struct {
        const char* where;
        std::function<bool(frmGioco&, ScriptedUser&)> now;
    } moments[] = {
        {"waiting for a pack click", [](frmGioco&, ScriptedUser& u) { return u.draw_waits(); }},
        {"in a deal pause", [](frmGioco& w, ScriptedUser&) { return w.choose_dealer == 0 && w.dorsov.Visible(); }},
        {"waiting for the user's card", [](frmGioco&, ScriptedUser& u) { return u.card_awaited(); }},
        {"in the middle of a gathering", [](frmGioco& w, ScriptedUser&) { return w.animation_running && w.anim_step > 150; }},
        {"at the end-of-hand wait", [](frmGioco&, ScriptedUser& u) { return u.sheet_shown(); }},
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
        user.before_acting = [&] {
            if (!quit && m.now(w, user)) {
                quit = true;
                w.menu_quit_Click();
            }
            return quit;
        };
        w.Form_Activate();
        EXPECT_TRUE(quit);
        EXPECT_TRUE(w.run_over());
        EXPECT_FALSE(w.main_running());
        EXPECT_EQ(tw.dir.read("dolvset.kvq"), settings);
    }
}

TEST(Quit, WithTheRefusalMessageOpen) {
    TestWindow tw(true, false);
    frmGioco& w = *tw;
    w.test_hooks.pause_scale = 0.001;
    w.test_hooks.run_main_on_activate = true;
    bool quit = false;
    w.test_hooks.message_box = [&](const std::string&) {
        quit = true;
        w.menu_quit_Click();
    };
    ScriptedUser user(w, 5);
    // Where the user must follow suit, press a card of another suit first.
    user.before_acting = [&] {
        if (!user.card_awaited() || w.trick_leader == 1) return false;
        const std::uint8_t led = frmGioco::seme_carta(w.trick_cards[w.trick_leader]);
        const auto legal = user.playable();
        if (legal.empty() || frmGioco::seme_carta(legal[0]) != led) return false;
        for (int s = 1; s <= 10; ++s) {
            const std::uint8_t c = w.hands[1][s];
            if (c <= 100 && frmGioco::seme_carta(c) != led && frmGioco::seme_carta(c) != 3) {
                testing_support::press(w.carta[c]);
                return true;
            }
        }
        return false;
    };
    w.Form_Activate();
    EXPECT_TRUE(quit);
    EXPECT_TRUE(w.run_over());
}

}  // namespace
