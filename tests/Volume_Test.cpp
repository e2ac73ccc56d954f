#include "engine/Volume.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Rounded to the nearest value, halves away from zero; the percentage is
// clamped, and a factor of one leaves the samples untouched.
TEST(Volume, Scales_Each_Sample_Linearly)
{
    const std::vector<std::int16_t> sound{32767, -32768, 1000, -3, 3, 1, 0};
    const struct {
        int percent;
        std::vector<std::int16_t> expected;
    } cases[] = {
        {100, {32767, -32768, 1000, -3, 3, 1, 0}},
        {50, {16384, -16384, 500, -2, 2, 1, 0}},
        {10, {3277, -3277, 100, 0, 0, 0, 0}},
        {0, {0, 0, 0, 0, 0, 0, 0}},
        {250, {32767, -32768, 1000, -3, 3, 1, 0}},
        {-20, {0, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        std::vector<std::int16_t> samples = sound;
        Apply_Volume(samples, c.percent);
        EXPECT_EQ(samples, c.expected) << c.percent << " %";
    }
}

}  // namespace
