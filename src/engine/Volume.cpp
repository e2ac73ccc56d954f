#include "engine/Volume.h"

#include <algorithm>

void Apply_Volume(std::span<std::int16_t> samples, int percent)
{
    percent = std::clamp(percent, 0, 100);
    if (percent == 100)
        return;
    for (std::int16_t& sample : samples) {
        const int scaled = sample * percent;
        sample = static_cast<std::int16_t>((scaled + (scaled < 0 ? -50 : 50)) / 100);
    }
}
