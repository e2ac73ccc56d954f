#pragma once
#include <array>
#include <string>

#include "engine/Random_Source.h"
#include "engine/SoundPlayer.h"
#include "engine/SpokenTime.h"
#include "settings/ClockSettings.h"

// What the engine needs of the window that owns it.
class TEngine_Host {
public:
    virtual ~TEngine_Host() = default;
    // Let pending window messages (ticks, clicks, completion notices) run.
    virtual void Process_Messages() = 0;
    // A modal error box (caption "Error", one OK button); returns when closed.
    virtual void Show_Error_Box(const std::string& text) = 0;
    // The idle flag: set while no announcement is being loaded or played.
    virtual bool Is_Idle() const = 0;
    virtual void Set_Idle(bool idle) = 0;
    // Whether sound devices can be opened shareable (the activation probe's result).
    virtual bool Shareable_Sound() const = 0;
    virtual void Set_Shareable_Sound(bool shareable) = 0;
};

constexpr int Slot_Count = 7;
