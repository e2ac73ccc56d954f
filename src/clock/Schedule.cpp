#include "clock/Schedule.h"

namespace {

bool Frequency_Fires(SayFrequency frequency, unsigned minute, unsigned second)
{
    const bool second_zero = second == 0;
    switch (frequency) {
    case SayFrequency::EveryMinute:      return second_zero;
    case SayFrequency::Every5Minutes:    return second_zero && minute % 5 == 0;
    case SayFrequency::Every10Minutes:   return second_zero && minute % 10 == 0;
    case SayFrequency::EveryQuarterHour: return second_zero && minute % 15 == 0;
    case SayFrequency::EveryHalfHour:    return second_zero && minute % 30 == 0;
    case SayFrequency::EveryHour:        return second_zero && minute == 0;
    case SayFrequency::KeepRepeating:    return true;
    case SayFrequency::Never:            return false;
    }
    return false;
}

}  // namespace

bool Announcement_Due(SayFrequency frequency, SoundScheme scheme, [[maybe_unused]] unsigned hour, unsigned minute, unsigned second)
{
    if (Frequency_Fires(frequency, minute, second))
        return true;
    if (frequency == SayFrequency::KeepRepeating)
        return false;
    return scheme == SoundScheme::EightBells && second == 0 && (minute == 0 || minute == 30);
}

bool Announcement_Due_Next_Second(SayFrequency frequency, SoundScheme scheme, unsigned hour, unsigned minute,
                                  unsigned second)
{
    const unsigned next = (hour * 3600 + minute * 60 + second + 1) % 86400;
    return Announcement_Due(frequency, scheme, next / 3600, next / 60 % 60, next % 60);
}

bool In_Quiet_Hours(const ClockSettings& settings, unsigned hour, unsigned minute)
{
    const auto start = static_cast<unsigned>(settings.Quiet_Hours_Start);
    const auto end = static_cast<unsigned>(settings.Quiet_Hours_End);
    const unsigned now = hour * 60 + minute;
    if (!settings.Quiet_Hours_Option || start == end)
        return false;
    if (start < end)
        return now >= start && now < end;
    return now >= start || now < end;
}

bool Automatic_Announcement_Due(const ClockSettings& settings, unsigned hour, unsigned minute, unsigned second)
{
    return !In_Quiet_Hours(settings, hour, minute) &&
           Announcement_Due(Say_Frequency_Of(settings), Sound_Scheme_Of(settings), hour, minute, second);
}

bool Automatic_Announcement_Due_Next_Second(const ClockSettings& settings, unsigned hour, unsigned minute,
                                            unsigned second)
{
    const unsigned next = (hour * 3600 + minute * 60 + second + 1) % 86400;
    return Automatic_Announcement_Due(settings, next / 3600, next / 60 % 60, next % 60);
}
