#pragma once
#include <functional>
#include <memory>

#include "system/Handle_Watcher.h"

// When the session ends the program (SIGTERM, SIGHUP) or the user presses
// Ctrl+C in its terminal, `request_close` runs on the owner's event loop, so
// the window is asked to close and saves its settings, as when the system
// shuts down. One watch at a time: a signal handler can reach only a static.
//
// A close can wait on the user: when the save fails, its error box stays open
// and the window with it. A signal that comes meanwhile cannot close the
// window (a close is already under way), so it is remembered, and once the
// first close has returned, `end_program` ends the program all the same: the
// session has asked twice, and the user has seen why nothing was saved.
class TTermination_Watch {
public:
    // `watcher` outlives the watch.
    TTermination_Watch(THandle_Watcher& watcher, std::function<void()> request_close,
                       std::function<void()> end_program);
    ~TTermination_Watch();
    TTermination_Watch(const TTermination_Watch&) = delete;
    TTermination_Watch& operator=(const TTermination_Watch&) = delete;

private:
    void On_Signal();

    std::function<void()> request_close_;
    std::function<void()> end_program_;
    bool closing_ = false;
    bool insisted_ = false;
    std::unique_ptr<THandle_Watch> watch_;
};
