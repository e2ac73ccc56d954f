#pragma once
#include <functional>
#include <string>
#include <vector>

#include "engine/Announcement_Engine.h"

class TFake_Sound_System;

// The window side of the engine for tests: holds the idle and shareable flags,
// records error boxes instead of showing them, and lets the test decide what
// "pending messages" are.
class TFake_Engine_Host : public TEngine_Host {
public:
    void Process_Messages() override;
    void Show_Error_Box(const std::string& text) override;
    bool Is_Idle() const override { return idle_; }
    void Set_Idle(bool idle) override { idle_ = idle; }
    bool Shareable_Sound() const override { return shareable_; }
    void Set_Shareable_Sound(bool shareable) override { shareable_ = shareable; }

    // When set, every Process_Messages releases all queued completion notices,
    // as the event loop would deliver them while files are still loading.
    TFake_Sound_System* Deliver_Notices_From = nullptr;
    // Runs on every Process_Messages, after the notices (a click, a tick, a
    // settings change arriving mid-announcement).
    std::function<void()> On_Process_Messages;

    int Messages_Processed = 0;
    std::vector<std::string> Error_Boxes;

private:
    bool idle_ = true;
    bool shareable_ = false;
};
