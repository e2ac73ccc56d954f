#include "win32/Win32_Handle_Watcher.h"

#include <algorithm>
#include <thread>
#include <utility>
#include <vector>

#include "win32/Message_Relay.h"
#include "win32/Win32_Application.h"

namespace {

class TWin32_Handle_Watch;

// The GUI thread's loops, innermost last: true for the program's own.
struct TLoops {
    std::vector<TWin32_Handle_Watch*> watches;
    std::vector<bool> own;
    // A loop not the program's showed itself through the message filter
    // since the program's own loop last ran.
    bool foreign_seen = false;
    bool relaying = true;
    // Set while the watches' threads are to wait; shared by them.
    HANDLE relay_on = nullptr;
    HHOOK filter = nullptr;
};

TLoops& Loops()
{
    thread_local TLoops loops;
    if (loops.relay_on == nullptr)
        loops.relay_on = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    return loops;
}

bool Relay_Wanted(const TLoops& loops)
{
    return loops.own.empty() || !loops.own.back() || loops.foreign_seen;
}

void Update_Relaying();

// Menus, message boxes and scroll bars that track the mouse pass each message
// of their loops through this filter; the program's own dialog loops pass
// theirs as a dialog box's, which is left out.
LRESULT CALLBACK Message_Filter(int code, WPARAM w_param, LPARAM l_param)
{
    if (code >= 0 && code != MSGF_DIALOGBOX && !Loops().foreign_seen) {
        Loops().foreign_seen = true;
        Update_Relaying();
    }
    return CallNextHookEx(nullptr, code, w_param, l_param);
}

class TWin32_Handle_Watch final : public THandle_Watch {
public:
    TWin32_Handle_Watch(HANDLE handle, std::function<void()> on_ready)
        : handle_(handle)
        , on_ready_(std::move(on_ready))
        , relay_on_(Loops().relay_on)
        , relay_([this](WPARAM) {
            // Inside the callback, the thread waits until it has returned.
            if (running_) {
                handled_due_ = true;
                again_ = true;
                return;
            }
            Run_Callback();
            SetEvent(handled_);
        })
        , waiter_([this] { Wait(); })
    {
        Loops().watches.push_back(this);
    }

    ~TWin32_Handle_Watch() override
    {
        auto& watches = Loops().watches;
        watches.erase(std::find(watches.begin(), watches.end(), this));
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

    HANDLE Handle() const { return handle_; }
    // To be waited for by the program's own loop: a callback that is
    // running is not waited for again inside itself.
    bool Waited() const { return enabled_flag_ && !running_; }
    // Makes the thread look again whether it is to wait.
    void Recheck() const { SetEvent(changed_); }

    // On the GUI thread.
    void Run_Callback()
    {
        if (running_) {
            again_ = true;
            return;
        }
        running_ = true;
        do {
            again_ = false;
            if (enabled_flag_)
                Run_Guarded(on_ready_);
        } while (again_);
        running_ = false;
        if (std::exchange(handled_due_, false))
            SetEvent(handled_);
    }

private:
    void Wait()
    {
        // The wake should leave as soon as the handle is signalled.
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
        for (;;) {
            const HANDLE until_relaying[] = {stop_, relay_on_};
            if (WaitForMultipleObjects(2, until_relaying, FALSE, INFINITE) != WAIT_OBJECT_0 + 1)
                return;
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
            // Waits again only after the callback ran: a handle that stays
            // signalled calls back once per round, not in a storm.
            const HANDLE until_handled[] = {stop_, handled_};
            if (WaitForMultipleObjects(2, until_handled, FALSE, INFINITE) != WAIT_OBJECT_0 + 1)
                return;
        }
    }

    HANDLE handle_;
    std::function<void()> on_ready_;
    HANDLE relay_on_;
    HANDLE stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE enabled_ = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    HANDLE changed_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE handled_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    bool enabled_flag_ = true;
    bool running_ = false;
    bool again_ = false;
    bool handled_due_ = false;
    TMessage_Relay relay_;
    std::thread waiter_;
};

void Update_Relaying()
{
    auto& loops = Loops();
    const bool wanted = Relay_Wanted(loops);
    if (wanted == loops.relaying)
        return;
    loops.relaying = wanted;
    if (wanted) {
        SetEvent(loops.relay_on);
        return;
    }
    ResetEvent(loops.relay_on);
    for (const TWin32_Handle_Watch* watch : loops.watches)
        watch->Recheck();
}

void Enter_Loop(bool own)
{
    auto& loops = Loops();
    if (loops.filter == nullptr)
        loops.filter = SetWindowsHookExW(WH_MSGFILTER, Message_Filter, nullptr, GetCurrentThreadId());
    loops.own.push_back(own);
    Update_Relaying();
}

void Leave_Loop(bool own)
{
    auto& loops = Loops();
    if (!loops.own.empty() && loops.own.back() == own)
        loops.own.pop_back();
    Update_Relaying();
}

}  // namespace

std::unique_ptr<THandle_Watch> TWin32_Handle_Watcher::Watch(TWaitable_Handle handle, std::function<void()> on_ready)
{
    return std::make_unique<TWin32_Handle_Watch>(reinterpret_cast<HANDLE>(handle), std::move(on_ready));
}

TOwn_Message_Loop::TOwn_Message_Loop()
{
    Enter_Loop(true);
}

TOwn_Message_Loop::~TOwn_Message_Loop()
{
    Leave_Loop(true);
}

bool TOwn_Message_Loop::Get_Message(MSG& message)
{
    auto& loops = Loops();
    if (loops.foreign_seen) {
        loops.foreign_seen = false;
        Update_Relaying();
    }
    for (;;) {
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            return message.message != WM_QUIT;
        std::vector<TWin32_Handle_Watch*> waited;
        std::vector<HANDLE> handles;
        for (TWin32_Handle_Watch* watch : loops.watches) {
            if (watch->Waited() && handles.size() < MAXIMUM_WAIT_OBJECTS - 1) {
                waited.push_back(watch);
                handles.push_back(watch->Handle());
            }
        }
        const DWORD woken = MsgWaitForMultipleObjectsEx(static_cast<DWORD>(handles.size()), handles.data(), INFINITE,
                                                        QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken >= WAIT_OBJECT_0 && woken < WAIT_OBJECT_0 + handles.size())
            waited[woken - WAIT_OBJECT_0]->Run_Callback();
    }
}

TForeign_Message_Loop::TForeign_Message_Loop()
{
    Enter_Loop(false);
}

TForeign_Message_Loop::~TForeign_Message_Loop()
{
    Leave_Loop(false);
}

void Note_Foreign_Message_Loop(UINT message)
{
    if (message == WM_ENTERMENULOOP || message == WM_ENTERSIZEMOVE)
        Enter_Loop(false);
    else if (message == WM_EXITMENULOOP || message == WM_EXITSIZEMOVE)
        Leave_Loop(false);
}
