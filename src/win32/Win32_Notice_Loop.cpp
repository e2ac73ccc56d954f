#include "win32/Win32_Notice_Loop.h"

#include <utility>

#include "win32/Win32_Application.h"

namespace {

constexpr UINT Posted_Message = WM_APP + 2;
constexpr UINT_PTR Timer_Id = 1;
constexpr wchar_t Loop_Class[] = L"Horavox_Notice_Loop";

}  // namespace

TWin32_Notice_Loop::TWin32_Notice_Loop()
{
    window_ = Create_Message_Window(Loop_Class, Window_Procedure, this);
}

TWin32_Notice_Loop::~TWin32_Notice_Loop()
{
    DestroyWindow(window_);
}

void TWin32_Notice_Loop::Post(std::function<void()> task)
{
    std::lock_guard lock(mutex_);
    posted_.push_back(std::move(task));
    // One message carries everything posted before it is handled.
    if (posted_.size() == 1)
        PostMessageW(window_, Posted_Message, 0, 0);
}

void TWin32_Notice_Loop::Start_Timer(std::chrono::milliseconds delay, std::function<void()> task)
{
    timer_task_ = std::move(task);
    SetTimer(window_, Timer_Id, static_cast<UINT>(delay.count()), nullptr);
}

void TWin32_Notice_Loop::Stop_Timer()
{
    KillTimer(window_, Timer_Id);
}

void TWin32_Notice_Loop::Run_Posted()
{
    std::deque<std::function<void()>> tasks;
    {
        std::lock_guard lock(mutex_);
        tasks.swap(posted_);
    }
    for (const auto& task : tasks)
        Run_Guarded(task);
}

LRESULT CALLBACK TWin32_Notice_Loop::Window_Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    auto* loop = reinterpret_cast<TWin32_Notice_Loop*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (loop != nullptr && message == Posted_Message) {
        loop->Run_Posted();
        return 0;
    }
    if (loop != nullptr && message == WM_TIMER && w_param == Timer_Id) {
        KillTimer(window, Timer_Id);
        if (loop->timer_task_)
            Run_Guarded(loop->timer_task_);
        return 0;
    }
    return DefWindowProcW(window, message, w_param, l_param);
}
