#pragma once
#include "settings/ClockSettings.h"

#include <string>
#include <utility>
#include <vector>

// The settings file "vocahora.ini" beside the executable.
std::string Settings_File_Path(const std::string& program_directory);

// The settings in the file, every missing or unreadable key (or the whole
// file) giving its default. An option read as true selects itself and clears
// the rest of its group, so the option of a group read last wins; groups left
// empty and a missing sound directory are repaired by the start-up sequence.
ClockSettings Load_Settings(const std::string& path, const std::string& program_directory);

// Writes the 28 keys of the clock's first design, then the 5 added since, to
// section "vocahora" in one piece, keeping every other line of the file. Throws EHoravoxError, leaving the file as it was, when it
// cannot be written or a value would break it.
void Save_Settings(const std::string& path, const ClockSettings& settings);

// Every key with the text it is saved as, in the file's order.
std::vector<std::pair<std::string, std::string>> Settings_Fields(const ClockSettings& settings);
