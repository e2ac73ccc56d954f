#pragma once
#include <array>
#include <cstddef>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/SoundPlayer.h"

class TFake_Sound_System;

// A sound-player slot without sound. It writes what is asked of it into its
// system's event log and "plays" until the test ends the sound; its completion
// notices wait in the system's queue until the test releases them.
class TFake_Sound_Player : public SoundPlayer {
public:
    TFake_Sound_Player(TFake_Sound_System& system, std::string label);

    // Fails like a device for a file that is not there under exactly this
    // spelling, and for the names the test marked with Fail_Open.
    void Open() override;
    void Close() override;
    // A request that finds the sound still playing lets it play on and queues
    // the notice of the earlier request at once (superseded).
    void Play() override;
    bool Is_Open() const override { return open_; }
    bool Is_Sounding() const override { return playing_; }
    bool Is_Playing() const { return playing_; }
    const std::string& Label() const { return label_; }
    // The sound reaches its end: its notice joins the queue.
    void Finish();

private:
    TFake_Sound_System& system_;
    std::string label_;
    bool open_ = false;
    bool playing_ = false;
};

// Seven slots and a probe player sharing one event log and one notice queue.
// Log entries: "open3", "open3 failed", "play1", "play2 failed", "close4",
// "notify1"; the probe's label is "probe".
class TFake_Sound_System {
public:
    TFake_Sound_System();
    TFake_Sound_System(const TFake_Sound_System&) = delete;
    TFake_Sound_System& operator=(const TFake_Sound_System&) = delete;

    std::array<SoundPlayer*, 7> Slots();
    TFake_Sound_Player& Slot(int number);
    TFake_Sound_Player& Probe() { return probe_; }

    // Open of a file whose last path component is `file_name` throws
    // EMCIDeviceError with `text`.
    void Fail_Open(const std::string& file_name, const std::string& text);
    // The failure text for `path`, if the test asked for one.
    const std::string* Open_Failure(const std::string& path) const;

    std::vector<std::string> Log;
    void Record(const std::string& event) { Log.push_back(event); }

    void Queue_Notice(TFake_Sound_Player& player) { notices_.push_back(&player); }
    std::size_t Queued_Notices() const { return notices_.size(); }
    // Runs the OnNotify of the oldest queued notice; false when none waits.
    bool Release_Next_Notice();
    void Release_All_Notices();
    // The sound of slot `number` ends, and every queued notice is released.
    void Finish_Sound(int number);
    // Lets the announcement play to its end: releases queued notices and ends
    // the sound of the lowest playing slot, until nothing plays or waits.
    void Play_Out();

private:
    std::vector<std::unique_ptr<TFake_Sound_Player>> slots_;
    TFake_Sound_Player probe_;
    std::deque<TFake_Sound_Player*> notices_;
    std::map<std::string, std::string> open_failures_;
};
