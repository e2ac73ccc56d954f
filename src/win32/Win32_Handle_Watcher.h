#pragma once
#include <windows.h>

#include "system/Handle_Watcher.h"

// Waitable handles watched for the GUI thread that makes the watch. The
// program's own message loops wait for them beside the messages
// (Get_Message_Watching_Handles), so a wake costs no thread switch. In a loop
// that is not the program's own (a menu's, a message box's, a scroll bar's,
// or any loop outside the program's), a thread per watch waits on the handle
// instead and posts its readiness to the GUI thread, whose loop dispatches it
// (a wake that was waited for there costs some twenty requests more to Wine's
// server than one waited for at once).
// A callback never runs inside itself: a wake that comes meanwhile runs it
// again after it returns.
class TWin32_Handle_Watcher final : public THandle_Watcher {
public:
    std::unique_ptr<THandle_Watch> Watch(TWaitable_Handle handle, std::function<void()> on_ready) override;
};

// One of the program's own message loops, for as long as it lives.
class TOwn_Message_Loop {
public:
    TOwn_Message_Loop();
    ~TOwn_Message_Loop();
    TOwn_Message_Loop(const TOwn_Message_Loop&) = delete;
    TOwn_Message_Loop& operator=(const TOwn_Message_Loop&) = delete;
    // The next message, running the watches' callbacks while it waits;
    // false for the quit request.
    bool Get_Message(MSG& message);
};

// The span of a message loop that is not the program's own, entered from
// inside one of the program's: the watches' threads wait meanwhile.
class TForeign_Message_Loop {
public:
    TForeign_Message_Loop();
    ~TForeign_Message_Loop();
    TForeign_Message_Loop(const TForeign_Message_Loop&) = delete;
    TForeign_Message_Loop& operator=(const TForeign_Message_Loop&) = delete;
};

// Follows the loops whose start and end a window is told of (menus, moving
// and sizing); each window procedure passes its messages through.
void Note_Foreign_Message_Loop(UINT message);
