#pragma once
#include <cstdint>
#include <vector>

#include "engine/SoundPlayer.h"

class TSound_Output;

// A sound-player slot on the sound output: Open decodes the whole WAV file
// into memory in the output's format, Play queues it on the output's voice
// queue, and the end of the sound comes back as a notice on the GUI thread.
// The output plays one sound after another and never refuses a second
// player, so `Shareable` changes nothing here.
class TOutput_Sound_Player : public SoundPlayer {
public:
    explicit TOutput_Sound_Player(TSound_Output& audio);
    ~TOutput_Sound_Player() override;
    TOutput_Sound_Player(const TOutput_Sound_Player&) = delete;
    TOutput_Sound_Player& operator=(const TOutput_Sound_Player&) = delete;

    void Open() override;
    void Close() override;
    void Play() override;
    bool Is_Open() const override { return open_; }
    bool Is_Sounding() const override;

private:
    // A completion notice reaching the GUI thread; one of an earlier opening is dropped.
    void Notice(std::uint32_t generation);

    TSound_Output& audio_;
    int voice_;
    bool open_ = false;
    std::vector<std::int16_t> samples_;
    std::uint32_t generation_ = 0;
};
