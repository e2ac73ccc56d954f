#pragma once
#include "clock/Clock_Source.h"
#include "clock/Display_Text.h"

#include <windows.h>

// The system's time, converted to local time. The time zone is asked for
// once a minute and kept, so an ordinary tick asks the system nothing but
// the time, and a change of zone still shows within the minute.
class TWindows_Clock : public TClock_Source {
public:
    TClock_Reading Now() const override;

private:
    mutable TIME_ZONE_INFORMATION zone_{};
    mutable unsigned long long zone_minute_ = 0;
};

// A reading from a FILETIME's count (100 ns units since 1601, UTC), local by `zone`.
TClock_Reading Clock_Reading_Of_File_Time(unsigned long long file_time, const TIME_ZONE_INFORMATION& zone);

// The user's short date format, for the date item.
TShort_Date_Format Windows_Short_Date_Format();
