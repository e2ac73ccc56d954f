#pragma once
#include <array>
#include <memory>

#include "engine/Announcement_Engine.h"
#include "audio/Output_Sound_Player.h"

// The seven slots of an announcement and the shareability probe, all on one
// device, as the announcement engine takes them.
class TPlayer_Set {
public:
    explicit TPlayer_Set(TSound_Output& audio);

    std::array<SoundPlayer*, Slot_Count> Slots() const;
    TOutput_Sound_Player& Probe() { return probe_; }

private:
    std::array<std::unique_ptr<TOutput_Sound_Player>, Slot_Count> slots_;
    TOutput_Sound_Player probe_;
};
