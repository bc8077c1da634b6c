// The rule for a player's name, wherever a name comes from (the settings file, a name box).
#pragma once

#include <string>
#include <string_view>

namespace media {

// The name as the game keeps it: no control character, at most the longest name's length.
// Takes and gives UTF-8.
std::string clean_name(std::string_view utf8);

}  // namespace media
