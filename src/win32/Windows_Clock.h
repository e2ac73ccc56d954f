#pragma once
#include "clock/Clock_Source.h"
#include "clock/Display_Text.h"

// The system's time, converted to local time by the time zone in force now.
class TWindows_Clock : public TClock_Source {
public:
    TClock_Reading Now() const override;
};

// A reading from a FILETIME's count (100 ns units since 1601, UTC).
TClock_Reading Clock_Reading_Of_File_Time(unsigned long long file_time);

// The user's short date format, for the date item.
TShort_Date_Format Windows_Short_Date_Format();
