#include "audio/Plain_Notice_Loop.h"

#include <utility>

void TPlain_Notice_Loop::Post(std::function<void()> task)
{
    {
        const std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    posted_.notify_one();
}

void TPlain_Notice_Loop::Start_Timer(std::chrono::milliseconds delay, std::function<void()> task)
{
    timer_task_ = std::move(task);
    timer_due_ = TClock::now() + delay;
}

void TPlain_Notice_Loop::Stop_Timer()
{
    timer_due_.reset();
}

void TPlain_Notice_Loop::Run(const std::function<void()>& task)
{
    try {
        task();
    } catch (...) {
        if (!error_)
            error_ = std::current_exception();
    }
}

void TPlain_Notice_Loop::Process_Messages()
{
    std::deque<std::function<void()>> ready;
    {
        const std::lock_guard lock(mutex_);
        ready.swap(tasks_);
    }
    for (const auto& task : ready)
        Run(task);
    if (timer_due_ && TClock::now() >= *timer_due_) {
        timer_due_.reset();
        // A copy: the task may start the timer again with another task.
        const auto task = timer_task_;
        Run(task);
    }
}

bool TPlain_Notice_Loop::Run_Until(const std::function<bool()>& done, TClock::duration limit)
{
    const auto deadline = TClock::now() + limit;
    for (;;) {
        Process_Messages();
        if (done())
            return true;
        const auto now = TClock::now();
        if (now >= deadline)
            return false;
        const auto wake = timer_due_ ? std::min(deadline, *timer_due_) : deadline;
        std::unique_lock lock(mutex_);
        posted_.wait_until(lock, wake, [this] { return !tasks_.empty(); });
    }
}

std::exception_ptr TPlain_Notice_Loop::Take_Error()
{
    return std::exchange(error_, nullptr);
}
