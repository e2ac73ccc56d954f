#include "win32/Win32_Handle_Watcher.h"

#include <thread>
#include <utility>

#include <windows.h>

#include "win32/Message_Relay.h"

namespace {

class TWin32_Handle_Watch final : public THandle_Watch {
public:
    TWin32_Handle_Watch(HANDLE handle, std::function<void()> on_ready)
        : handle_(handle)
        , on_ready_(std::move(on_ready))
        , relay_([this](WPARAM) { Ready(); })
        , waiter_([this] { Wait(); })
    {
    }

    ~TWin32_Handle_Watch() override
    {
        SetEvent(stop_);
        waiter_.join();
        CloseHandle(stop_);
        CloseHandle(enabled_);
        CloseHandle(changed_);
        CloseHandle(handled_);
    }

    TWin32_Handle_Watch(const TWin32_Handle_Watch&) = delete;
    TWin32_Handle_Watch& operator=(const TWin32_Handle_Watch&) = delete;

    void Set_Enabled(bool enabled) override
    {
        enabled_flag_ = enabled;
        if (enabled)
            SetEvent(enabled_);
        else
            ResetEvent(enabled_);
        SetEvent(changed_);
    }

private:
    void Wait()
    {
        // The wake should leave as soon as the handle is signalled.
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
        for (;;) {
            const HANDLE until_enabled[] = {stop_, enabled_};
            if (WaitForMultipleObjects(2, until_enabled, FALSE, INFINITE) != WAIT_OBJECT_0 + 1)
                return;
            const HANDLE until_ready[] = {stop_, changed_, handle_};
            const DWORD woken = WaitForMultipleObjects(3, until_ready, FALSE, INFINITE);
            if (woken == WAIT_OBJECT_0 + 1)
                continue;
            if (woken != WAIT_OBJECT_0 + 2)
                return;
            if (!relay_.Post(0))
                return;
            const HANDLE until_handled[] = {stop_, handled_};
            if (WaitForMultipleObjects(2, until_handled, FALSE, INFINITE) != WAIT_OBJECT_0 + 1)
                return;
        }
    }

    // On the GUI thread.
    void Ready()
    {
        if (enabled_flag_)
            on_ready_();
        SetEvent(handled_);
    }

    HANDLE handle_;
    std::function<void()> on_ready_;
    HANDLE stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE enabled_ = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    HANDLE changed_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE handled_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    bool enabled_flag_ = true;
    TMessage_Relay relay_;
    std::thread waiter_;
};

}  // namespace

std::unique_ptr<THandle_Watch> TWin32_Handle_Watcher::Watch(TWaitable_Handle handle, std::function<void()> on_ready)
{
    return std::make_unique<TWin32_Handle_Watch>(reinterpret_cast<HANDLE>(handle), std::move(on_ready));
}
