#include "audio/Output_Sound_Player.h"

#include "engine/Volume.h"
#include "audio/Sound_Output.h"
#include "audio/Wav_Render.h"

TOutput_Sound_Player::TOutput_Sound_Player(TSound_Output& audio) : audio_(audio), voice_(audio.Attach([this](std::uint32_t generation) { Notice(generation); })) {}

TOutput_Sound_Player::~TOutput_Sound_Player()
{
    Close();
    audio_.Detach(voice_);
}

void TOutput_Sound_Player::Open()
{
    Close();
    audio_.Ensure_Open();
    std::string error_text;
    const TOutput_Format format = audio_.Output_Format();
    if (!Decode_Wav(FileName, format.Frequency, format.Channels, samples_, error_text)) {
        samples_.clear();
        throw EMCIDeviceError(error_text, FileName);
    }
    // Scaled here, before the voice queue copies it into the device's buffers.
    Apply_Volume(samples_, Volume_Percent);
    open_ = true;
    generation_ = audio_.New_Generation();
}

void TOutput_Sound_Player::Close()
{
    if (!open_)
        return;
    // Halting a sound reports nothing, and a notice already on its way is
    // dropped by its generation.
    audio_.Stop(voice_);
    // Swapped out, not cleared: a closed slot keeps no memory of its last sound.
    std::vector<std::int16_t>().swap(samples_);
    open_ = false;
    generation_ = 0;
}

void TOutput_Sound_Player::Play()
{
    if (!open_)
        throw EMCIDeviceError("No MCI device open");
    if (Is_Sounding()) {
        // The earlier request is superseded: its notice comes now, and the
        // sound plays on to give the notice of this one.
        audio_.Post_Notice(voice_, generation_);
        return;
    }
    audio_.Request_Play(voice_, samples_, generation_, FileName);
}

bool TOutput_Sound_Player::Is_Sounding() const
{
    return open_ && audio_.Is_Sounding(voice_);
}

void TOutput_Sound_Player::Notice(std::uint32_t generation)
{
    if (!open_ || generation != generation_ || !OnNotify)
        return;
    // A copy, because the handler may replace OnNotify while it runs.
    const auto handler = OnNotify;
    handler();
}
