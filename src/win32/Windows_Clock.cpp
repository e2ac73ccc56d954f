#include "win32/Windows_Clock.h"

#include <windows.h>

#include "win32/Win32_Text.h"

namespace {

// FILETIME counts from 1601; the epoch is 1970.
constexpr unsigned long long Epoch_As_File_Time = 116'444'736'000'000'000ULL;

FILETIME File_Time_Of(unsigned long long count)
{
    return {static_cast<DWORD>(count & 0xFFFFFFFFULL), static_cast<DWORD>(count >> 32)};
}

}  // namespace

TClock_Reading Clock_Reading_Of_File_Time(unsigned long long file_time, const TIME_ZONE_INFORMATION& zone)
{
    TClock_Reading reading;
    const auto since_epoch = static_cast<long long>(file_time - Epoch_As_File_Time);
    reading.instant = std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::duration<long long, std::ratio<1, 10'000'000>>(since_epoch)));
    const FILETIME utc_file_time = File_Time_Of(file_time);
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    if (!FileTimeToSystemTime(&utc_file_time, &utc) || !SystemTimeToTzSpecificLocalTime(&zone, &utc, &local))
        local = utc;
    reading.date = {local.wYear, local.wMonth, local.wDay};
    reading.hour = local.wHour;
    reading.minute = local.wMinute;
    reading.second = local.wSecond;
    reading.millisecond = local.wMilliseconds;
    return reading;
}

TClock_Reading TWindows_Clock::Now() const
{
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    const unsigned long long file_time = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    const unsigned long long minute = file_time / 600'000'000ULL;
    if (minute != zone_minute_) {
        GetTimeZoneInformation(&zone_);
        zone_minute_ = minute;
    }
    return Clock_Reading_Of_File_Time(file_time, zone_);
}

TShort_Date_Format Windows_Short_Date_Format()
{
    return [](const TCalendar_Date& date) {
        SYSTEMTIME day{};
        day.wYear = static_cast<WORD>(date.year);
        day.wMonth = static_cast<WORD>(date.month);
        day.wDay = static_cast<WORD>(date.day);
        wchar_t text[128];
        const int length =
            GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &day, nullptr, text, 128, nullptr);
        return length > 1 ? Narrow(std::wstring_view(text, static_cast<std::size_t>(length - 1))) : std::string();
    };
}
