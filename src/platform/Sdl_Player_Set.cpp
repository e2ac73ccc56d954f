#include "platform/Sdl_Player_Set.h"

TSdl_Player_Set::TSdl_Player_Set(TSdl_Audio& audio) : probe_(audio)
{
    for (auto& slot : slots_)
        slot = std::make_unique<TSdl_Sound_Player>(audio);
}

std::array<SoundPlayer*, Slot_Count> TSdl_Player_Set::Slots() const
{
    std::array<SoundPlayer*, Slot_Count> slots{};
    for (std::size_t i = 0; i < slots_.size(); ++i)
        slots[i] = slots_[i].get();
    return slots;
}
