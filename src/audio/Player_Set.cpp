#include "audio/Player_Set.h"

TPlayer_Set::TPlayer_Set(TSound_Output& audio) : probe_(audio)
{
    for (auto& slot : slots_)
        slot = std::make_unique<TOutput_Sound_Player>(audio);
}

std::array<SoundPlayer*, Slot_Count> TPlayer_Set::Slots() const
{
    std::array<SoundPlayer*, Slot_Count> slots{};
    for (std::size_t i = 0; i < slots_.size(); ++i)
        slots[i] = slots_[i].get();
    return slots;
}
