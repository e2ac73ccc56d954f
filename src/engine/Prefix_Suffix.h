#pragma once
#include <string>
#include <utility>

#include "engine/Random_Source.h"
#include "settings/ClockSettings.h"

// Number of directory entries matching `mask` (a path whose last component may
// hold * and ?), whatever their kind; 0 when the directory does not exist.
int Count_Matching_Files(const std::string& mask);

// The bare name of one matching entry, drawn uniformly; empty when none matches.
std::string Pick_Random_File(const std::string& mask, TRandom_Source& random);

// (Prefix_File, Suffix_File) for the settings' prefix and suffix mode.
std::pair<std::string, std::string> Select_Prefix_And_Suffix(const ClockSettings& settings, TRandom_Source& random);
