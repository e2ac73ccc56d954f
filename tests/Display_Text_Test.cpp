#include "clock/Display_Text.h"

#include <gtest/gtest.h>

namespace {

TEST(Display_Text, Clock_Face_On_Both_Clocks)
{
    const struct {
        unsigned hour, minute, second;
        const char *twelve_hour, *twenty_four_hour;
    } cases[] = {
        {0, 5, 9, "12:05:09 AM", "00:05:09"},   {9, 0, 0, "09:00:00 AM", "09:00:00"},
        {12, 0, 0, "12:00:00 PM", "12:00:00"},  {13, 45, 7, "01:45:07 PM", "13:45:07"},
        {23, 59, 59, "11:59:59 PM", "23:59:59"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Format_12_Hour_Time(c.hour, c.minute, c.second), c.twelve_hour);
        EXPECT_EQ(Format_24_Hour_Time(c.hour, c.minute, c.second), c.twenty_four_hour);
    }
}

std::string Day_Month_Year(const TCalendar_Date& date)
{
    return Two_Digits(date.day) + "/" + Two_Digits(date.month) + "/" + std::to_string(date.year);
}

std::string Month_Day_Year(const TCalendar_Date& date)
{
    return Two_Digits(date.month) + "/" + Two_Digits(date.day) + "/" + std::to_string(date.year);
}

TEST(Display_Text, Date_Item_Has_An_English_Weekday_And_The_Short_Date)
{
    const TCalendar_Date monday{2026, 12, 7};
    EXPECT_EQ(Date_Item_Text(monday, Day_Month_Year), "Mon, 07/12/2026");
    EXPECT_EQ(Date_Item_Text(monday, Month_Day_Year), "Mon, 12/07/2026");
    const struct {
        TCalendar_Date date;
        const char* weekday;
    } days[] = {
        {{2026, 12, 6}, "Sun"}, {{2026, 12, 12}, "Sat"}, {{2000, 2, 29}, "Tue"}, {{1970, 1, 1}, "Thu"},
        {{2026, 2, 29}, ""} /* no such day */, {{}, ""},
    };
    for (const auto& day : days)
        EXPECT_EQ(Day_Abbreviation(day.date), day.weekday) << day.date.year << "-" << day.date.month << "-" << day.date.day;
}

}  // namespace
