#include "system/Local_Time.h"

std::tm Local_Time(std::time_t time)
{
    std::tm local{};
    localtime_s(&local, &time);
    return local;
}
