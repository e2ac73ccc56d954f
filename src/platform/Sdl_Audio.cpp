#include "platform/Sdl_Audio.h"

#include <algorithm>
#include <utility>

#include <SDL.h>
#include <SDL_mixer.h>

#include "engine/SoundPlayer.h"
#include "platform/Sdl_Sound_File.h"
#include "platform/Sdl_Sound_Player.h"

namespace {

// SDL_mixer's channel-finished hook is a plain C function pointer without a
// user argument, so the open device has to be reachable from a static. It is
// set before the audio thread starts and cleared after it has stopped.
std::atomic<TSdl_Audio*> Open_Device{nullptr};

}  // namespace

// Runs on the audio thread, or synchronously inside Mix_HaltChannel. It only
// posts: the player is looked up later, on the GUI thread.
void TSdl_Audio::Channel_Finished(int channel)
{
    TSdl_Audio* device = Open_Device.load();
    if (device == nullptr || channel < 0 || channel >= TSdl_Audio::Channel_Count)
        return;
    const std::uint32_t generation = device->generations_[static_cast<std::size_t>(channel)].load();
    if (generation != 0)
        device->Post_Notice(channel, generation);
}

TSdl_Audio::TSdl_Audio(std::chrono::milliseconds close_after_silence)
{
    silence_timer_.setSingleShot(true);
    silence_timer_.setInterval(close_after_silence);
    QObject::connect(&silence_timer_, &QTimer::timeout, &notice_target_, [this] { Close_When_Silent(); });
}

TSdl_Audio::~TSdl_Audio()
{
    // Nothing is reported of sounds cut off by the end.
    for (auto& generation : generations_)
        generation.store(0);
    Close_Device();
}

void TSdl_Audio::Close_When_Silent()
{
    if (Is_Sounding())
        silence_timer_.start();
    else
        Close_Device();
}

void TSdl_Audio::Ensure_Open()
{
    if (open_)
        return;
    TSdl_Audio* expected = nullptr;
    if (!Open_Device.compare_exchange_strong(expected, this))
        throw EMCIDeviceError("The sound device is already in use by another part of the program");
    // SDL would otherwise take over SIGINT and SIGTERM and turn them into quit
    // events that nobody reads, so the program could no longer be stopped.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        Open_Device.store(nullptr);
        throw EMCIDeviceError(Sdl_Error_Text());
    }
    SDL_ClearError();
    // No format changes allowed: SDL converts for the device, and the loaded
    // sounds stay valid when the device is opened again.
    if (Mix_OpenAudioDevice(44100, AUDIO_S16SYS, 2, Buffer_Frames, nullptr, 0) != 0) {
        const std::string text = Sdl_Error_Text();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        Open_Device.store(nullptr);
        throw EMCIDeviceError(text);
    }
    Mix_AllocateChannels(Channel_Count);
    Mix_ChannelFinished(Channel_Finished);
    Uint16 sample_format = 0;
    Mix_QuerySpec(&format_.Frequency, &sample_format, &format_.Channels);
    open_ = true;
    silence_timer_.start();
}

void TSdl_Audio::Close_Device()
{
    silence_timer_.stop();
    if (!open_)
        return;
    waiting_.clear();
    waiting_chunks_.fill(nullptr);
    Mix_HaltChannel(-1);
    Mix_ChannelFinished(nullptr);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    Open_Device.store(nullptr);
    open_ = false;
}

int TSdl_Audio::Attach(TSdl_Sound_Player& player)
{
    for (int channel = 0; channel < Channel_Count; ++channel) {
        auto& owner = players_[static_cast<std::size_t>(channel)];
        if (owner == nullptr) {
            owner = &player;
            return channel;
        }
    }
    throw EMCIDeviceError("Too many sound players for one sound device");
}

void TSdl_Audio::Detach(int channel)
{
    Stop(channel);
    Set_Generation(channel, 0);
    players_.at(static_cast<std::size_t>(channel)) = nullptr;
}

std::uint32_t TSdl_Audio::New_Generation()
{
    if (++last_generation_ == 0)
        ++last_generation_;
    return last_generation_;
}

void TSdl_Audio::Set_Generation(int channel, std::uint32_t generation)
{
    generations_.at(static_cast<std::size_t>(channel)).store(generation);
}

void TSdl_Audio::Post_Notice(int channel, std::uint32_t generation)
{
    QMetaObject::invokeMethod(
        &notice_target_, [this, channel, generation] { Deliver_Notice(channel, generation); },
        Qt::QueuedConnection);
}

bool TSdl_Audio::Request_Play(int channel, Mix_Chunk* chunk)
{
    Ensure_Open();
    if (Mix_Playing(-1) > 0 || !waiting_.empty()) {
        waiting_chunks_.at(static_cast<std::size_t>(channel)) = chunk;
        waiting_.push_back(channel);
        return true;
    }
    SDL_ClearError();
    return Mix_PlayChannel(channel, chunk, 0) >= 0;
}

bool TSdl_Audio::Is_Waiting(int channel) const
{
    return std::find(waiting_.begin(), waiting_.end(), channel) != waiting_.end();
}

bool TSdl_Audio::Is_Sounding() const
{
    return open_ && (!waiting_.empty() || Mix_Playing(-1) > 0);
}

void TSdl_Audio::Stop(int channel)
{
    std::erase(waiting_, channel);
    waiting_chunks_.at(static_cast<std::size_t>(channel)) = nullptr;
    if (!open_ || Mix_Playing(channel) == 0)
        return;
    Mix_HaltChannel(channel);
    // Later, so that closing every slot at once starts none of them on the way.
    QMetaObject::invokeMethod(&notice_target_, [this] { Start_Waiting(); }, Qt::QueuedConnection);
}

void TSdl_Audio::Start_Waiting()
{
    while (!waiting_.empty() && Mix_Playing(-1) == 0) {
        const int channel = waiting_.front();
        waiting_.pop_front();
        Mix_Chunk* chunk = std::exchange(waiting_chunks_[static_cast<std::size_t>(channel)], nullptr);
        SDL_ClearError();
        if (Mix_PlayChannel(channel, chunk, 0) < 0) {
            TSdl_Sound_Player* player = players_[static_cast<std::size_t>(channel)];
            if (player != nullptr)
                player->Play_Failed(Sdl_Error_Text());
        }
    }
}

void TSdl_Audio::Deliver_Notice(int channel, std::uint32_t generation)
{
    Start_Waiting();
    if (open_ && !Is_Sounding())
        silence_timer_.start();
    TSdl_Sound_Player* player = players_[static_cast<std::size_t>(channel)];
    if (player != nullptr)
        player->Notice(generation);
}
