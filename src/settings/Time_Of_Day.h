#pragma once
#include <optional>
#include <string>

// A time of day as minutes since midnight, 0 to 1439.
constexpr int Minutes_Per_Day = 24 * 60;

// "HH:MM" or "H:MM" on the 24-hour clock, 00:00 to 23:59; nothing for
// anything else.
std::optional<int> Parse_Time_Of_Day(const std::string& text);

// "HH:MM" with leading zeros, as the settings file keeps it.
std::string Time_Of_Day_Text(int minutes);
