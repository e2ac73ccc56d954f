#pragma once
#include <ctime>

// The local time of day at `time`, as the system's time zone has it.
std::tm Local_Time(std::time_t time);
