#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "system/Handle_Watcher.h"

// A one-shot wake-up at a whole second of the system's wall clock, delivered
// on the owner's event loop through its handle watcher. The kernel aims it at
// the second to the nanosecond, where a toolkit's timer counts whole
// milliseconds on another clock and lets the wait run long. When the system
// clock is set, the timer wakes at once, so its owner reads the clock again
// and re-aims.
class TSecond_Timer {
public:
    virtual ~TSecond_Timer() = default;
    // Replaces any earlier aim; a second already past wakes at once. False
    // when the timer cannot be armed (it will not wake).
    virtual bool Arm_At(std::int64_t epoch_second) = 0;
    virtual void Stop() = 0;
};

// The system's second timer calling `on_wake`, watched by `watcher` (which
// outlives it); nullptr where there is none, and the owner keeps to its
// toolkit's timer.
std::unique_ptr<TSecond_Timer> Make_System_Second_Timer(THandle_Watcher& watcher, std::function<void()> on_wake);

// Whether a read of the timer's descriptor (its result, and errno when it
// failed) means a wake: an expiry, or the clock was set (ECANCELED). Nothing
// to read means a wake that a later arming or a stop took back.
bool Second_Timer_Read_Is_Wake(std::int64_t result, int error);
