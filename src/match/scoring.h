// The two pieces of the score sheet that are worth checking on their own.
#pragma once

#include <string>

namespace scoring {

// A hand's points to the nearest whole point; an exact half would go to the even neighbour.
float rounded_points(float raw);

// A number right-aligned in a field of three characters, as the sheet's cells show it.
std::string score_cell(int value);

}  // namespace scoring
