// The flow of a hand: the set-up, the dealer draw by pack clicks, the deal, who leads and every
// pause of a hand, the user's move and its refusals, the order of one trick, and quitting from
// every kind of wait.
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "input.h"
#include "probe.h"
#include "scripted_user.h"
#include "sound_support.h"
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

// Every pause is written in plain seconds at the slowest rate, as the game's timing table gives it:
// 6 while the drawn cards lie before their players; 2 before a packet, after the deal and before
// the first trick; 1 before each card dealt, after the user's packet, while a played card stands
// beside its seat, after a card that does not end its trick and after a trick; 0.5 while a trick
// lies gathered on its winner's card.

// The pauses of the deal by each dealer (0 for none), written out: P the pause before a packet,
// C the ten pauses before its cards, U the one after the user's packet, D the one after the deal.
std::vector<double> deal_pauses(int dealer) {
    static const char* const kByDealer[] = {"PCUPCPCPCD", "CPCPCPCUD", "CPCPCUPCD", "CPCUPCPCD", "PCUPCPCPCD"};
    std::vector<double> pauses;
    for (const char c : std::string_view(kByDealer[dealer])) {
        if (c == 'C') {
            pauses.insert(pauses.end(), 10, 1.0);
        } else {
            pauses.push_back(c == 'P' ? 2.0 : c == 'U' ? 1.0 : 2.0);
        }
    }
    return pauses;
}

// The seats whose names show in this colour.
std::vector<int> seats_named_in(frmGioco& w, ui::Rgb colour) {
    std::vector<int> seats;
    for (int s = 1; s <= 4; ++s)
        if (probe::any(w.surface, probe::name_box(w, s), colour, 40)) seats.push_back(s);
    return seats;
}

constexpr ui::Rgb kWhite{255, 255, 255}, kPink{255, 192, 192};
constexpr table::Box kPrompt{5, 6, 150, 14};

// Every set-up shows the forty card images parked off the table; the first of the run lays the
// pack in the middle and the title in the top-right corner, and later ones leave them.
TEST(HandSetUp, ShowsEveryCardParkedAndLaysThePackAndTitleOnce) {
    TestWindow tw;
    for (const bool first : {true, false}) {
        tw->gioco_imposta();
        for (int c = 1; c <= 40; ++c)
            EXPECT_TRUE(tw->carta[c].Visible() && spot_of(tw->carta[c]) == Spot(2500, 2500)) << "card " << c;
        const table::Point pack = tw->geometry().pack(), title = tw->geometry().title(tw->testo.Width());
        EXPECT_EQ(std::pair(spot_of(tw->dorsov), spot_of(tw->testo)),
                  first ? std::pair(Spot(std::lround(pack.x), std::lround(pack.y)), Spot(std::lround(title.x), 2))
                        : std::pair(Spot(100, 100), Spot(300, 300)));
        tw->dorsov.Move(100, 100);
        tw->testo.Move(300, 300);
    }
}

// One click per draw, the computers' too, each card face up in front of its seat 2, 3, 4, 1; a
// tie for the highest draws again from the next four cards, the tied ones put aside (all forty
// when ten tied series use up the pack: the hand goes on without a dealer). A dealer found, the
// drawn cards stay in front of their seats through the pause and the prompt with them; then the
// cards are parked, the prompt goes, and the dealer, the top seat as well as the user, is the
// player to move, its name pink. Then the pack does nothing.
TEST(DealerDraw, TiesDrawAgainUntilOneIsHighestOrThePackIsUsedUp) {
    std::vector<int> used_up;  // every series draws the four suits of one number
    for (int i = 0; i < 40; ++i) used_up.push_back(i % 4 * 10 + i / 4 + 1);
    const struct { const char* what; std::vector<int> pack; int series, dealer; } cases[] = {
        // Re, 7, Re, 3: a tie; then 3, 3, 2, Fante: by number the user's Fante deals.
        {"a tie, then the user deals", {10, 17, 30, 3, 13, 23, 32, 8}, 2, 1},
        {"the top seat's Re", {5, 10, 7, 4}, 1, 3},
        {"ten ties use up the pack", used_up, 10, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StackedPack tw(c.pack);
        const table::Geometry table = tw->geometry();
        std::vector<std::string> messages;
        tw->test_hooks.message_box = [&](const std::string& text) { messages.push_back(text); };
        // Where each click's card came to lie, and where the last four lay in the pause.
        std::vector<Spot> drawn, expected, in_pause;
        bool prompt_in_pause = false;
        std::vector<double> pauses;
        tw->test_hooks.pause = [&](double tempo) {
            pauses.push_back(tempo);
            for (int p = tw->deck_pos - 3; p <= tw->deck_pos; ++p) in_pause.push_back(spot_of(tw->carta[tw->deck[p]]));
            prompt_in_pause = probe::any(tw->surface, kPrompt, kWhite);
        };
        ScriptedUser user(*tw);
        user.meddle = false;
        const auto game_click = tw->dorsov.on_click;
        tw->dorsov.on_click = [&] { game_click(); drawn.push_back(spot_of(tw->carta[tw->played_card])); };
        tw->personalize_players.SetEnabled(true);
        tw->Scelta_Cartaro();
        for (int series = 0; series < c.series; ++series)
            for (const int seat : {2, 3, 4, 1})
                expected.emplace_back(std::lround(table.drawn(seat).x), std::lround(table.drawn(seat).y));
        EXPECT_EQ(drawn, expected);
        EXPECT_EQ(messages, std::vector<std::string>(c.series - (c.dealer != 0), "Try again, please"));
        EXPECT_EQ(pauses, std::vector<double>(c.dealer != 0, 6.0));
        EXPECT_EQ(std::tuple(int(tw->deck_pos), int(tw->dealer), int(tw->choose_dealer), int(tw->input_lock),
                             tw->personalize_players.Enabled()),
                  c.dealer ? std::tuple(4 * c.series, c.dealer, 0, 100, false) : std::tuple(41, 0, 1, 0, false));
        std::vector<Spot> parked;
        for (int card = 1; card <= 40; ++card) parked.push_back(spot_of(tw->carta[card]));
        EXPECT_EQ(parked, std::vector<Spot>(40, c.dealer ? Spot{2500, 2500} : Spot{1500, 1500}));
        if (c.dealer) {
            EXPECT_TRUE(prompt_in_pause && in_pause == std::vector<Spot>(expected.end() - 4, expected.end()))
                << "the drawn cards and the prompt stay through the pause";
            EXPECT_TRUE(probe::all(tw->surface, kPrompt, ui::kTableColour)) << "the prompt is gone";
            EXPECT_EQ(std::tuple(int(tw->current_player), seats_named_in(*tw, kPink), seats_named_in(*tw, kWhite)),
                      std::tuple(c.dealer, std::vector<int>{c.dealer}, std::vector<int>{}));
        }
        tw->played_card = 0;
        tw->dorsov_Click();
        EXPECT_EQ(tw->played_card, 0) << "the pack does nothing";
    }
}

// Which seat receives which pack positions, and the pauses, for each dealer. The computers' hands
// lie as rows of backs at their places: on their side at the right and the left, upright at the top.
TEST(Deal, PacketsGoRoundFromTheSeatAfterTheDealerAndBacksLieAtTheirSeats) {
    for (std::uint8_t dealer = 0; dealer <= 4; ++dealer) {
        SCOPED_TRACE("dealer " + std::to_string(dealer));
        StackedPack tw({});
        tw->dealer = dealer;
        std::vector<double> pauses;
        tw->test_hooks.pause = [&](double tempo) { pauses.push_back(tempo); };
        tw->daicarte();
        for (int packet = 0, seat = dealer % 4 + 1; packet < 4; ++packet, seat = seat % 4 + 1)
            EXPECT_EQ(std::set<int>(&tw->hands[seat][1], &tw->hands[seat][11]),
                      std::set<int>(tw->deck.begin() + packet * 10 + 1, tw->deck.begin() + packet * 10 + 11)) << seat;
        EXPECT_EQ(pauses, deal_pauses(dealer));
        EXPECT_TRUE(!tw->dorsov.Visible() && tw->input_lock == 100);
        // What the backs cover: from the first slot's corner to the far corner of the last back,
        // a back being 85 x 153 design pixels upright and 153 x 85 on its side.
        const table::Geometry table = tw->geometry();
        const double zoom = tw->window().zoom(), ux = tw->window().unit_x(), uy = tw->window().unit_y();
        for (const int seat : {2, 3, 4}) {
            const bool upright = seat == 3;
            const table::Point first = table.row(seat, 1), last = table.row(seat, 10);
            const table::Box want{first.x, first.y, last.x + float((upright ? 85 : 153) * zoom / ux),
                                  last.y + float((upright ? 153 : 85) * zoom / uy)};
            const table::Box box = table.row_box(seat);
            const table::Box got = probe::extent(tw->surface, {box.x1 - 5, box.y1 - 5, box.x2 + 5, box.y2 + 5});
            EXPECT_TRUE(std::abs(got.x1 - want.x1) < 1 && std::abs(got.y1 - want.y1) < 1 &&
                        std::abs(got.x2 - want.x2) < 1 && std::abs(got.y2 - want.y2) < 1)
                << "seat " << seat << ": " << got.x1 << ", " << got.y1 << " to " << got.x2 << ", " << got.y2;
        }
    }
}

// Four hands of a match, through the real event flow, so that each seat deals once: the seat
// after the dealer leads (its name white, its card beside it), and the pauses run from the dealer
// draw through the deal and the ten tricks to the end of the hand, with the pause before the first
// trick, none after the tenth and none after a card that ends its trick, the user's included. The
// rules and info opened over the score sheet are gone at the next hand. Once the match is over,
// "New Game" starts with a draw: the prompt shows and the pack takes clicks.
TEST(Hand, EachDealerHasItsLeaderAndItsPauses) {
    TestWindow tw(true, false);
    frmGioco& w = *tw;
    w.test_hooks.pause_scale = 0.001;
    w.test_hooks.run_main_on_activate = true;
    w.test_hooks.shuffle_seed = 5;
    ScriptedUser user(w);
    user.meddle = false;
    std::vector<double> pauses;
    std::vector<int> leaders, dealers;
    w.test_hooks.pause = [&](double tempo) {
        if (dealers.size() == 4) {  // the new match waits for its first pack click before any pause
            ADD_FAILURE() << "a new match went on without its dealer draw";
            w.menu_quit_Click();
        }
        if (pauses.empty() && !dealers.empty()) {
            EXPECT_FALSE(w.Text2.Visible() || w.Text4.Visible()) << "an overlay left from the score sheet";
        }
        pauses.push_back(tempo);
        if (tempo == 1.0 && w.cards_played == 1 && leaders.size() == dealers.size()) {
            // The first card of the hand: the seat named in white has its card beside it.
            const std::vector<int> lit = seats_named_in(w, kWhite);
            const int seat = lit.size() == 1 ? lit[0] : 0;
            const table::Point beside = w.geometry().beside(seat, w.geometry().row(1, 1).y);
            EXPECT_TRUE(seat && std::ranges::any_of(w.carta, [&](const ui::PictureBox& card) {
                return std::abs(card.Left() - beside.x) < 0.01 && std::abs(card.Top() - beside.y) < 0.01;
            })) << "seat " << seat;
            leaders.push_back(seat);
        }
        // The fourth hand ends the match.
        if (dealers.size() == 3 && w.trick_number == 11) w.match_totals = {0, 200, 100, 100, 50};
    };
    user.at_end_of_hand = [&] {
        std::vector<double> expected(w.hand_number == 1, 6.0);  // the draw
        for (const double pause : deal_pauses(w.dealer)) expected.push_back(pause);
        expected.push_back(2.0);  // before the first trick
        for (int trick = 1; trick <= 10; ++trick) {
            for (int card = 1; card <= 4; ++card) {
                expected.push_back(1.0);  // beside its seat
                if (card < 4) expected.push_back(1.0);  // after it
            }
            expected.push_back(0.5);  // gathered
            if (trick < 10) expected.push_back(1.0);  // after the trick
        }
        EXPECT_EQ(pauses, expected) << "hand " << int(w.hand_number);
        pauses.clear();
        dealers.push_back(w.dealer);
        w.menu_about.Click();
        w.menu_rules.Click();
        EXPECT_TRUE(w.Text2.Visible() && w.Text4.Visible());
    };
    user.before_acting = [&] {
        if (dealers.size() < 4 || !user.draw_waits()) return false;
        EXPECT_TRUE(probe::any(w.surface, kPrompt, kWhite)) << "the new match's prompt";
        const table::Point spot = w.geometry().drawn(2);
        EXPECT_TRUE(testing_support::click(w.dorsov) && w.played_card && spot_of(w.carta[w.played_card]) ==
                    Spot(std::lround(spot.x), std::lround(spot.y))) << "the pack takes clicks";
        w.menu_quit_Click();
        return true;
    };
    w.Form_Activate();
    EXPECT_EQ(std::set<int>(dealers.begin(), dealers.end()), (std::set<int>{1, 2, 3, 4}));
    ASSERT_EQ(leaders.size(), 4u);
    for (int hand = 0; hand < 4; ++hand) EXPECT_EQ(leaders[hand], dealers[hand] % 4 + 1) << "hand " << hand + 1;
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
// 4 of Denari; the user holds Denari 6-Re and Coppe 6-Re and presses two cards in one event pass
// of the wait: the later decides. A refused later press starts the user's turn over (and the next
// press plays); an accepted later press plays, after an accepted or a refused one.
TEST(TrickLoop, OneTrickLedBySeatThreeRunsInItsOrder) {
    const struct { std::uint8_t first, later, played; } cases[] = {{6, 16, 8}, {6, 7, 7}, {16, 7, 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.first) + " then " + std::to_string(c.later));
        StackedPack tw({1, 2, 3, 4, 5, 11, 12, 13, 14, 15, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40,
                        6, 7, 8, 9, 10, 16, 17, 18, 19, 20});
        tw->choose_dealer = 0;
        tw->dealer = 2;
        tw->daicarte();
        // Tempo, seat to play, cards played, trick, played marks by seat, user's and right name white.
        using Step = std::tuple<double, int, int, int, std::array<int, 5>, bool, bool>;
        std::vector<Step> steps;
        tw->test_hooks.pause = [&](double tempo) {
            std::array<int, 5> marked{};
            for (int seat = 1; seat <= 4; ++seat)
                marked[seat] = int(std::ranges::count_if(tw->hands[seat], [](int card) { return card > 100; }));
            const std::vector<int> lit = seats_named_in(*tw, kWhite);
            steps.emplace_back(tempo, tw->current_player, tw->cards_played, tw->trick_number, marked,
                               std::ranges::count(lit, 1), std::ranges::count(lit, 2));
            if (tw->trick_number == 2 && tempo == 1.0) tw->menu_quit_Click();  // the trick is over
        };
        int passes = 0;
        ScriptedUser user(*tw);
        user.before_acting = [&] {
            if (!user.card_awaited()) return true;
            const bool shown = ++passes == 1 ? testing_support::press(tw->carta[c.first]) &&
                                                   testing_support::press(tw->carta[c.later])
                                             : testing_support::press(tw->carta[8]);
            if (!shown) tw->menu_quit_Click();
            return true;
        };
        EXPECT_THROW(tw->gioco(), ProgramEnded);
        EXPECT_TRUE(std::ranges::count(tw->hands[1], c.played + 100) == 1 && tw->refusal_flag == 0);
        const int winner = tw->trick_leader;
        constexpr double kBeside = 1.0, kAfter = 1.0, kGathered = 0.5, kAfterTrick = 1.0;
        EXPECT_EQ(steps, (std::vector<Step>{
                             {kBeside, 3, 1, 1, {0, 0, 0, 1, 0}, false, false},  // seat 3 marked before its card moves
                             {kAfter, 3, 1, 1, {0, 0, 0, 1, 0}, false, false},
                             {kBeside, 4, 2, 1, {0, 0, 0, 1, 1}, false, false},
                             {kAfter, 4, 2, 1, {0, 0, 0, 1, 1}, false, false},
                             {kBeside, 1, 3, 1, {0, 0, 0, 1, 1}, true, false},  // the user's card marked after its move
                             {kAfter, 1, 3, 1, {0, 1, 0, 1, 1}, true, false},
                             {kBeside, 2, 4, 1, {0, 1, 1, 1, 1}, true, false},  // seat 2 at once, the user still lit
                             {kGathered, winner, 4, 2, {0, 1, 1, 1, 1}, true, false},  // the winner leads
                             {kAfterTrick, winner, 4, 2, {0, 1, 1, 1, 1}, true, false}}));
    }
}

// Quitting inside a pause, or by the close box inside a flag wait even as its event raises the
// flag, ends the run: the song closed, the window gone, and every later wait refused.
TEST(Quit, FromInsideAPauseOrAFlagWait) {
    for (const bool pause : {true, false}) {
        TestWindow tw;
        testing_support::play_song(tw->MMC1, tw.dir.path() / "song.mid", 30);
        tw->window().main_window().show();
        QTimer::singleShot(30, [&] {
            tw->continue_requested = true;
            pause ? tw->menu_quit.Click() : void(tw->window().main_window().close());
        });
        EXPECT_THROW(pause ? tw->ritardo(30.0) : tw->wait_until([&] { return tw->continue_requested; }), ProgramEnded);
        EXPECT_TRUE(tw->run_over() && !tw->MMC1.is_open() && !tw->window().main_window().isVisible()) << pause;
        EXPECT_THROW(tw->DoEvents(), ProgramEnded);
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
