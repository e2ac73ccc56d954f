#pragma once
#include <array>
#include <optional>
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

// The announcement engine: composes an announcement, loads its files into the
// seven sound-player slots and lets their completion notices carry the sound
// from slot to slot. Everything runs on the GUI thread.
class TAnnouncement_Engine {
public:
    // The slots and the probe player are owned by the caller and must outlive
    // the engine; the engine installs its completion handlers on the slots.
    TAnnouncement_Engine(ClockSettings& settings, TEngine_Host& host, std::array<SoundPlayer*, Slot_Count> slots,
                         SoundPlayer& probe_player, TRandom_Source& random, std::string program_directory);
    // Takes the completion handlers off the slots again, which outlive the engine.
    ~TAnnouncement_Engine();
    TAnnouncement_Engine(const TAnnouncement_Engine&) = delete;
    TAnnouncement_Engine& operator=(const TAnnouncement_Engine&) = delete;

    // Speaks hour:minute (24-hour) unless an announcement is in progress.
    void Say_Time(int hour, int minute);

    // Loads and starts the announcement by the configured play method. A file
    // that fails to open is left out and its device error raised at the end.
    void Play_Spoken_Time(const SpokenTime& spoken);
    void Load_Sound_File(const std::string& name, bool reset);
    void Start_First_Slot();

    void MediaPlayer1Notify();
    void MediaPlayer2Notify();
    void MediaPlayer3Notify();
    void MediaPlayer4Notify();
    void MediaPlayer5Notify();
    void MediaPlayer6Notify();
    void MediaPlayer7Notify();

    // Whether "testsnd.wav" can be opened shareable; records the answer in the
    // host. Uses the probe player, so an announcement in progress is untouched.
    void Test_Shareability();

    // Plays "testsnd.wav" at the current volume on the probe player, whose
    // notices move no announcement on. Throws EMCIDeviceError when it cannot.
    void Play_Test_Sound();

    SoundPlayer& Slot(int number) const { return *slots_.at(static_cast<std::size_t>(number - 1)); }

private:
    ClockSettings& settings_;
    TEngine_Host& host_;
    std::array<SoundPlayer*, Slot_Count> slots_;
    SoundPlayer& probe_player_;
    TRandom_Source& random_;
    std::string program_directory_;

    // Key of each file loaded since the last reset; entry k belongs to slot k.
    std::array<std::string, 20> loaded_sound_keys_;
    // Set while an announcement's files are loaded and started. Notices that
    // come meanwhile move the chain on but never free the clock: a tick let in
    // by the loader would otherwise start a new announcement over this one.
    bool loading_ = false;
    // The first device error of the announcement in progress, held back so
    // that the rest of the announcement still loads and plays.
    std::optional<EMCIDeviceError> device_error_;

    // Play_Spoken_Time without raising the held-back device error.
    void Load_And_Start(const SpokenTime& spoken);
    void Load_And_Start_Steps(const SpokenTime& spoken);
    void Notify_Slot(int number);
    // The idle flag comes back only once the last sound has died away, so an
    // announcement whose notices run ahead of its sound is never cut short.
    void Set_Idle_When_Silent();
    void Reset_Slots();
    // Names "testsnd.wav" in the probe player, at the current volume.
    void Load_Test_Sound();
    void Load_Into_Free_Slot(const std::string& path);
};
