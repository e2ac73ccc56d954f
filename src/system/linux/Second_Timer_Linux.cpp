#include "system/Second_Timer.h"

#include <cerrno>
#include <cstdint>
#include <utility>
#include <sys/timerfd.h>
#include <unistd.h>

bool Second_Timer_Read_Is_Wake(std::int64_t result, int error)
{
    return result > 0 || (result < 0 && error == ECANCELED);
}

namespace {

// A timerfd on the wall clock, armed with an absolute time so that the
// expiry is the second itself, whatever the wait before it.
class TTimerfd_Second_Timer final : public TSecond_Timer {
public:
    TTimerfd_Second_Timer(int fd, THandle_Watcher& watcher, std::function<void()> on_wake)
        : fd_(fd), on_wake_(std::move(on_wake)), watch_(watcher.Watch(fd, [this] { On_Readable(); }))
    {
    }
    ~TTimerfd_Second_Timer() override
    {
        watch_.reset();
        ::close(fd_);
    }
    TTimerfd_Second_Timer(const TTimerfd_Second_Timer&) = delete;
    TTimerfd_Second_Timer& operator=(const TTimerfd_Second_Timer&) = delete;

    bool Arm_At(std::int64_t epoch_second) override
    {
        itimerspec aim{};
        aim.it_value.tv_sec = static_cast<time_t>(epoch_second);
        // Re-arming also clears a pending clock-set notice.
        return timerfd_settime(fd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &aim, nullptr) == 0;
    }

    void Stop() override
    {
        const itimerspec disarmed{};
        timerfd_settime(fd_, 0, &disarmed, nullptr);
    }

private:
    void On_Readable()
    {
        std::uint64_t expiries = 0;
        const ssize_t result = ::read(fd_, &expiries, sizeof expiries);
        if (Second_Timer_Read_Is_Wake(result, errno))
            on_wake_();
    }

    int fd_;
    std::function<void()> on_wake_;
    std::unique_ptr<THandle_Watch> watch_;
};

}  // namespace

std::unique_ptr<TSecond_Timer> Make_System_Second_Timer(THandle_Watcher& watcher, std::function<void()> on_wake)
{
    const int fd = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd < 0)
        return nullptr;
    return std::make_unique<TTimerfd_Second_Timer>(fd, watcher, std::move(on_wake));
}
