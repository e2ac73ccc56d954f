#include "qt/Display_Text.h"

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

TEST(Display_Text, Date_Item_Has_An_English_Weekday_And_The_Locale_Short_Date)
{
    const QDate monday(2026, 12, 7);
    EXPECT_EQ(Date_Item_Text(monday, QLocale("en_GB")), "Mon, 07/12/2026");  // day/month/year
    EXPECT_EQ(Date_Item_Text(monday, QLocale("en_US")), "Mon, 12/7/26");     // month/day/year, US short form
    EXPECT_EQ(Date_Item_Text(monday.addDays(-1), QLocale("de_DE")), "Sun, 06.12.26");
    EXPECT_EQ(Date_Item_Text(monday.addDays(5), QLocale("fr_FR")), "Sat, 12/12/2026");
    EXPECT_EQ(Day_Abbreviation(QDate()), "");
}

}  // namespace
