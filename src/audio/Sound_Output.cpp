#include "audio/Sound_Output.h"

#include <atomic>

#include <cstring>

#include "engine/SoundPlayer.h"

namespace {

// One output per program: every player's sound goes through it, one voice.
std::atomic<TSound_Output*> Open_Device{nullptr};

}  // namespace

// Runs on the audio thread. It only posts: the player is looked up later, on
// the GUI thread.
void TSound_Output::Fill_Buffer(void* output, std::uint8_t* stream, int length)
{
    auto& audio = *static_cast<TSound_Output*>(output);
    // Some devices hand the buffer over as it is; silence is zero in signed samples.
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
    lost_ = false;
    Open_If_Closed();
}

void TSound_Output::Open_If_Closed()
{
    if (device_)
        return;
    TSound_Output* expected = nullptr;
    if (!Open_Device.compare_exchange_strong(expected, this))
        throw EMCIDeviceError("The sound device is already in use by another part of the program");
    // A device may not open while the last one is still closing. It is
    // released only after the new one opened, so a library both load stays.
    if (closer_.joinable())
        closer_.join();
    try {
        device_ = Open_Output_Device(format_, Fill_Buffer, On_Device_Lost, this);
    } catch (const EMCIDeviceError&) {
        Open_Device.store(nullptr);
        throw;
    }
    closing_device_.reset();
    Start_Silence_Timer();
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
    if (!device_)
        return;
    // Stopped, the device fills no buffer more, so the voices are the GUI
    // thread's alone from here on.
    device_->Stop_Filling();
    voices_.Clear();
    closing_device_ = std::move(device_);
    closer_ = std::thread([device = closing_device_.get(), this, alive = std::weak_ptr<int>(alive_)] {
        device->Close();
        loop_.Post([this, alive] {
            if (!alive.expired())
                Finish_Closing();
        });
    });
    Open_Device.store(nullptr);
}

void TSound_Output::On_Device_Lost(void* output)
{
    auto& audio = *static_cast<TSound_Output*>(output);
    audio.loop_.Post([&audio, alive = std::weak_ptr<int>(audio.alive_)] {
        if (!alive.expired())
            audio.Replace_Lost_Device();
    });
}

// The server went away (restarted, or the user logged out of it): the
// sounds waiting go on through a new device. If none opens they are
// reported as played, so no announcement waits for ever, and the sound cut
// off is reported by its file; the system's text for the failed opening
// would not say that anything had been playing.
void TSound_Output::Replace_Lost_Device()
{
    if (!device_)
        return;
    const bool hangs = device_->Hangs();
    device_.reset();
    Open_Device.store(nullptr);
    if (!hangs) {
        try {
            Open_If_Closed();
            return;
        } catch (const EMCIDeviceError&) {
        }
    }
    const int cut_off = Discard_Queued_Sounds();
    if (cut_off < 0)
        return;
    lost_ = true;
    throw EMCIDeviceError(Sound_Lost_Text, file_names_[static_cast<std::size_t>(cut_off)]);
}

int TSound_Output::Discard_Queued_Sounds()
{
    int first = -1;
    std::array<std::uint8_t, 4096> scratch{};
    while (!voices_.Empty()) {
        const TVoice_Queue::TFinished_List finished = voices_.Fill(scratch);
        for (std::size_t i = 0; i < finished.Count; ++i) {
            if (first < 0)
                first = finished.Items[i].Voice;
            Post_Notice(finished.Items[i].Voice, finished.Items[i].Generation);
        }
    }
    return first;
}

// The device is released on the GUI thread: SDL_Quit frees that thread's
// error texts.
void TSound_Output::Finish_Closing()
{
    if (device_ || !closer_.joinable())
        return;
    closer_.join();
    closing_device_.reset();
}

int TSound_Output::Attach(TNotice on_notice)
{
    for (int voice = 0; voice < Voice_Count; ++voice) {
        auto& listener = listeners_[static_cast<std::size_t>(voice)];
        if (!listener) {
            listener = std::move(on_notice);
            return voice;
        }
    }
    throw EMCIDeviceError("Too many sound players for one sound device");
}

void TSound_Output::Detach(int voice)
{
    Stop(voice);
    listeners_.at(static_cast<std::size_t>(voice)) = nullptr;
}

std::uint32_t TSound_Output::New_Generation()
{
    if (++last_generation_ == 0)
        ++last_generation_;
    return last_generation_;
}

void TSound_Output::Post_Notice(int voice, std::uint32_t generation)
{
    loop_.Post([this, alive = std::weak_ptr<int>(alive_), voice, generation] {
        if (!alive.expired())
            Deliver_Notice(voice, generation);
    });
}

void TSound_Output::Request_Play(int voice, std::span<const std::int16_t> sound, std::uint32_t generation,
                                 const std::string& file_name)
{
    if (lost_ && !device_) {
        Post_Notice(voice, generation);
        return;
    }
    Open_If_Closed();
    file_names_[static_cast<std::size_t>(voice)] = file_name;
    const bool after_silence = voices_.Empty();
    voices_.Enqueue(voice,
                    std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(sound.data()), sound.size_bytes()),
                    generation);
    if (after_silence)
        device_->Start_Now();
}

void TSound_Output::Set_Output_Tap(void (*tap)(void* argument, std::uint8_t* stream, int length), void* argument)
{
    if (device_)
        device_->Lock();
    output_tap_ = tap;
    output_tap_argument_ = argument;
    if (device_)
        device_->Unlock();
}

bool TSound_Output::Is_Sounding(int voice) const
{
    return device_ && voices_.Contains(voice);
}

bool TSound_Output::Is_Sounding() const
{
    return device_ && !voices_.Empty();
}

void TSound_Output::Stop(int voice)
{
    voices_.Remove(voice);
}

void TSound_Output::Deliver_Notice(int voice, std::uint32_t generation)
{
    if (device_ && !Is_Sounding())
        Start_Silence_Timer();
    // A copy: the player may go, and detach, while its notice runs.
    const TNotice listener = listeners_[static_cast<std::size_t>(voice)];
    if (listener)
        listener(generation);
}
