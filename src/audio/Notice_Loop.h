#pragma once
#include <chrono>
#include <functional>

// The thread that owns the sound players, as the audio output sees it: a
// queue of work that the audio thread may post to, and one single-shot timer.
// The clock runs it on Qt's event loop; horavox-say, which has no window,
// on a plain loop of its own.
class TNotice_Loop {
public:
    virtual ~TNotice_Loop() = default;
    // Any thread: runs `task` on the owner thread the next time it handles messages.
    virtual void Post(std::function<void()> task) = 0;
    // Owner thread: (re)starts the timer; `task` runs once `delay` has passed.
    virtual void Start_Timer(std::chrono::milliseconds delay, std::function<void()> task) = 0;
    virtual void Stop_Timer() = 0;
};
