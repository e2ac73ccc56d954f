#pragma once
#include <string>
#include <vector>

#include "engine/Voice_Check.h"
#include "settings/ClockSettings.h"

// Reads every word file of the voice pack in `directory`, and the prefix and
// suffix files there, for the voice check: each with its state, format and
// measure, and whether these settings need it.
std::vector<TVoice_File> Read_Voice_Pack(const std::string& directory, const ClockSettings& settings);
