#pragma once
#include "system/Handle_Watcher.h"

// Waitable handles watched for the GUI thread that makes the watch: a thread
// per watch waits on the handle and posts its readiness to that thread, so
// the callback runs in whatever message loop runs there, a modal dialog's or
// a menu's included. The thread waits again only after the callback has run,
// so a handle that stays signalled calls back once per round.
class TWin32_Handle_Watcher final : public THandle_Watcher {
public:
    std::unique_ptr<THandle_Watch> Watch(TWaitable_Handle handle, std::function<void()> on_ready) override;
};
