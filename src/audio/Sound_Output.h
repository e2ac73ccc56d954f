#pragma once
#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <thread>

#include "audio/Notice_Loop.h"
#include "audio/linux/Pulse_Output.h"
#include "audio/linux/Sdl_Library.h"
#include "audio/Voice_Queue.h"

class TOutput_Sound_Player;

// The program's one sound output, shared by every sound player: the sound
// server's own client API where a PulseAudio or PipeWire server answers, and
// SDL's output otherwise, or where SDL_AUDIODRIVER names one of SDL's drivers.
// It is opened when a player first needs it, closed again once it has been
// silent for a while (an open device mixes silence all the time and keeps
// the sound server busy between announcements), opened again by the next
// sound, and closed for good when the object goes, which must be after every
// player attached to it. Only one may be open at a time. It runs in one
// format, chosen at the first opening, so sounds decoded under one opening
// play unchanged under the next.
//
// The device's buffers are filled by a voice queue of our own. Each attached
// player owns one voice of it for its whole life, so a voice number names a
// player without any lookup on the audio thread. No mixer library: one
// would load a dozen codec libraries at every start for nothing but WAV
// files.
//
// The device speaks with one voice: a sound asked to play while another is
// sounding waits for it, in the order of the requests, and starts on the very
// frame after it. The announcement's chain of notices starts the next word
// while the current one still sounds (a request on a playing slot is answered
// at once), so the next word is already waiting when the current one ends.
class TSound_Output {
public:
    // Enough for the seven slots, the shareability probe and a few more.
    static constexpr int Channel_Count = TVoice_Queue::Voice_Count;
    // Frames per buffer of SDL's device (5.8 ms): the first sound waits for the next
    // buffer, and the sound server holds about one more. 512 made an
    // announcement start 18 ms after its second and horavox-say slower than
    // saytime; 256 gives 12 ms and keeps the joins within a millisecond.
    static constexpr int Buffer_Frames = 256;
    // The format of SDL's output: signed 16-bit, as every output is.
    static constexpr int Frequency = 44100;
    static constexpr int Channels = 2;
    // The format on a sound server, which converts for its device: the
    // format of the voice pack and of a rendered announcement, so the voice
    // is played as it is recorded, and as horavox-say --wav writes it.
    static constexpr int Server_Frequency = 22050;
    static constexpr int Server_Channels = 1;

    struct TOutput_Format {
        int Frequency = 0;
        int Channels = 0;
    };

    static constexpr std::chrono::milliseconds Default_Close_After_Silence{10'000};

    // Notices and the silence timer on the Qt event loop of this thread.
    explicit TSound_Output(std::chrono::milliseconds close_after_silence = Default_Close_After_Silence);
    // The same on `loop`, which must outlive the output.
    explicit TSound_Output(TNotice_Loop& loop,
                        std::chrono::milliseconds close_after_silence = Default_Close_After_Silence);
    ~TSound_Output();
    TSound_Output(const TSound_Output&) = delete;
    TSound_Output& operator=(const TSound_Output&) = delete;

    // Opens the device unless it is open; throws EMCIDeviceError with SDL's text.
    void Ensure_Open();
    // Opens the device for a sound that is about to come, and keeps it open
    // for the silence time from now. Never throws: the sound itself reports
    // a device that cannot open.
    void Prepare();
    bool Is_Open() const { return open_; }
    // Signed 16-bit samples, interleaved; meaningful once opened.
    TOutput_Format Output_Format() const { return format_; }

    // For the players (GUI thread only).
    int Attach(TOutput_Sound_Player& player);
    void Detach(int channel);
    // A number not handed out before (never 0), so that a notice posted for an
    // earlier opening, or for an earlier player on the same channel, is known.
    std::uint32_t New_Generation();
    // Plays the channel's sound now, or right after the sounds already asked
    // for; its end is reported with `generation`.
    void Request_Play(int channel, std::span<const std::int16_t> sound, std::uint32_t generation);
    // The channel's sound is playing or waiting to play.
    bool Is_Sounding(int channel) const;
    // A sound is playing or waiting to play.
    bool Is_Sounding() const;
    // Halts the channel's sound and forgets its waiting request; silent.
    void Stop(int channel);
    // Delivers a completion notice to the channel's player through the GUI
    // thread's event queue, if the player is still on that generation.
    void Post_Notice(int channel, std::uint32_t generation);
    // Benchmarks: `tap` sees every buffer right after it is filled, on the
    // audio thread. Null removes it.
    void Set_Output_Tap(void (*tap)(void* argument, std::uint8_t* stream, int length), void* argument);

private:
    static void Fill_Buffer(void* device, std::uint8_t* stream, int length);
    static void On_Server_Lost(void* device);
    bool Open_Server_Output();
    void Open_Sdl_Output();
    void Replace_Lost_Output();
    void Discard_Queued_Sounds();
    void Deliver_Notice(int channel, std::uint32_t generation);
    void Close_Device();
    void Finish_Closing();
    void Close_When_Silent();
    void Start_Silence_Timer();

    std::unique_ptr<TNotice_Loop> own_loop_;
    TNotice_Loop& loop_;
    std::chrono::milliseconds close_after_silence_;
    // Work posted to the loop checks it, so none runs for an output that is gone.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
    bool open_ = false;
    // SDL is loaded while its device is open or closing, and only then.
    std::optional<TSdl_Use> sdl_;
    // SDL's PulseAudio output takes up to two seconds to close: its audio
    // thread sleeps until the server next asks for sound before it sees the
    // close; the server's own stream lets its last buffer play out. The clock
    // must not stand still meanwhile, so this thread closes the device and
    // the GUI thread carries on.
    std::thread closer_;
    std::uint32_t device_ = 0;
    // The sound server's stream, when it is the output.
    std::unique_ptr<TPulse_Output> server_;
    void (*output_tap_)(void*, std::uint8_t*, int) = nullptr;
    void* output_tap_argument_ = nullptr;
    std::uint32_t last_generation_ = 0;
    TOutput_Format format_;
    std::array<TOutput_Sound_Player*, Channel_Count> players_{};
    TVoice_Queue voices_;
};
