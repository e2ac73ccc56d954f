#pragma once
#include <functional>
#include <string>
#include <vector>

#include "engine/Plain_Engine_Host.h"

class TFake_Sound_System;

// The window side of the engine for tests: records error boxes instead of
// showing them, and lets the test decide what "pending messages" are.
class TFake_Engine_Host : public TPlain_Engine_Host {
public:
    TFake_Engine_Host();
    // Its functions hold `this`.
    TFake_Engine_Host(const TFake_Engine_Host&) = delete;
    TFake_Engine_Host& operator=(const TFake_Engine_Host&) = delete;

    // When set, every Process_Messages releases all queued completion notices,
    // as the event loop would deliver them while files are still loading.
    TFake_Sound_System* Deliver_Notices_From = nullptr;
    // Runs on every Process_Messages, after the notices (a click, a tick, a
    // settings change arriving mid-announcement).
    std::function<void()> On_Process_Messages;

    int Messages_Processed = 0;
    std::vector<std::string> Error_Boxes;
};
