#pragma once
#include <string>

// The text of the error box that reports a sound file missing from the sound
// directory; `name` is the bare file name as the announcement asked for it.
std::string Missing_Sound_File_Message(const std::string& name, const std::string& sound_directory);
