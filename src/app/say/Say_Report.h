#pragma once
#include <string>
#include <vector>

#include "engine/SpokenTime.h"
#include "settings/ClockSettings.h"

// The file names of an announcement that will be looked up, in playing order,
// exactly as the loader receives them (empty slots left out).
std::vector<std::string> Announcement_File_Names(const SpokenTime& spoken);

// "name=value" for every settings field in file order, then one line per
// option group with its enumerator ("SayFrequency=EveryHour").
std::vector<std::string> Settings_Report(const ClockSettings& settings);
