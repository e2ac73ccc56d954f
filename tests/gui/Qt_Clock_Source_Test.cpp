#include "qt/Qt_Clock_Source.h"

#include <gtest/gtest.h>

namespace {

TEST(Qt_Clock_Source, The_Date_Item_Takes_The_Locales_Short_Date)
{
    const TCalendar_Date monday{2026, 12, 7};
    EXPECT_EQ(Date_Item_Text(monday, Short_Date_Format(QLocale("en_GB"))), "Mon, 07/12/2026");  // day/month/year
    EXPECT_EQ(Date_Item_Text(monday, Short_Date_Format(QLocale("en_US"))), "Mon, 12/7/26");     // US short form
    EXPECT_EQ(Date_Item_Text({2026, 12, 6}, Short_Date_Format(QLocale("de_DE"))), "Sun, 06.12.26");
}

TEST(Qt_Clock_Source, A_Reading_Carries_The_Local_Date_And_Time_And_The_Instant)
{
    const QDateTime local(QDate(2026, 12, 7), QTime(13, 45, 7, 250));
    const TClock_Reading reading = Clock_Reading_Of(local);
    EXPECT_EQ(reading.date, (TCalendar_Date{2026, 12, 7}));
    EXPECT_EQ(reading.hour * 10000 + reading.minute * 100 + reading.second, 134507u);
    EXPECT_EQ(reading.millisecond, 250u);
    EXPECT_EQ(Epoch_Milliseconds(reading.instant), local.toMSecsSinceEpoch());
}

}  // namespace
