#pragma once
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>

#include "audio/Notice_Loop.h"

// Notices and the timer without a toolkit, for a program that has nothing
// else to wait for: the owner thread runs them in Process_Messages and sleeps
// in Run_Until until the next one comes.
class TPlain_Notice_Loop : public TNotice_Loop {
public:
    using TClock = std::chrono::steady_clock;

    void Post(std::function<void()> task) override;
    void Start_Timer(std::chrono::milliseconds delay, std::function<void()> task) override;
    void Stop_Timer() override;

    // Runs the work posted so far, and the timer if it is due; never waits.
    // An exception of a task is kept (the first one) and the rest still run.
    void Process_Messages();
    // Runs work as it comes until `done` holds (checked after each round) or
    // `limit` has passed; whether `done` held.
    bool Run_Until(const std::function<bool()>& done, TClock::duration limit);
    // The first exception a task raised, if any; cleared by taking it.
    std::exception_ptr Take_Error();

private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> tasks_;
    std::optional<TClock::time_point> timer_due_;
    std::function<void()> timer_task_;
    std::exception_ptr error_;

    void Run(const std::function<void()>& task);
};
