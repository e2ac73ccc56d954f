#include "system/Second_Timer.h"

#include <utility>

#include <windows.h>

namespace {

// FILETIME counts from 1601; the epoch is 1970.
constexpr long long Epoch_As_File_Time = 116'444'736'000'000'000LL;
// Windows 10 1803 and later; the headers here predate it.
constexpr DWORD High_Resolution_Timer = 0x00000002;

// A waitable timer armed with an absolute time (100 ns units, UTC), so that
// the expiry is the second itself, whatever the wait before it. A
// synchronisation timer: the watcher's wait takes the expiry.
class TWaitable_Second_Timer final : public TSecond_Timer {
public:
    TWaitable_Second_Timer(HANDLE timer, THandle_Watcher& watcher, std::function<void()> on_wake)
        : timer_(timer)
        , on_wake_(std::move(on_wake))
        , watch_(watcher.Watch(reinterpret_cast<TWaitable_Handle>(timer), [this] { On_Signalled(); }))
    {
    }
    ~TWaitable_Second_Timer() override
    {
        watch_.reset();
        CancelWaitableTimer(timer_);
        CloseHandle(timer_);
    }
    TWaitable_Second_Timer(const TWaitable_Second_Timer&) = delete;
    TWaitable_Second_Timer& operator=(const TWaitable_Second_Timer&) = delete;

    bool Arm_At(std::int64_t epoch_second) override
    {
        LARGE_INTEGER due{};
        // Positive: an absolute time, which follows the system clock when it is set.
        due.QuadPart = epoch_second * 10'000'000LL + Epoch_As_File_Time;
        armed_ = SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE) != FALSE;
        return armed_;
    }

    void Stop() override
    {
        armed_ = false;
        CancelWaitableTimer(timer_);
    }

private:
    // An expiry that was on its way when the timer stopped is no wake.
    void On_Signalled()
    {
        if (!armed_)
            return;
        armed_ = false;
        on_wake_();
    }

    HANDLE timer_;
    std::function<void()> on_wake_;
    bool armed_ = false;
    std::unique_ptr<THandle_Watch> watch_;
};

}  // namespace

std::unique_ptr<TSecond_Timer> Make_System_Second_Timer(THandle_Watcher& watcher, std::function<void()> on_wake)
{
    HANDLE timer = CreateWaitableTimerExW(nullptr, nullptr, High_Resolution_Timer, TIMER_ALL_ACCESS);
    if (timer == nullptr)
        timer = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    if (timer == nullptr)
        return nullptr;
    return std::make_unique<TWaitable_Second_Timer>(timer, watcher, std::move(on_wake));
}
