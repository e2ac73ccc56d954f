#include "qt/Qt_Notice_Loop.h"

#include <utility>

TQt_Notice_Loop::TQt_Notice_Loop()
{
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, &target_, [this] {
        if (timer_task_)
            timer_task_();
    });
}

void TQt_Notice_Loop::Post(std::function<void()> task)
{
    QMetaObject::invokeMethod(&target_, std::move(task), Qt::QueuedConnection);
}

void TQt_Notice_Loop::Start_Timer(std::chrono::milliseconds delay, std::function<void()> task)
{
    timer_task_ = std::move(task);
    timer_.start(delay);
}

void TQt_Notice_Loop::Stop_Timer()
{
    timer_.stop();
}
