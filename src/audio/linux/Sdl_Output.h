#pragma once
#include <cstdint>
#include <memory>

#include "audio/Output_Device.h"
#include "audio/linux/Sdl_Library.h"

// SDL's audio output, for where no sound server answers or SDL_AUDIODRIVER
// names one of SDL's drivers. SDL stays loaded while the object lives; it
// is destroyed on the thread that handles the program's messages, since
// SDL_Quit frees that thread's error texts.
class TSdl_Output final : public TOutput_Device {
public:
    // Frames per buffer of SDL's device (5.8 ms): the first sound waits for
    // the next buffer, and the sound server holds about one more. 512 made
    // an announcement start 18 ms after its second and horavox-say slower
    // than saytime; 256 gives 12 ms and keeps the joins within a millisecond.
    static constexpr int Buffer_Frames = 256;
    // The format SDL's output runs in when none is set: SDL converts for the
    // device, so the decoded sounds stay valid when it opens again.
    static constexpr TOutput_Format Default_Format{44100, 2};

    // Throws EMCIDeviceError with SDL's text.
    TSdl_Output(TOutput_Format& format, TFill fill, void* argument);
    ~TSdl_Output() override;
    TSdl_Output(const TSdl_Output&) = delete;
    TSdl_Output& operator=(const TSdl_Output&) = delete;

    void Stop_Filling() override;
    void Start_Now() override {}
    void Lock() override;
    void Unlock() override;
    // SDL's PulseAudio driver takes up to two seconds to close: its thread
    // sleeps until the server next asks for sound before it sees the close.
    void Close() override;

private:
    TSdl_Use sdl_;
    std::uint32_t device_ = 0;
};
