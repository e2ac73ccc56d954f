#include "engine/Compose_Spoken_Time.h"

#include <array>
#include <string>
#include <tuple>

#include "engine/Prefix_Suffix.h"
#include "util/Horavox_Error.h"

namespace {

using Bell_Words = std::array<const char*, 4>;  // Hour_Word_1, Hour_Word_2, Minute_Word_1, Minute_Word_2

// Indexed by hour mod 4, then full hour (0) or half hour (1).
constexpr std::array<std::array<Bell_Words, 2>, 4> bell_table{{
    {{{"dingding", "dingding", "dingding", "dingding"}, {"", "", "ding", ""}}},
    {{{"dingding", "", "", ""}, {"dingding", "ding", "", ""}}},
    {{{"dingding", "dingding", "", ""}, {"dingding", "dingding", "ding", ""}}},
    {{{"dingding", "dingding", "dingding", ""}, {"dingding", "dingding", "dingding", "ding"}}},
}};

void Set_Hour_Words(SpokenTime& spoken, int hour)
{
    const std::string digits = std::to_string(hour);
    if (hour <= 20) {
        spoken.Hour_Word_1 = digits;
        return;
    }
    spoken.Hour_Word_1 = digits.substr(0, 1) + "0";
    spoken.Hour_Word_2 = digits.substr(1, 1);
}

void Set_Minute_Words(SpokenTime& spoken, int minute)
{
    const std::string digits = std::to_string(minute);
    if (minute <= 9) {
        spoken.Minute_Word_1 = "0";
        spoken.Minute_Word_2 = digits;
    } else if (minute <= 20) {
        spoken.Minute_Word_1 = digits;
    } else {
        spoken.Minute_Word_1 = digits.substr(0, 1) + "0";
        spoken.Minute_Word_2 = digits.substr(1, 1);
    }
    // A full hour is the hour alone; 30, 40 and 50 are one word each.
    if (digits == "0") {
        spoken.Minute_Word_1.clear();
        spoken.Minute_Word_2.clear();
    }
    if (spoken.Minute_Word_2 == "0")
        spoken.Minute_Word_2.clear();
}

// Minutes 15 to 44 strike the half hour; the rest strike the full hour of the
// same hour, so 1:50 rings like 1:00. `hour` is on the 24-hour clock.
void Set_Bells(SpokenTime& spoken, int hour, int minute, bool dog_watches)
{
    const bool half_hour = minute >= 15 && minute <= 44;
    int bell_hour = hour % 4;
    // The last dog watch starts its count afresh: 18:30 strikes like 0:30
    // (one bell), 19:00 and 19:30 like 1:00 and 1:30; 20:00 is eight bells anyway.
    if (dog_watches && ((hour == 18 && half_hour) || hour == 19))
        bell_hour = hour - 18;
    const Bell_Words& words = bell_table[static_cast<std::size_t>(bell_hour)][half_hour ? 1 : 0];
    spoken = SpokenTime{};
    spoken.Hour_Word_1 = words[0];
    spoken.Hour_Word_2 = words[1];
    spoken.Minute_Word_1 = words[2];
    spoken.Minute_Word_2 = words[3];
}

} // namespace

SpokenTime Compose_Spoken_Time(int hour, int minute, const ClockSettings& settings, TRandom_Source& random)
{
    if (hour < 0 || hour > 23)
        throw EHoravoxError("Cannot announce hour " + std::to_string(hour) + ": it must be 0 to 23");
    if (minute < 0 || minute > 59)
        throw EHoravoxError("Cannot announce minute " + std::to_string(minute) + ": it must be 0 to 59");

    SpokenTime spoken;
    const int hour_of_day = hour;
    if (Clock_Format_Of(settings) == ClockFormat::TwelveHour) {
        spoken.AM_PM_Word = hour >= 12 ? "PM" : "AM";
        if (hour > 12)
            hour -= 12;
        if (hour == 0)
            hour = 12;
    }
    Set_Hour_Words(spoken, hour);
    Set_Minute_Words(spoken, minute);
    // The selection runs even under the bells, which then silence its result.
    std::tie(spoken.Prefix_File, spoken.Suffix_File) = Select_Prefix_And_Suffix(settings, random);

    if (Sound_Scheme_Of(settings) == SoundScheme::EightBells)
        Set_Bells(spoken, hour_of_day, minute, settings.Dog_Watch_Bells_Option);
    return spoken;
}
