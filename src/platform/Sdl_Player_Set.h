#pragma once
#include <array>
#include <memory>

#include "engine/Announcement_Engine.h"
#include "platform/Sdl_Sound_Player.h"

// The seven slots of an announcement and the shareability probe, all on one
// device, as the announcement engine takes them.
class TSdl_Player_Set {
public:
    explicit TSdl_Player_Set(TSdl_Audio& audio);

    std::array<SoundPlayer*, Slot_Count> Slots() const;
    TSdl_Sound_Player& Probe() { return probe_; }

private:
    std::array<std::unique_ptr<TSdl_Sound_Player>, Slot_Count> slots_;
    TSdl_Sound_Player probe_;
};
