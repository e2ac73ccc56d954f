#pragma once
#include <string>

// The sound directory as the settings hold it, from a directory the user
// chose: the path with exactly one trailing delimiter (doubled delimiters
// collapsed), so a root stays a single delimiter.
std::string Sound_Directory_Text(const std::string& chosen_directory);
