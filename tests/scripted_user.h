// A scripted user: from a timer, it does what a person at the table would do next. It clicks
// the pack while the dealer draw waits, presses a card that the rules accept while the trick
// loop waits for the user's card, and chooses "Continue" or "New Game" while the score sheet
// waits. It acts only through the real event flow: mouse events to the controls, menu actions.
#pragma once

#include <QTimer>

#include <algorithm>
#include <functional>
#include <random>
#include <utility>
#include <vector>

#include "input.h"
#include "match/frm_gioco.h"

namespace testing_support {

class ScriptedUser {
public:
    explicit ScriptedUser(frmGioco& w, std::uint32_t seed = 1) : w_(w), random_(seed) {
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this] { act(); });
        timer_.start();
    }

    // Called once at every end-of-hand wait, before the user chooses how to go on.
    std::function<void()> at_end_of_hand;
    // Called at every timer tick before the user acts; returning true stops the user acting.
    std::function<bool()> before_acting;
    // Press cards with the middle button now and then, as the rules allow.
    bool use_middle_button = true;
    // Choose "Continue" or "New Game" now and then in the middle of a hand too: such a
    // choice must be forgotten.
    bool meddle = true;

    bool draw_waits() const {
        return w_.choose_dealer == 1 && w_.played_card == 0 && w_.deck_pos >= 1 && w_.deck_pos <= 40;
    }
    bool card_awaited() const {
        return w_.input_lock == 0 && w_.current_player == 1 && w_.played_card == 0 && w_.trick_number >= 1;
    }
    // Only the end-of-hand wait shows the score sheet.
    bool sheet_shown() const { return w_.surface.Point(400, 110) == ui::Rgb{192, 255, 192}; }

    // The cards of the user's hand that the rules accept now.
    std::vector<std::uint8_t> playable() const {
        const auto suit = frmGioco::seme_carta;
        const std::uint8_t led = suit(w_.trick_cards[w_.trick_leader]);
        std::vector<std::uint8_t> held;
        std::ranges::copy_if(w_.hands[1], std::back_inserter(held), [](int c) { return c >= 1 && c <= 100; });
        // Narrows the choice, unless no card would be left.
        const auto only = [&held](auto rule) {
            if (std::ranges::any_of(held, rule)) std::erase_if(held, [&](std::uint8_t c) { return !rule(c); });
        };
        if (w_.trick_leader != 1) only([&](std::uint8_t c) { return suit(c) == led; });
        if (w_.trick_number == 1) only([&](std::uint8_t c) { return suit(c) != 3; });  // no Bastoni
        return held;
    }

    int hands_seen() const { return hands_seen_; }
    // The user stops and takes up acting again, as a person thinking does.
    void stop() { timer_.stop(); }
    void start() { timer_.start(); }

private:
    void act() {
        if (w_.run_over() || (before_acting && before_acting())) return;
        // What the user cannot see, the user cannot press: the test has failed, and the game ends.
        if (draw_waits()) {
            if (!click(w_.dorsov)) w_.menu_quit_Click();
        } else if (card_awaited()) {
            const std::vector<std::uint8_t> cards = playable();
            if (cards.empty()) return;
            const std::uint8_t card = cards[random_() % cards.size()];
            if (!press(w_.carta[card], use_middle_button && random_() % 5 == 0 ? Qt::MiddleButton : Qt::LeftButton))
                w_.menu_quit_Click();
        } else if (sheet_shown()) {
            if (!std::exchange(sheet_handled_, true)) {
                ++hands_seen_;
                if (at_end_of_hand) at_end_of_hand();
            }
            (w_.continue_.Enabled() ? w_.continue_ : w_.menu_newGame).Click();
        } else {
            sheet_handled_ = false;
            if (meddle && random_() % 50 == 0) (w_.continue_.Enabled() ? w_.continue_ : w_.menu_newGame).Click();
        }
    }

    frmGioco& w_;
    std::mt19937 random_;
    QTimer timer_;
    bool sheet_handled_ = false;
    int hands_seen_ = 0;
};

}  // namespace testing_support
