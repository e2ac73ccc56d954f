#include "audio/linux/Sdl_Output.h"

#include "engine/SoundPlayer.h"

#include "audio/linux/Sdl_Sound_File.h"

TSdl_Output::TSdl_Output(TOutput_Format& format, TFill fill, void* argument)
{
    // SDL would otherwise take over SIGINT and SIGTERM and turn them into quit
    // events that nobody reads, so the program could no longer be stopped.
    sdl_->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (sdl_->InitSubSystem(SDL_INIT_AUDIO) != 0)
        throw EMCIDeviceError(Sdl_Error_Text());
    sdl_->ClearError();
    const TOutput_Format wanted_format = format.Frequency != 0 ? format : Default_Format;
    SDL_AudioSpec wanted{};
    wanted.freq = wanted_format.Frequency;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = static_cast<Uint8>(wanted_format.Channels);
    wanted.samples = Buffer_Frames;
    wanted.callback = fill;
    wanted.userdata = argument;
    // No format changes allowed: SDL converts for the device.
    device_ = sdl_->OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device_ == 0) {
        const std::string text = Sdl_Error_Text();
        sdl_->QuitSubSystem(SDL_INIT_AUDIO);
        throw EMCIDeviceError(text);
    }
    format = wanted_format;
    sdl_->PauseAudioDevice(device_, 0);
}

TSdl_Output::~TSdl_Output()
{
    Close();
}

void TSdl_Output::Stop_Filling()
{
    sdl_->PauseAudioDevice(device_, 1);
}

void TSdl_Output::Lock()
{
    sdl_->LockAudioDevice(device_);
}

void TSdl_Output::Unlock()
{
    sdl_->UnlockAudioDevice(device_);
}

void TSdl_Output::Close()
{
    if (device_ == 0)
        return;
    sdl_->CloseAudioDevice(device_);
    sdl_->QuitSubSystem(SDL_INIT_AUDIO);
    device_ = 0;
}
