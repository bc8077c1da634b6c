// The user plays a card by pressing it: the rules refuse a Bastoni card in the first trick
// (with a beep) and a card that does not follow the led suit when the user holds it (with a
// message); an accepted card is handed to the trick loop, which moves it.
#include "match/frm_gioco.h"

namespace {
constexpr std::uint8_t kBastoni = 3;
bool in_hand(std::uint8_t slot_value) { return slot_value >= 1 && slot_value <= 100; }
}  // namespace

void frmGioco::carta_MouseDown(std::int16_t& Index, std::int16_t& Button, std::int16_t& /*Shift*/, float& /*X*/,
                               float& /*Y*/) {
    Text2.Hide();
    Text4.Hide();
    if (Button != ui::kLeftButton && Button != ui::kMiddleButton) return;
    if (input_lock == 100) return;
    if (Index < 1 || Index > 40) return;
    const auto card = static_cast<std::uint8_t>(Index);

    int slot = 0;
    bool holds_led_suit = false, holds_other_than_bastoni = false;
    const std::uint8_t led = seme_carta(trick_cards[trick_leader]);
    for (int s = 1; s <= 10; ++s) {
        const std::uint8_t c = hands[1][s];
        if (!in_hand(c)) continue;
        if (c == card) slot = s;
        if (seme_carta(c) == led) holds_led_suit = true;
        if (seme_carta(c) != kBastoni) holds_other_than_bastoni = true;
    }

    // No Bastoni in the first trick, unless the hand holds nothing else: then the game could
    // never go on.
    if (trick_number == 1 && seme_carta(card) == kBastoni && holds_other_than_bastoni) {
        Beep();
        return;
    }
    // Only a card of the user's own hand plays.
    if (slot == 0) return;
    if (trick_leader != 1 && holds_led_suit && seme_carta(card) != led) {
        MsgBox("You have " + suit_names[led]);
        refusal_flag = 1;
        return;
    }
    refusal_flag = 0;
    chosen_index = static_cast<std::uint8_t>(slot);
    played_card = card;
    suona();
}
