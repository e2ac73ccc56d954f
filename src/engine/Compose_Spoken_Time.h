#pragma once
#include "engine/Random_Source.h"
#include "engine/SpokenTime.h"
#include "settings/ClockSettings.h"

// The announcement of hour:minute (24-hour, local) under the given settings:
// clock format, word split, prefix and suffix, eight bells.
SpokenTime Compose_Spoken_Time(int hour, int minute, const ClockSettings& settings, TRandom_Source& random);
