#pragma once
#include <cstdint>
#include <optional>

// The clock ticks once per wall-clock second, within a millisecond or two
// after the second changes, so that every second (second 0 of a scheduled minute above
// all) gets exactly one tick. The window re-arms a single-shot timer on every
// tick from its clock reading, instead of trusting a free-running 1000 ms
// interval that drifts and jitters across the boundary: a wall-clock timer
// aimed at the next second itself where the system has one, else a Qt timer
// given the delay.

// How far after the second boundary a tick is aimed. None: the delay is
// counted from a reading cut to the whole millisecond, so the timer is due
// up to a millisecond after the boundary already, and the event loop rounds
// its wait up to the next millisecond besides. A timer that fires early all
// the same reads the old second; it is not handled but re-armed for the rest
// of the way (Decide_Tick).
inline constexpr int Tick_Lag_Milliseconds = 0;

// The delay from a reading at `millisecond_of_second` (0..999; values outside
// are clamped) to Tick_Lag_Milliseconds after the next second boundary.
// Always between Tick_Lag_Milliseconds + 1 and 1000 + Tick_Lag_Milliseconds,
// so a reading exactly on the boundary waits for the next one.
int Milliseconds_To_Next_Tick(int millisecond_of_second);

// The wall-clock second a reading in milliseconds since the epoch falls in
// (rounded down, also before the epoch).
std::int64_t Tick_Second(std::int64_t msecs_since_epoch);

struct Tick_Decision {
    bool handle;   // run the tick: new second; false for a repeat of the last handled one
    int delay_ms;  // re-arm the single-shot timer with this, whether handled or not
    // Or aim a wall-clock timer at this second (since the epoch): the one
    // after the second read, so a tick that ran long is late, never skipped.
    std::int64_t next_second;
};

// What to do with a timer tick that reads `now_msecs` (milliseconds since the
// epoch) when the last handled tick read `last_handled_msecs` (none before the
// first tick). A tick that reads the same second as the last handled one came
// early (coarse timers may fire a little before their time) and is skipped,
// so that no second is handled twice; a clock set back by a second or more is
// a new second and is handled. Every handled tick, also one run directly
// (for instance after the settings dialog), should update the last reading.
Tick_Decision Decide_Tick(std::optional<std::int64_t> last_handled_msecs, std::int64_t now_msecs);
