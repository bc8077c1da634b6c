// Every field of the table window: plain data, sized to the top index + 1.
// Element 0 of every array indexed by seat or suit is never used.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct TableState {
    // Cards and hands
    std::array<std::int16_t, 41> deck{};                              // 1..40 in dealing order
    std::array<std::array<std::uint8_t, 12>, 5> hands{};              // seat 1..4, slot 1..10; +100 once played
    std::array<std::array<std::uint8_t, 5>, 5> suit_count{};          // seat, suit
    std::array<std::array<std::uint8_t, 5>, 5> high_card_count{};     // seat, suit: Aces, 2s, 3s
    std::array<float, 11> card_strength{};                            // by card number
    std::array<float, 11> card_points{};                              // by card number
    std::array<std::string, 5> suit_names{};                          // by suit number

    // Trick
    std::uint8_t current_player = 0;
    std::uint8_t trick_leader = 0;
    std::uint8_t trick_number = 0;
    std::uint8_t cards_played = 0;
    std::uint8_t played_card = 0;
    std::uint8_t chosen_index = 0;
    std::array<std::uint8_t, 5> trick_cards{};
    std::array<std::uint8_t, 5> last_trick_cards{};
    std::uint8_t led_suit = 0;

    // Match and scores
    std::uint8_t hand_number = 0;
    std::array<std::array<float, 31>, 5> hand_points{};                // seat, hand 1..30
    std::array<std::int16_t, 5> match_totals{};
    std::array<std::int16_t, 5> sorted_totals{};

    // Dealer draw
    std::uint8_t choose_dealer = 0;
    std::uint8_t dealer = 0;
    std::int16_t deck_pos = 0;
    std::array<std::uint8_t, 5> draw_number{};

    // Table geometry, logical units of the 800 x 600 table
    float center_x = 0, center_y = 0;
    float card_width = 0, card_height = 0;
    float last_width = 0, last_height = 0;
    float new_width = 0, new_height = 0;

    // Options kept in the settings file
    std::uint8_t play_rate = 0;
    std::uint8_t card_rustle = 0;
    std::array<std::string, 5> player_names{};
    std::int16_t song_index = 0;

    // Waits and input
    bool first_setup_done = false;
    std::int16_t input_lock = 0;
    std::int16_t refusal_flag = 0;
    bool timer_elapsed = false;
    bool new_game_requested = false;
    bool continue_requested = false;

    // Scratch fields: one step of one procedure each
    float move_x = 0, move_y = 0;
    std::uint8_t scratch_byte = 0;
    std::int16_t anim_step = 0;
};
