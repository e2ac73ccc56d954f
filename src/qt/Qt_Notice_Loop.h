#pragma once
#include <QObject>
#include <QTimer>

#include "audio/Notice_Loop.h"

// Notices and the timer on the Qt event loop of the thread that creates it.
class TQt_Notice_Loop : public TNotice_Loop {
public:
    TQt_Notice_Loop();
    void Post(std::function<void()> task) override;
    void Start_Timer(std::chrono::milliseconds delay, std::function<void()> task) override;
    void Stop_Timer() override;

private:
    // Posted work dies with it, so nothing runs for an output that is gone.
    QObject target_;
    QTimer timer_;
    std::function<void()> timer_task_;
};
