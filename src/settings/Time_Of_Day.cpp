#include "settings/Time_Of_Day.h"

#include <cstdio>

namespace {

bool All_Digits(const std::string& text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

std::optional<int> Parse_Time_Of_Day(const std::string& text)
{
    const auto colon = text.find(':');
    if (colon == std::string::npos)
        return std::nullopt;
    const std::string hour_text = text.substr(0, colon);
    const std::string minute_text = text.substr(colon + 1);
    if (!All_Digits(hour_text) || hour_text.size() > 2 || !All_Digits(minute_text) || minute_text.size() != 2)
        return std::nullopt;
    const int hour = std::stoi(hour_text);
    const int minute = std::stoi(minute_text);
    if (hour > 23 || minute > 59)
        return std::nullopt;
    return hour * 60 + minute;
}

std::string Time_Of_Day_Text(int minutes)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", minutes / 60 % 24, minutes % 60);
    return text;
}
