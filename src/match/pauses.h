// Every pause of the game, in seconds at the slowest play rate: ritardo divides each by the play
// rate (Middle halves it, High makes it a third) when it begins.
#pragma once

namespace pauses {

// The dealer draw: the four drawn cards stay in front of their players this long.
inline constexpr double kDealerDrawn = 6.0;

// The deal: before each packet (but a first packet to a computer seat), before each card, after
// the user's packet (its sort is seen), and once all forty cards lie on the table.
inline constexpr double kBeforePacket = 2.0;
inline constexpr double kBeforeCard = 1.0;
inline constexpr double kAfterUsersPacket = 1.0;
inline constexpr double kAfterDeal = 2.0;

// Between the deal and the first trick.
inline constexpr double kBeforeFirstTrick = 2.0;

// A played card stands beside its player this long before it goes to its trick slot.
inline constexpr double kBesideSeat = 1.0;
// After a card that does not end its trick, and after every trick but the last.
inline constexpr double kAfterCard = 1.0;
inline constexpr double kAfterTrick = 1.0;
// The four cards of a trick lie gathered on the winner's card this long before it leaves.
inline constexpr double kTrickGathered = 0.5;

}  // namespace pauses
