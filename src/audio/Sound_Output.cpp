#include "audio/Sound_Output.h"

#include <atomic>

#include <cstdlib>
#include <cstring>

#include "engine/SoundPlayer.h"
#include "audio/linux/Sdl_Sound_File.h"
#include "audio/Output_Sound_Player.h"

namespace {

// One output per program: every player's sound goes through it, one voice.
std::atomic<TSound_Output*> Open_Device{nullptr};

}  // namespace

// Runs on the audio thread. It only posts: the player is looked up later, on
// the GUI thread.
void TSound_Output::Fill_Buffer(void* device, std::uint8_t* stream, int length)
{
    auto& audio = *static_cast<TSound_Output*>(device);
    // SDL hands the buffer over as it is; silence is zero in signed samples.
    std::memset(stream, 0, static_cast<std::size_t>(length));
    const TVoice_Queue::TFinished_List finished =
        audio.voices_.Fill(std::span<std::uint8_t>(stream, static_cast<std::size_t>(length)));
    if (audio.output_tap_ != nullptr)
        audio.output_tap_(audio.output_tap_argument_, stream, length);
    for (std::size_t i = 0; i < finished.Count; ++i)
        audio.Post_Notice(finished.Items[i].Voice, finished.Items[i].Generation);
}

TSound_Output::TSound_Output(TNotice_Loop& loop, std::chrono::milliseconds close_after_silence)
    : loop_(loop), close_after_silence_(close_after_silence)
{
}

void TSound_Output::Start_Silence_Timer()
{
    loop_.Start_Timer(close_after_silence_, [this, alive = std::weak_ptr<int>(alive_)] {
        if (!alive.expired())
            Close_When_Silent();
    });
}

TSound_Output::~TSound_Output()
{
    Close_Device();
    if (closer_.joinable())
        closer_.join();
    // Nothing is reported of sounds cut off by the end; the audio thread,
    // which copies this token, has stopped.
    alive_.reset();
    loop_.Stop_Timer();
}

void TSound_Output::Close_When_Silent()
{
    if (Is_Sounding())
        Start_Silence_Timer();
    else
        Close_Device();
}

void TSound_Output::Ensure_Open()
{
    if (open_)
        return;
    TSound_Output* expected = nullptr;
    if (!Open_Device.compare_exchange_strong(expected, this))
        throw EMCIDeviceError("The sound device is already in use by another part of the program");
    // A device may not open while the last one is still closing.
    if (closer_.joinable())
        closer_.join();
    try {
        if (!Open_Server_Output())
            Open_Sdl_Output();
    } catch (const EMCIDeviceError&) {
        Open_Device.store(nullptr);
        throw;
    }
    open_ = true;
    Start_Silence_Timer();
}

// An SDL driver named in the environment is the user's (or a test's) choice.
bool TSound_Output::Open_Server_Output()
{
    if (std::getenv("SDL_AUDIODRIVER") != nullptr)
        return false;
    const TOutput_Format format = format_.Frequency != 0 ? format_ : TOutput_Format{Server_Frequency, Server_Channels};
    std::string why;
    server_ = TPulse_Output::Open(format.Frequency, format.Channels, Fill_Buffer, On_Server_Lost, this, why);
    if (!server_)
        return false;
    format_ = format;
    return true;
}

void TSound_Output::Open_Sdl_Output()
{
    if (!sdl_)
        sdl_.emplace();
    const auto fail = [this](const std::string& text) {
        sdl_.reset();
        throw EMCIDeviceError(text);
    };
    // SDL would otherwise take over SIGINT and SIGTERM and turn them into quit
    // events that nobody reads, so the program could no longer be stopped.
    (*sdl_)->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if ((*sdl_)->InitSubSystem(SDL_INIT_AUDIO) != 0)
        fail(Sdl_Error_Text());
    (*sdl_)->ClearError();
    // No format changes allowed: SDL converts for the device, and the loaded
    // sounds stay valid when the device is opened again.
    const TOutput_Format format = format_.Frequency != 0 ? format_ : TOutput_Format{Frequency, Channels};
    SDL_AudioSpec wanted{};
    wanted.freq = format.Frequency;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = static_cast<Uint8>(format.Channels);
    wanted.samples = Buffer_Frames;
    wanted.callback = Fill_Buffer;
    wanted.userdata = this;
    device_ = (*sdl_)->OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device_ == 0) {
        const std::string text = Sdl_Error_Text();
        (*sdl_)->QuitSubSystem(SDL_INIT_AUDIO);
        fail(text);
    }
    format_ = format;
    (*sdl_)->PauseAudioDevice(device_, 0);
}

void TSound_Output::Prepare()
{
    try {
        Ensure_Open();
    } catch (const EMCIDeviceError&) {
        return;
    }
    if (!Is_Sounding())
        Start_Silence_Timer();
}

void TSound_Output::Close_Device()
{
    loop_.Stop_Timer();
    if (!open_)
        return;
    // Stopped, the output fills no buffer more, so the voices are the GUI
    // thread's alone from here on.
    if (server_)
        server_->Stop_Filling();
    else
        (*sdl_)->PauseAudioDevice(device_, 1);
    voices_.Clear();
    const auto finished = [this, alive = std::weak_ptr<int>(alive_)] {
        loop_.Post([this, alive] {
            if (!alive.expired())
                Finish_Closing();
        });
    };
    if (server_)
        closer_ = std::thread([server = std::move(server_), finished]() mutable {
            server.reset();
            finished();
        });
    else
        closer_ = std::thread([&sdl = **sdl_, device = device_, finished] {
            sdl.CloseAudioDevice(device);
            sdl.QuitSubSystem(SDL_INIT_AUDIO);
            finished();
        });
    device_ = 0;
    Open_Device.store(nullptr);
    open_ = false;
}

void TSound_Output::On_Server_Lost(void* device)
{
    auto& audio = *static_cast<TSound_Output*>(device);
    audio.loop_.Post([&audio, alive = std::weak_ptr<int>(audio.alive_)] {
        if (!alive.expired())
            audio.Replace_Lost_Output();
    });
}

// The server went away (restarted, or the user logged out of it): the
// sounds waiting go on through a new output, and if none opens they are
// reported as played, so no announcement waits for ever.
void TSound_Output::Replace_Lost_Output()
{
    if (!open_ || !server_)
        return;
    server_.reset();
    Open_Device.store(nullptr);
    open_ = false;
    try {
        Ensure_Open();
    } catch (const EMCIDeviceError&) {
        Discard_Queued_Sounds();
    }
}

void TSound_Output::Discard_Queued_Sounds()
{
    std::array<std::uint8_t, 4096> scratch{};
    while (!voices_.Empty()) {
        const TVoice_Queue::TFinished_List finished = voices_.Fill(scratch);
        for (std::size_t i = 0; i < finished.Count; ++i)
            Post_Notice(finished.Items[i].Voice, finished.Items[i].Generation);
    }
}

// SDL is unloaded from the GUI thread, whose error texts SDL_Quit frees.
void TSound_Output::Finish_Closing()
{
    if (open_ || !closer_.joinable())
        return;
    closer_.join();
    sdl_.reset();
}

int TSound_Output::Attach(TOutput_Sound_Player& player)
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

void TSound_Output::Detach(int channel)
{
    Stop(channel);
    players_.at(static_cast<std::size_t>(channel)) = nullptr;
}

std::uint32_t TSound_Output::New_Generation()
{
    if (++last_generation_ == 0)
        ++last_generation_;
    return last_generation_;
}

void TSound_Output::Post_Notice(int channel, std::uint32_t generation)
{
    loop_.Post([this, alive = std::weak_ptr<int>(alive_), channel, generation] {
        if (!alive.expired())
            Deliver_Notice(channel, generation);
    });
}

void TSound_Output::Request_Play(int channel, std::span<const std::int16_t> sound, std::uint32_t generation)
{
    Ensure_Open();
    const bool after_silence = voices_.Empty();
    voices_.Enqueue(channel,
                    std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(sound.data()), sound.size_bytes()),
                    generation);
    if (after_silence && server_)
        server_->Start_Now();
}

void TSound_Output::Set_Output_Tap(void (*tap)(void* argument, std::uint8_t* stream, int length), void* argument)
{
    if (server_)
        server_->Lock();
    else if (open_)
        (*sdl_)->LockAudioDevice(device_);
    output_tap_ = tap;
    output_tap_argument_ = argument;
    if (server_)
        server_->Unlock();
    else if (open_)
        (*sdl_)->UnlockAudioDevice(device_);
}

bool TSound_Output::Is_Sounding(int channel) const
{
    return open_ && voices_.Contains(channel);
}

bool TSound_Output::Is_Sounding() const
{
    return open_ && !voices_.Empty();
}

void TSound_Output::Stop(int channel)
{
    voices_.Remove(channel);
}

void TSound_Output::Deliver_Notice(int channel, std::uint32_t generation)
{
    if (open_ && !Is_Sounding())
        Start_Silence_Timer();
    TOutput_Sound_Player* player = players_[static_cast<std::size_t>(channel)];
    if (player != nullptr)
        player->Notice(generation);
}
