#pragma once
#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <thread>

#include "audio/Notice_Loop.h"
#include "audio/Output_Device.h"
#include "audio/Voice_Queue.h"

// The program's one sound output, shared by every sound player, on the
// system's device (Open_Output_Device). It is opened when a player first needs it, closed again once it has been
// silent for a while (an open device mixes silence all the time and keeps
// the sound server busy between announcements), opened again by the next
// sound, and closed for good when the object goes, which must be after every
// player attached to it. Only one may be open at a time. It runs in one
// format, chosen at the first opening, so sounds decoded under one opening
// play unchanged under the next.
//
// The device's buffers are filled by a voice queue of our own. Each attached
// player owns one voice of it for its whole life, so a voice number names a
// player without any lookup on the audio thread, and the voice's end comes
// back to the player through the callback it attached with. No mixer library: one
// would load a dozen codec libraries at every start for nothing but WAV
// files.
//
// The device speaks with one voice: a sound asked to play while another is
// sounding waits for it, in the order of the requests, and starts on the very
// frame after it. The announcement's chain of notices starts the next word
// while the current one still sounds (a request on a playing slot is answered
// at once), so the next word is already waiting when the current one ends.
// Raised when the device breaks off in the middle of a sound and no other
// opens in its place; the file of the sound cut off follows it.
inline constexpr char Sound_Lost_Text[] = "The sound stopped playing: the sound device was lost";

class TSound_Output {
public:
    // Enough for the seven slots, the shareability probe and a few more.
    static constexpr int Voice_Count = TVoice_Queue::Voice_Count;
    // A voice's sound ended, or was superseded, under `generation`.
    using TNotice = std::function<void(std::uint32_t generation)>;

    static constexpr std::chrono::milliseconds Default_Close_After_Silence{10'000};

    // Notices and the silence timer on the Qt event loop of this thread.
    explicit TSound_Output(std::chrono::milliseconds close_after_silence = Default_Close_After_Silence);
    // The same on `loop`, which must outlive the output.
    explicit TSound_Output(TNotice_Loop& loop,
                           std::chrono::milliseconds close_after_silence = Default_Close_After_Silence);
    ~TSound_Output();
    TSound_Output(const TSound_Output&) = delete;
    TSound_Output& operator=(const TSound_Output&) = delete;

    // Opens the device unless it is open; throws EMCIDeviceError with the system's text.
    // A sound asked for after this opens the device again even if it was lost.
    void Ensure_Open();
    // Opens the device for a sound that is about to come, and keeps it open
    // for the silence time from now. Never throws: the sound itself reports
    // a device that cannot open.
    void Prepare();
    bool Is_Open() const { return device_ != nullptr; }
    // Signed 16-bit samples, interleaved; meaningful once opened.
    TOutput_Format Output_Format() const { return format_; }

    // For the players (GUI thread only). A voice of its own for each, whose
    // notices `on_notice` receives on the GUI thread.
    int Attach(TNotice on_notice);
    void Detach(int voice);
    // A number not handed out before (never 0), so that a notice posted for an
    // earlier opening, or for an earlier player on the same voice, is known.
    std::uint32_t New_Generation();
    // Plays the voice's sound now, or right after the sounds already asked
    // for; its end is reported with `generation`. `file_name` names the sound
    // in an error. Once a lost device could not be replaced, the sounds asked
    // for are reported as played at once until the next Ensure_Open: the rest
    // of an announcement cut off is not tried on a device that is gone.
    void Request_Play(int voice, std::span<const std::int16_t> sound, std::uint32_t generation,
                      const std::string& file_name);
    // The voice's sound is playing or waiting to play.
    bool Is_Sounding(int voice) const;
    // A sound is playing or waiting to play.
    bool Is_Sounding() const;
    // Halts the voice's sound and forgets its waiting request; silent.
    void Stop(int voice);
    // Delivers a completion notice to the voice's player through the GUI
    // thread's event queue.
    void Post_Notice(int voice, std::uint32_t generation);
    // Benchmarks: `tap` sees every buffer right after it is filled, on the
    // audio thread. Null removes it.
    void Set_Output_Tap(void (*tap)(void* argument, std::uint8_t* stream, int length), void* argument);

private:
    static void Fill_Buffer(void* output, std::uint8_t* stream, int length);
    static void On_Device_Lost(void* output);
    void Open_If_Closed();
    void Replace_Lost_Device();
    // The voice of the sound that was playing, or -1.
    int Discard_Queued_Sounds();
    void Deliver_Notice(int voice, std::uint32_t generation);
    void Close_Device();
    void Finish_Closing();
    void Close_When_Silent();
    void Start_Silence_Timer();

    std::unique_ptr<TNotice_Loop> own_loop_;
    TNotice_Loop& loop_;
    std::chrono::milliseconds close_after_silence_;
    // Work posted to the loop checks it, so none runs for an output that is gone.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
    std::unique_ptr<TOutput_Device> device_;
    // A device lets its last sound play out before it closes, which can take
    // up to two seconds. The clock must not stand still meanwhile, so this
    // thread closes it and the GUI thread carries on; the device itself is
    // released on the GUI thread once that is done.
    std::thread closer_;
    std::unique_ptr<TOutput_Device> closing_device_;
    void (*output_tap_)(void*, std::uint8_t*, int) = nullptr;
    void* output_tap_argument_ = nullptr;
    std::uint32_t last_generation_ = 0;
    TOutput_Format format_;
    // A device broke off and none opened in its place.
    bool lost_ = false;
    std::array<TNotice, Voice_Count> listeners_{};
    std::array<std::string, Voice_Count> file_names_{};
    TVoice_Queue voices_;
};
