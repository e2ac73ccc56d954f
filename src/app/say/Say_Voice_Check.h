#pragma once
#include <string>

#include "settings/ClockSettings.h"

// Reads every word file of the voice pack in `directory`, and the prefix and
// suffix files there, prints the check and returns the exit code: 1 when a
// file the settings need is missing or broken, else 0.
int Check_Voice(const std::string& directory, const ClockSettings& settings);
