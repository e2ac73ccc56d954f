#pragma once
#include <cstdint>
#include <span>

// Scales every sample by `percent` / 100 (0 to 100, clamped), rounding to the
// nearest value. A factor of at most one never clips; 100 leaves the samples
// exactly as they were.
void Apply_Volume(std::span<std::int16_t> samples, int percent);
