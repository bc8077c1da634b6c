// The rule for a player's name, wherever a name comes from (the settings file, a name box), and
// the letters a name is made of as a reader sees them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace media {

// Longest player name, in characters (not UTF-16 units, not bytes).
inline constexpr int kNameLimit = 20;

// The letters of a text: each character with the accents and joiners that belong to it, so that a
// letter and its accent are never parted. Takes and gives UTF-8.
std::vector<std::string> letters(std::string_view utf8);

// The name as the game keeps it: no control character, at most kNameLimit characters, cut where a
// letter ends. Takes and gives UTF-8; applying it twice changes nothing more.
std::string clean_name(std::string_view utf8);

// How many characters the text shows: control characters do not count.
int shown_characters(std::string_view utf8);

// Whether the text is the name with something put in at one place and nothing of it replaced:
// what typing or a paste without a selection makes of it.
bool only_adds_to(std::string_view name, std::string_view text);

}  // namespace media
