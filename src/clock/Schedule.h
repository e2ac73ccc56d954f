#pragma once
#include "settings/ClockSettings.h"

// Whether the tick at hour:minute:second calls for an automatic announcement
// with this frequency and sound scheme. The caller checks the idle flag.
// Matching minutes announce only in second 0, so a minute is announced once;
// the eight bells strike every full and half hour whatever the frequency,
// except that KeepRepeating already announces on every tick.
bool Announcement_Due(SayFrequency frequency, SoundScheme scheme, unsigned hour, unsigned minute, unsigned second);

// Whether the tick after the one at hour:minute:second (one second later,
// across minute, hour and midnight) is due, so that this tick can get the
// sound device ready without composing anything early.
bool Announcement_Due_Next_Second(SayFrequency frequency, SoundScheme scheme, unsigned hour, unsigned minute,
                                  unsigned second);

// Whether hour:minute lies in the quiet hours of `settings`: from the start
// minute up to, not including, the end minute, across midnight when the end
// comes first. Off, or start equal to end, means no quiet hours.
bool In_Quiet_Hours(const ClockSettings& settings, unsigned hour, unsigned minute);

// Announcement_Due under the settings' frequency and scheme, held back in
// the quiet hours. A click on the face is no automatic announcement and is
// never held back.
bool Automatic_Announcement_Due(const ClockSettings& settings, unsigned hour, unsigned minute, unsigned second);
bool Automatic_Announcement_Due_Next_Second(const ClockSettings& settings, unsigned hour, unsigned minute,
                                            unsigned second);
