#pragma once
#include <initializer_list>
#include <string>
#include <vector>

#include "engine/Announcement_Engine.h"
#include "settings/ClockSettings.h"
#include "support/Fake_Engine_Host.h"
#include "support/Fake_Sound_Player.h"
#include "support/Temp_Dir.h"

// An announcement engine on fake slots, with a sound directory and a program
// directory of its own. Settings start at the defaults: 12-hour clock,
// sequential play, fixed prefix and suffix, spoken words, no missing-file box.
struct TAnnouncement_Engine_Rig {
    TTemp_Dir Sound_Dir;
    TTemp_Dir Program_Dir;
    ClockSettings Settings;
    TFake_Sound_System Sounds;
    TFake_Engine_Host Host;
    TSeeded_Random Random;
    TAnnouncement_Engine Engine;

    TAnnouncement_Engine_Rig();

    // Creates "<word>.WAV" for each word in `dir`.
    static void Write_Words(const TTemp_Dir& dir, std::initializer_list<std::string> words);
    // The bare file name each slot holds, slot 1 to 7 ("" for an empty slot).
    std::vector<std::string> Slot_Files();
};
