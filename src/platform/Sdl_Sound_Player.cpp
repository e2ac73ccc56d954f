#include "platform/Sdl_Sound_Player.h"

#include <SDL_mixer.h>

#include "platform/Sdl_Audio.h"
#include "platform/Sdl_Sound_File.h"

TSdl_Sound_Player::TSdl_Sound_Player(TSdl_Audio& audio) : audio_(audio), channel_(audio.Attach(*this)) {}

TSdl_Sound_Player::~TSdl_Sound_Player()
{
    Close();
    audio_.Detach(channel_);
}

void TSdl_Sound_Player::Open()
{
    Close();
    audio_.Ensure_Open();
    std::string error_text;
    const TSound_File file = Open_Sound_File(FileName, error_text);
    if (!file)
        throw EMCIDeviceError(error_text, FileName);
    SDL_ClearError();
    Mix_Chunk* chunk = Mix_LoadWAV_RW(file.get(), 0);
    if (chunk == nullptr)
        throw EMCIDeviceError(Sdl_Error_Text(), FileName);
    if (chunk->alen == 0) {
        Mix_FreeChunk(chunk);
        throw EMCIDeviceError(No_Sound_Data_Text, FileName);
    }
    chunk_ = chunk;
    generation_ = audio_.New_Generation();
}

void TSdl_Sound_Player::Close()
{
    if (chunk_ == nullptr)
        return;
    // Halting a sound reports nothing, and a notice already on its way is
    // dropped by its generation.
    audio_.Stop(channel_);
    Mix_FreeChunk(chunk_);
    chunk_ = nullptr;
    generation_ = 0;
}

void TSdl_Sound_Player::Play()
{
    if (chunk_ == nullptr)
        throw EMCIDeviceError("No MCI device open");
    if (Is_Sounding()) {
        // The earlier request is superseded: its notice comes now, and the
        // sound plays on to give the notice of this one.
        audio_.Post_Notice(channel_, generation_);
        return;
    }
    audio_.Request_Play(channel_, *chunk_, generation_);
}

bool TSdl_Sound_Player::Is_Sounding() const
{
    return chunk_ != nullptr && audio_.Is_Sounding(channel_);
}

void TSdl_Sound_Player::Notice(std::uint32_t generation)
{
    if (chunk_ == nullptr || generation != generation_ || !OnNotify)
        return;
    // A copy, because the handler may replace OnNotify while it runs.
    const auto handler = OnNotify;
    handler();
}
