#include "clock/Clock_Source.h"

std::int64_t Epoch_Milliseconds(std::chrono::system_clock::time_point instant)
{
    return std::chrono::floor<std::chrono::milliseconds>(instant.time_since_epoch()).count();
}

std::uint32_t Seed_From_Clock(const TClock_Source& clock)
{
    return static_cast<std::uint32_t>(Epoch_Milliseconds(clock.Now().instant));
}
