#include "clock/Display_Text.h"

#include <gtest/gtest.h>

namespace {

struct Time_Case {
    unsigned hour, minute, second;
    const char* twelve_hour;
    const char* twenty_four_hour;
};

TEST(Display_Text, Formats_The_Clock_Face_On_Both_Clocks)
{
    const Time_Case cases[] = {
        {0, 5, 9, "12:05:09 AM", "00:05:09"},
        {1, 0, 0, "01:00:00 AM", "01:00:00"},
        {9, 0, 0, "09:00:00 AM", "09:00:00"},
        {11, 59, 59, "11:59:59 AM", "11:59:59"},
        {12, 0, 0, "12:00:00 PM", "12:00:00"},
        {13, 45, 7, "01:45:07 PM", "13:45:07"},
        {23, 59, 59, "11:59:59 PM", "23:59:59"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.twenty_four_hour);
        EXPECT_EQ(Format_12_Hour_Time(c.hour, c.minute, c.second), QString::fromLatin1(c.twelve_hour));
        EXPECT_EQ(Format_24_Hour_Time(c.hour, c.minute, c.second), QString::fromLatin1(c.twenty_four_hour));
    }
}

TEST(Display_Text, Two_Digits_Pads_Only_Below_Ten)
{
    EXPECT_EQ(Two_Digits(0), "00");
    EXPECT_EQ(Two_Digits(7), "07");
    EXPECT_EQ(Two_Digits(10), "10");
    EXPECT_EQ(Two_Digits(45), "45");
    EXPECT_EQ(Two_Digits(123), "123");
}

TEST(Display_Text, Day_Abbreviation_Covers_A_Whole_Week_From_Sunday)
{
    const QDate sunday(2026, 12, 6);
    const char* expected[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int day = 0; day < 7; ++day)
        EXPECT_EQ(Day_Abbreviation(sunday.addDays(day)), QString::fromLatin1(expected[day])) << day;
    EXPECT_EQ(Day_Abbreviation(QDate()), QString());
}

TEST(Display_Text, Date_Item_Follows_The_Short_Date_Format_Of_The_Locale)
{
    const QDate monday(2026, 12, 7);
    // Day/month/year.
    EXPECT_EQ(Date_Item_Text(monday, QLocale("en_GB")), "Mon, 07/12/2026");
    // Month/day/year; the US short format drops leading zeros and the century.
    EXPECT_EQ(Date_Item_Text(monday, QLocale("en_US")), "Mon, 12/7/26");
}

TEST(Display_Text, Weekday_Stays_English_In_Every_Language)
{
    const QDate monday(2026, 12, 7);
    EXPECT_EQ(Date_Item_Text(monday, QLocale("de_DE")), "Mon, 07.12.26");
    EXPECT_EQ(Date_Item_Text(monday.addDays(2), QLocale("fr_FR")), "Wed, 09/12/2026");
}

}  // namespace
