#include "qt/Display_Text.h"

#include <array>

QString Two_Digits(unsigned number)
{
    const QString digits = QString::number(number);
    return number < 10 ? QStringLiteral("0") + digits : digits;
}

QString Format_12_Hour_Time(unsigned hour, unsigned minute, unsigned second)
{
    const bool morning = hour < 12;
    unsigned shown_hour = morning ? hour : hour - 12;
    if (shown_hour == 0)
        shown_hour = 12;
    return Format_24_Hour_Time(shown_hour, minute, second) + (morning ? QStringLiteral(" AM") : QStringLiteral(" PM"));
}

QString Format_24_Hour_Time(unsigned hour, unsigned minute, unsigned second)
{
    return Two_Digits(hour) + QLatin1Char(':') + Two_Digits(minute) + QLatin1Char(':') + Two_Digits(second);
}

QString Day_Abbreviation(const QDate& date)
{
    static constexpr std::array<const char*, 7> names = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    if (!date.isValid())
        return {};
    // QDate counts Monday as 1 and Sunday as 7.
    return QString::fromLatin1(names[static_cast<std::size_t>(date.dayOfWeek() % 7)]);
}

QString Date_Item_Text(const QDate& date, const QLocale& locale)
{
    return Day_Abbreviation(date) + QStringLiteral(", ") + locale.toString(date, QLocale::ShortFormat);
}
