#include "clock/Tick_Alignment.h"

#include <algorithm>

int Milliseconds_To_Next_Tick(int millisecond_of_second)
{
    return 1000 + Tick_Lag_Milliseconds - std::clamp(millisecond_of_second, 0, 999);
}

std::int64_t Tick_Second(std::int64_t msecs_since_epoch)
{
    const std::int64_t second = msecs_since_epoch / 1000;
    return msecs_since_epoch % 1000 < 0 ? second - 1 : second;
}

Tick_Decision Decide_Tick(std::optional<std::int64_t> last_handled_msecs, std::int64_t now_msecs)
{
    const std::int64_t second = Tick_Second(now_msecs);
    const auto millisecond = static_cast<int>(now_msecs - second * 1000);
    const bool repeat = last_handled_msecs && Tick_Second(*last_handled_msecs) == second;
    return {!repeat, Milliseconds_To_Next_Tick(millisecond), second + 1};
}
