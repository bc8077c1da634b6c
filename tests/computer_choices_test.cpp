// The computer seats' choices: lead the weakest card of the suit with the fewest Aces, 2s and
// 3s (no Bastoni in the first trick unless nothing else is held), follow with the weakest card
// of the led suit, and throw the strongest card when void.
#include <gtest/gtest.h>

#include <initializer_list>

#include "test_window.h"

namespace {

// Gives a seat the cards listed, in slot order; the remaining slots hold played cards.
void give(frmGioco& w, int seat, std::initializer_list<std::uint8_t> cards) {
    int slot = 1;
    for (auto c : cards) w.hands[seat][slot++] = c;
    std::uint8_t played = 101;
    while (slot <= 10) w.hands[seat][slot++] = played++;
}

// The card chosen by a seat that leads trick t.
std::uint8_t lead(frmGioco& w, int seat, int t) {
    w.current_player = static_cast<std::uint8_t>(seat);
    w.trick_leader = static_cast<std::uint8_t>(seat);
    w.trick_number = static_cast<std::uint8_t>(t);
    w.Aggiorna_Quante_e_Buone();
    w.scelgo_carta_da_giocare();
    EXPECT_EQ(w.played_card, w.hands[seat][w.chosen_index]);
    return w.played_card;
}

// The card chosen by a seat when another seat has led the given card in trick t.
std::uint8_t follow(frmGioco& w, int seat, std::uint8_t led_card, int t = 4, int leader = 0) {
    if (leader == 0) leader = seat == 1 ? 4 : seat - 1;
    w.current_player = static_cast<std::uint8_t>(seat);
    w.trick_leader = static_cast<std::uint8_t>(leader);
    w.trick_cards[leader] = led_card;
    // A card left in the mover's element from the previous trick must not matter.
    w.trick_cards[seat] = 21;
    w.trick_number = static_cast<std::uint8_t>(t);
    w.Aggiorna_Quante_e_Buone();
    w.scelgo_carta_da_giocare();
    EXPECT_EQ(w.played_card, w.hands[seat][w.chosen_index]);
    return w.played_card;
}

TEST(SuitCounts, CountHeldCardsAndTheirAcesTwosAndThrees) {
    testing_support::TestWindow tw;
    give(*tw, 1, {3, 1, 10, 5, 13, 21, 28, 33, 40, 39});
    give(*tw, 2, {2, 14, 32, 31, 37});              // five played
    give(*tw, 3, {});                               // all played
    give(*tw, 4, {23, 22, 21, 30, 29, 28, 27, 26, 25, 24});
    tw->suit_count[0][0] = 9;
    tw->high_card_count[2][3] = 9;                  // stale counts are cleared
    tw->Aggiorna_Quante_e_Buone();

    using Row = std::array<std::uint8_t, 5>;
    EXPECT_EQ(tw->suit_count[1], (Row{0, 4, 1, 2, 3}));        // the user's row is counted too
    EXPECT_EQ(tw->high_card_count[1], (Row{0, 2, 1, 1, 1}));
    EXPECT_EQ(tw->suit_count[2], (Row{0, 1, 1, 0, 3}));
    EXPECT_EQ(tw->high_card_count[2], (Row{0, 1, 0, 0, 2}));
    EXPECT_EQ(tw->suit_count[3], (Row{0, 0, 0, 0, 0}));
    EXPECT_EQ(tw->suit_count[4], (Row{0, 0, 0, 10, 0}));
    EXPECT_EQ(tw->high_card_count[4], (Row{0, 0, 0, 3, 0}));
    EXPECT_EQ(tw->suit_count[0], (Row{}));
}

TEST(ComputerChoices, WorkedExampleInTheFourthTrick) {
    testing_support::TestWindow tw;
    // 3 and 5 of Denari, Re and 4 of Coppe, 2, Ace and 7 of Spade.
    give(*tw, 3, {3, 5, 20, 14, 32, 31, 37});
    EXPECT_EQ(lead(*tw, 3, 4), 14);          // Coppe has no Ace, 2 or 3
    EXPECT_EQ(follow(*tw, 3, 34), 37);       // weakest Spade
    EXPECT_EQ(follow(*tw, 3, 25), 3);        // void in Bastoni: strongest card
}

TEST(ComputerChoices, FirstTrickLeadPassesOverBastoni) {
    testing_support::TestWindow tw;
    // Ace, 2, 6 of Denari; 5, 4 of Bastoni; 3, Re, Fante, 7, 5 of Spade (sorted).
    give(*tw, 2, {2, 1, 6, 25, 24, 33, 40, 38, 37, 35});
    EXPECT_EQ(lead(*tw, 2, 1), 35);
    // Next trick, the 5 of Spade gone: Bastoni compete and have no high card.
    tw->hands[2][10] += 100;
    EXPECT_EQ(lead(*tw, 2, 2), 24);

    // Only Bastoni and Spade: the weakest Spade, although Spade holds a high card.
    give(*tw, 4, {25, 24, 33, 31, 36});
    EXPECT_EQ(lead(*tw, 4, 1), 36);
    EXPECT_EQ(lead(*tw, 4, 2), 24);

    // Only Bastoni: the weakest Bastoni, also in the first trick.
    give(*tw, 3, {23, 21, 30, 26, 24});
    EXPECT_EQ(lead(*tw, 3, 1), 24);
}

TEST(ComputerChoices, LeadTakesTheSuitWithFewestHighCardsLowestSuitOnTies) {
    testing_support::TestWindow tw;
    // Denari and Coppe both without high cards: Denari, the lower suit.
    give(*tw, 2, {10, 5, 4, 20, 15, 14, 33});
    EXPECT_EQ(lead(*tw, 2, 3), 4);
    // A suit without high cards goes before a long suit that has one.
    give(*tw, 2, {1, 10, 9, 8, 7, 6, 5, 4, 36});
    EXPECT_EQ(lead(*tw, 2, 3), 36);
    // Equal counts of high cards: the lower suit, Coppe before Spade.
    give(*tw, 2, {1, 2, 3, 11, 17, 31, 35});
    EXPECT_EQ(lead(*tw, 2, 5), 17);
    // The lead rule is used for the leader of every trick, also the last.
    give(*tw, 2, {18});
    EXPECT_EQ(lead(*tw, 2, 10), 18);
}

TEST(ComputerChoices, FollowerPlaysItsWeakestCardOfTheLedSuit) {
    testing_support::TestWindow tw;
    // Takes the trick with the 6 over the led 4 all the same.
    give(*tw, 3, {13, 16, 1});
    EXPECT_EQ(follow(*tw, 3, 14), 16);
    // Plays low under a 3 on the table, keeping the Ace.
    give(*tw, 3, {11, 17, 40});
    EXPECT_EQ(follow(*tw, 3, 13), 17);
    // A single card of the led suit must go, even a Bastoni in the first trick.
    give(*tw, 4, {3, 23, 33});
    EXPECT_EQ(follow(*tw, 4, 27, 1), 23);
    // The same choice whether the user or a computer seat led.
    give(*tw, 2, {5, 9, 7, 12});
    EXPECT_EQ(follow(*tw, 2, 8, 4, 1), 5);
    EXPECT_EQ(follow(*tw, 2, 8, 4, 3), 5);
    EXPECT_EQ(follow(*tw, 2, 8, 4, 4), 5);
}

TEST(ComputerChoices, VoidFollowerThrowsItsStrongestCard) {
    testing_support::TestWindow tw;
    // The 3 of Denari and the 3 of Spade: the lower slot, Denari.
    give(*tw, 2, {3, 4, 33, 37});
    EXPECT_EQ(follow(*tw, 2, 15), 3);
    // Played cards are passed over, however strong they were.
    give(*tw, 2, {10, 30});
    tw->hands[2][3] = 103;
    EXPECT_EQ(follow(*tw, 2, 15), 10);
    // A Bastoni may go in the first trick.
    give(*tw, 3, {4, 23, 36});
    EXPECT_EQ(follow(*tw, 3, 19, 1), 23);
    // Card points do not count: the 3 of Coppe before the Ace of Bastoni.
    give(*tw, 4, {13, 21});
    EXPECT_EQ(follow(*tw, 4, 5), 13);
}

TEST(ComputerChoices, ASingleCardIsPlayedInEveryPosition) {
    testing_support::TestWindow tw;
    for (std::uint8_t card : {1, 21, 27, 40}) {
        give(*tw, 2, {card});
        EXPECT_EQ(lead(*tw, 2, 10), card);
        EXPECT_EQ(follow(*tw, 2, card == 40 ? 1 : 35, 10), card);   // void
        EXPECT_EQ(follow(*tw, 2, card <= 10 ? 2 : (card <= 30 ? 22 : 32), 10), card);
        EXPECT_EQ(tw->chosen_index, 1);
    }
}

}  // namespace
