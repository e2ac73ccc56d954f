#pragma once
#include <chrono>
#include <deque>
#include <functional>
#include <mutex>

#include <windows.h>

#include "audio/Notice_Loop.h"

// The sound output's notices and silence timer on the GUI thread's message
// loop, whichever loop runs there (a modal dialog's or a menu's included):
// posted work and the timer come as messages to a message-only window.
class TWin32_Notice_Loop final : public TNotice_Loop {
public:
    TWin32_Notice_Loop();
    ~TWin32_Notice_Loop() override;
    TWin32_Notice_Loop(const TWin32_Notice_Loop&) = delete;
    TWin32_Notice_Loop& operator=(const TWin32_Notice_Loop&) = delete;

    void Post(std::function<void()> task) override;
    void Start_Timer(std::chrono::milliseconds delay, std::function<void()> task) override;
    void Stop_Timer() override;

private:
    static LRESULT CALLBACK Window_Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param);
    void Run_Posted();

    HWND window_ = nullptr;
    std::mutex mutex_;
    std::deque<std::function<void()>> posted_;
    std::function<void()> timer_task_;
};
