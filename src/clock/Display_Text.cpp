#include "clock/Display_Text.h"

#include <array>
#include <chrono>

std::string Two_Digits(unsigned number)
{
    const std::string digits = std::to_string(number);
    return number < 10 ? "0" + digits : digits;
}

std::string Format_12_Hour_Time(unsigned hour, unsigned minute, unsigned second)
{
    const bool morning = hour < 12;
    unsigned shown_hour = morning ? hour : hour - 12;
    if (shown_hour == 0)
        shown_hour = 12;
    return Format_24_Hour_Time(shown_hour, minute, second) + (morning ? " AM" : " PM");
}

std::string Format_24_Hour_Time(unsigned hour, unsigned minute, unsigned second)
{
    return Two_Digits(hour) + ':' + Two_Digits(minute) + ':' + Two_Digits(second);
}

std::string Day_Abbreviation(const TCalendar_Date& date)
{
    static constexpr std::array<const char*, 7> names = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    const std::chrono::year_month_day day{std::chrono::year(date.year), std::chrono::month(date.month),
                                          std::chrono::day(date.day)};
    if (!day.ok())
        return {};
    return names[std::chrono::weekday(std::chrono::sys_days(day)).c_encoding()];
}

std::string Date_Item_Text(const TCalendar_Date& date, const TShort_Date_Format& short_date)
{
    return Day_Abbreviation(date) + ", " + short_date(date);
}
