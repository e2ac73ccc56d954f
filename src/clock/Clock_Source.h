#pragma once
#include <chrono>
#include <cstdint>

// A day of the calendar; all zeros is no date.
struct TCalendar_Date {
    int year = 0;
    unsigned month = 0;  // 1..12
    unsigned day = 0;    // 1..31

    bool operator==(const TCalendar_Date&) const = default;
};

// One reading of the clock: the instant, and the local date and time the
// user's time zone gives it.
struct TClock_Reading {
    std::chrono::system_clock::time_point instant;
    TCalendar_Date date;
    unsigned hour = 0;
    unsigned minute = 0;
    unsigned second = 0;
    unsigned millisecond = 0;
};

// Milliseconds since the epoch (1970-01-01 UTC), rounded down.
std::int64_t Epoch_Milliseconds(std::chrono::system_clock::time_point instant);

// Where the clock reads the local date and time; injected so tests can set
// any time and tick without waiting for the wall clock. Each front end
// reads the system's time zone in its own way.
class TClock_Source {
public:
    virtual ~TClock_Source() = default;
    virtual TClock_Reading Now() const = 0;
};

// The random generator's seed for a clock reading: its milliseconds since the epoch.
std::uint32_t Seed_From_Clock(const TClock_Source& clock);
