#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include <pulse/sample.h>

#include "audio/Output_Device.h"

struct TPulse_Functions;
struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;

// A playback stream on the sound server's own API, where a PulseAudio or
// PipeWire server answers: one connection, a buffer that a new sound does
// not wait behind, and a close that waits for the sound still to be heard
// and no longer. SDL's output on the same server connects twice and takes
// up to two seconds to close.
//
// The server's thread asks `fill` for signed 16-bit sound, interleaved, into
// a buffer that is already silent, as SDL's callback is asked.
class TPulse_Output final : public TOutput_Device {
public:

    // Connects and starts playing; null, with the reason in `why`, when there
    // is no server, so the caller can use another output. Throws
    // EMCIDeviceError when a server is there but does not answer.
    static std::unique_ptr<TPulse_Output> Open(int frequency, int channels, TFill fill, TLost lost, void* argument,
                                               std::string& why);
    ~TPulse_Output() override;
    TPulse_Output(const TPulse_Output&) = delete;
    TPulse_Output& operator=(const TPulse_Output&) = delete;

    void Stop_Filling() override;
    // The silence already sent but not yet played is filled again, so the
    // sound starts as soon as the server can play anything new rather than
    // after the buffer.
    void Start_Now() override;
    void Lock() override;
    void Unlock() override;
    // Lets what was filled play out, then disconnects; a server that does
    // not answer is given up after a time limit.
    void Close() override;

private:
    TPulse_Output(const TPulse_Functions& pulse, TFill fill, TLost lost, void* argument);
    enum class TConnected { Yes, No, No_Answer };
    TConnected Connect(int frequency, int channels, std::string& why);
    void Connect_Stream();
    // With the main loop locked: waits for `done`, or for a time limit.
    template <typename TDone>
    bool Wait_Until(TDone done);
    void Fill_And_Write(std::size_t length, bool replace_unplayed);
    bool Sound_Unplayed() const;
    void Count_Trailing_Silence(const std::uint8_t* data, std::size_t size);
    void Report_Lost();
    static void On_Context_State(pa_context* context, void* output);
    static void On_Stream_State(pa_stream* stream, void* output);
    static void On_Write(pa_stream* stream, std::size_t length, void* output);

    const TPulse_Functions& pulse_;
    TFill fill_;
    TLost lost_;
    void* argument_;
    pa_threaded_mainloop* mainloop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    pa_sample_spec spec_{};
    // The server refused the stream.
    bool stream_failed_ = false;
    bool filling_ = true;
    // Connected and playing; a break after this is reported, once.
    bool playing_ = false;
    // A sound has been started on the stream; silence is written from then on.
    bool started_ = false;
    // What the server keeps queued ahead of playing, in bytes.
    std::size_t target_bytes_ = 0;
    // Silence written since the last sound, in bytes; counted no further
    // than any queue, and from there before the first sound.
    static constexpr std::size_t Nothing_Sounded = std::size_t{1} << 30;
    std::size_t trailing_silence_bytes_ = Nothing_Sounded;
};
