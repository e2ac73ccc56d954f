#pragma once
#include <functional>
#include <string>

#include "clock/Clock_Source.h"

// The texts the clock face, the task-bar button and the date menu item show.
// Separators and the AM/PM markers are fixed; only the date follows the
// user's regional settings, which each front end reads in its own way.

// The decimal digits of `number`, with a leading "0" below 10.
std::string Two_Digits(unsigned number);

// "hh:mm:ss AM" / "hh:mm:ss PM", hour 0 shown as 12 AM and 12 as 12 PM.
std::string Format_12_Hour_Time(unsigned hour, unsigned minute, unsigned second);

// "hh:mm:ss".
std::string Format_24_Hour_Time(unsigned hour, unsigned minute, unsigned second);

// "Sun" .. "Sat", always English; empty for a date the calendar does not have.
std::string Day_Abbreviation(const TCalendar_Date& date);

// A date in the user's short date format (UTF-8).
using TShort_Date_Format = std::function<std::string(const TCalendar_Date&)>;

// The weekday abbreviation, ", " and the date in the short format.
std::string Date_Item_Text(const TCalendar_Date& date, const TShort_Date_Format& short_date);
