#pragma once
#include <QDate>
#include <QLocale>
#include <QString>

// The texts the clock face, the task-bar button and the date menu item show.
// Separators and the AM/PM markers are fixed; only the date follows the
// user's regional settings.

// The decimal digits of `number`, with a leading "0" below 10.
QString Two_Digits(unsigned number);

// "hh:mm:ss AM" / "hh:mm:ss PM", hour 0 shown as 12 AM and 12 as 12 PM.
QString Format_12_Hour_Time(unsigned hour, unsigned minute, unsigned second);

// "hh:mm:ss".
QString Format_24_Hour_Time(unsigned hour, unsigned minute, unsigned second);

// "Sun" .. "Sat", always English; empty for an invalid date.
QString Day_Abbreviation(const QDate& date);

// The weekday abbreviation, ", " and the date in the locale's short format.
QString Date_Item_Text(const QDate& date, const QLocale& locale = QLocale::system());
