#include "win32/Waitable_Second_Timer.h"

#include <thread>
#include <utility>

#include <windows.h>

#include "win32/Message_Relay.h"

namespace {

// FILETIME counts from 1601; the epoch is 1970.
constexpr long long Epoch_As_File_Time = 116'444'736'000'000'000LL;
// Windows 10 1803 and later; the headers here predate it.
constexpr DWORD High_Resolution_Timer = 0x00000002;

class TWaitable_Second_Timer final : public TSecond_Timer {
public:
    TWaitable_Second_Timer(HANDLE timer, std::function<void()> on_wake)
        : timer_(timer)
        , stop_event_(CreateEventW(nullptr, TRUE, FALSE, nullptr))
        , on_wake_(std::move(on_wake))
        , relay_([this](WPARAM) { Deliver_Wake(); })
        , waiter_([this] { Wait_For_Expiries(); })
    {
    }

    ~TWaitable_Second_Timer() override
    {
        SetEvent(stop_event_);
        waiter_.join();
        CancelWaitableTimer(timer_);
        CloseHandle(stop_event_);
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
    void Deliver_Wake()
    {
        if (!armed_)
            return;
        armed_ = false;
        on_wake_();
    }

    void Wait_For_Expiries()
    {
        // The wake should leave as soon as the second has come.
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
        const HANDLE handles[] = {stop_event_, timer_};
        while (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1)
            relay_.Post(0);
    }

    HANDLE timer_;
    HANDLE stop_event_;
    std::function<void()> on_wake_;
    TMessage_Relay relay_;
    // On the GUI thread only.
    bool armed_ = false;
    std::thread waiter_;
};

}  // namespace

std::unique_ptr<TSecond_Timer> Make_Waitable_Second_Timer(std::function<void()> on_wake)
{
    // A synchronisation timer: a wake releases one wait and resets it.
    HANDLE timer = CreateWaitableTimerExW(nullptr, nullptr, High_Resolution_Timer, TIMER_ALL_ACCESS);
    if (timer == nullptr)
        timer = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    if (timer == nullptr)
        return nullptr;
    return std::make_unique<TWaitable_Second_Timer>(timer, std::move(on_wake));
}
