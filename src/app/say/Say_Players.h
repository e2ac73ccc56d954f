#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/SoundPlayer.h"

// A slot that decodes its file instead of playing it, so that an announcement
// can be written to one WAV file: what the listener would hear, in slot order.
class TRender_Player : public SoundPlayer {
public:
    void Open() override;
    void Close() override;
    void Play() override {}
    bool Is_Open() const override { return open_; }
    bool Is_Sounding() const override { return false; }
    const std::vector<std::int16_t>& Samples() const { return samples_; }

private:
    bool open_ = false;
    std::vector<std::int16_t> samples_;
};
