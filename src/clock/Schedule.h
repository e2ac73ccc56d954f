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
