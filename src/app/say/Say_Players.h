#pragma once
#include "engine/SoundPlayer.h"

// A slot that checks its file instead of playing it, so that an announcement
// can be written to one WAV file: what the listener would hear, in slot order.
// Opening decodes the file once to find a broken one at the moment the clock
// would; the render decodes it again, a piece at a time.
class TRender_Player : public SoundPlayer {
public:
    void Open() override;
    void Close() override;
    void Play() override {}
    bool Is_Open() const override { return open_; }
    bool Is_Sounding() const override { return false; }

private:
    bool open_ = false;
};
