#pragma once
#include <functional>
#include <memory>
#include <string>

#include "clock/Clock_Source.h"
#include "engine/Random_Source.h"
#include "engine/SoundPlayer.h"
#include "system/Run_Values.h"
#include "system/Second_Timer.h"

// What the main window is given by the program entry (or by a test).
struct TMain_Form_Services {
    // The slot number 1 to 7, or Probe_Player_Number for the shareability probe.
    static constexpr int Probe_Player_Number = 0;
    // The voice recorder's, for hearing a take back.
    static constexpr int Recorder_Player_Number = 8;

    std::shared_ptr<const TClock_Source> Clock;
    // Makes the timer that wakes the window at each whole second, for a
    // `Clock` that reads the system's time. Empty (a test's clock): the tick
    // runs on a plain timer whose delay is counted from `Clock`.
    std::function<std::unique_ptr<TSecond_Timer>(std::function<void()> on_wake)> Make_Second_Timer;
    // Called once per player while the window is built: slots 1 to 7, then the probe.
    std::function<std::shared_ptr<SoundPlayer>(int player_number)> Make_Sound_Player;
    // Opens the sound device ahead of a due announcement (the silence close may
    // have shut it), so the first word is not held up by the opening. May be empty.
    std::function<void()> Prepare_Sound_Device;
    std::shared_ptr<TSeeded_Random> Random;
    std::string Program_Directory;  // with its trailing delimiter
    std::string Settings_Path;
    // The running executable, named in the log-on entry and naming the readme.
    std::string Executable_Path;
    // Where the log-on entry lives.
    TRun_Key Auto_Run_Key;
    std::string Version;
    // Where the menu bar's height is remembered between starts; empty: nowhere,
    // and the window measures its menu bar before it is mapped.
    std::string Menu_Bar_Memory_Path;
    // Returns once text can be measured without reading the font configuration
    // a second time (it may be read ahead on another thread). May be empty.
    std::function<void()> Wait_For_Fonts;
};
