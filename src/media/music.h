// The song list of the music folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace media {

// Names of the ordinary files of a folder (no folders, no hidden or special files), in the
// order the file system gives them; none when the folder is missing or unreadable.
std::vector<std::string> ordinary_files(const std::filesystem::path& folder);

// The songs of a listing: each name's part before its first ".mid", up to the first name
// that holds no ".mid" (the match is case-sensitive).
std::vector<std::string> song_captions(const std::vector<std::string>& names);

}  // namespace media
