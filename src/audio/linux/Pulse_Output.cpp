#include "audio/linux/Pulse_Output.h"

#include <sys/time.h>

#include <cstring>

#include "engine/SoundPlayer.h"

#include "audio/linux/Pulse_Library.h"

namespace {

// The server keeps this much queued ahead of playing, and asks for more a
// quarter of it at a time. A new sound does not wait behind it (Start_Now),
// so it costs no delay; 20 ms ran dry on a busy machine, and the server then
// played gaps of silence inside the words.
constexpr pa_usec_t Target_Latency_Usec = 100'000;
constexpr pa_usec_t Request_Usec = 25'000;
// A server answers a connection or a drain in milliseconds; one that has not
// in this time is taken to be stuck.
constexpr int Answer_Limit_Seconds = 2;

}  // namespace

TPulse_Output::TPulse_Output(const TPulse_Functions& pulse, TFill fill, TLost lost, void* argument)
    : pulse_(pulse), fill_(fill), lost_(lost), argument_(argument)
{
}

std::unique_ptr<TPulse_Output> TPulse_Output::Open(int frequency, int channels, TFill fill, TLost lost,
                                                   void* argument, std::string& why)
{
    const TPulse_Functions* pulse = Pulse_Library();
    if (pulse == nullptr) {
        why = "the PulseAudio client library is not available";
        return nullptr;
    }
    std::unique_ptr<TPulse_Output> output(new TPulse_Output(*pulse, fill, lost, argument));
    switch (output->Connect(frequency, channels, why)) {
    case TConnected::Yes:
        return output;
    case TConnected::No:
        return nullptr;
    case TConnected::No_Answer:
        break;
    }
    // SDL's own client would wait on the same server for ever.
    throw EMCIDeviceError("The sound server does not answer");
}

TPulse_Output::TConnected TPulse_Output::Connect(int frequency, int channels, std::string& why)
{
    spec_ = pa_sample_spec{PA_SAMPLE_S16NE, static_cast<std::uint32_t>(frequency), static_cast<std::uint8_t>(channels)};
    mainloop_ = pulse_.Mainloop_New();
    if (mainloop_ == nullptr) {
        why = "no PulseAudio main loop";
        return TConnected::No;
    }
    context_ = pulse_.Context_New(pulse_.Mainloop_Get_Api(mainloop_), "Horavox");
    if (context_ == nullptr) {
        why = "no PulseAudio context";
        return TConnected::No;
    }
    pulse_.Context_Set_State_Callback(context_, On_Context_State, this);
    // Never start a server of our own: where none runs, SDL finds the device.
    if (pulse_.Context_Connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        pulse_.Mainloop_Start(mainloop_) < 0) {
        why = pulse_.Strerror(pulse_.Context_Errno(context_));
        return TConnected::No;
    }
    // The server's thread asks for the stream as soon as the connection is
    // ready (On_Context_State), so this thread waits once, for both.
    pulse_.Mainloop_Lock(mainloop_);
    const bool answered = Wait_Until([this] {
        if (!PA_CONTEXT_IS_GOOD(pulse_.Context_Get_State(context_)) || stream_failed_)
            return true;
        if (stream_ == nullptr)
            return false;
        const pa_stream_state_t state = pulse_.Stream_Get_State(stream_);
        return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state);
    });
    const bool ready = answered && stream_ != nullptr && pulse_.Stream_Get_State(stream_) == PA_STREAM_READY;
    if (ready) {
        target_bytes_ = pulse_.Stream_Get_Buffer_Attr(stream_)->tlength;
        playing_ = true;
    } else {
        why = pulse_.Strerror(pulse_.Context_Errno(context_));
    }
    pulse_.Mainloop_Unlock(mainloop_);
    return ready ? TConnected::Yes : answered ? TConnected::No : TConnected::No_Answer;
}

// On the server's thread, once the connection is ready.
void TPulse_Output::Connect_Stream()
{
    stream_ = pulse_.Stream_New(context_, "Announcement", &spec_, nullptr);
    if (stream_ == nullptr) {
        stream_failed_ = true;
        return;
    }
    pulse_.Stream_Set_State_Callback(stream_, On_Stream_State, this);
    pulse_.Stream_Set_Write_Callback(stream_, On_Write, this);
    pa_buffer_attr attributes{};
    attributes.maxlength = static_cast<std::uint32_t>(-1);
    attributes.tlength = static_cast<std::uint32_t>(pulse_.Usec_To_Bytes(Target_Latency_Usec, &spec_));
    attributes.prebuf = static_cast<std::uint32_t>(-1);
    attributes.minreq = static_cast<std::uint32_t>(pulse_.Usec_To_Bytes(Request_Usec, &spec_));
    attributes.fragsize = static_cast<std::uint32_t>(-1);
    if (pulse_.Stream_Connect_Playback(stream_, nullptr, &attributes, PA_STREAM_ADJUST_LATENCY, nullptr, nullptr) < 0)
        stream_failed_ = true;
}

// With the main loop locked. A server that has stopped (suspended, or
// hanging) must not stop the clock with it.
template <typename TDone>
bool TPulse_Output::Wait_Until(TDone done)
{
    timeval deadline{};
    gettimeofday(&deadline, nullptr);
    deadline.tv_sec += Answer_Limit_Seconds;
    struct TDeadline {
        TPulse_Output* Output;
        bool Passed = false;
    } state{this};
    pa_mainloop_api* api = pulse_.Mainloop_Get_Api(mainloop_);
    pa_time_event* event = api->time_new(
        api, &deadline,
        [](pa_mainloop_api*, pa_time_event*, const timeval*, void* data) {
            auto& passed = *static_cast<TDeadline*>(data);
            passed.Passed = true;
            passed.Output->pulse_.Mainloop_Signal(passed.Output->mainloop_, 0);
        },
        &state);
    while (!done() && !state.Passed)
        pulse_.Mainloop_Wait(mainloop_);
    api->time_free(event);
    return done();
}

TPulse_Output::~TPulse_Output()
{
    Close();
}

void TPulse_Output::Close()
{
    if (mainloop_ == nullptr)
        return;
    pulse_.Mainloop_Lock(mainloop_);
    filling_ = false;
    if (stream_ != nullptr && pulse_.Stream_Get_State(stream_) == PA_STREAM_READY) {
        pa_operation* drain = pulse_.Stream_Drain(
            stream_, [](pa_stream*, int, void* output) {
                auto& self = *static_cast<TPulse_Output*>(output);
                self.pulse_.Mainloop_Signal(self.mainloop_, 0);
            },
            this);
        // A stream that breaks off cancels the drain.
        if (drain != nullptr) {
            Wait_Until([this, drain] { return pulse_.Operation_Get_State(drain) != PA_OPERATION_RUNNING; });
            pulse_.Operation_Unref(drain);
        }
    }
    if (stream_ != nullptr) {
        pulse_.Stream_Set_State_Callback(stream_, nullptr, nullptr);
        pulse_.Stream_Set_Write_Callback(stream_, nullptr, nullptr);
        pulse_.Stream_Disconnect(stream_);
        pulse_.Stream_Unref(stream_);
    }
    if (context_ != nullptr) {
        pulse_.Context_Set_State_Callback(context_, nullptr, nullptr);
        pulse_.Context_Disconnect(context_);
        pulse_.Context_Unref(context_);
    }
    pulse_.Mainloop_Unlock(mainloop_);
    pulse_.Mainloop_Stop(mainloop_);
    pulse_.Mainloop_Free(mainloop_);
    mainloop_ = nullptr;
    stream_ = nullptr;
    context_ = nullptr;
}

void TPulse_Output::Stop_Filling()
{
    Lock();
    filling_ = false;
    Unlock();
}

void TPulse_Output::Lock()
{
    pulse_.Mainloop_Lock(mainloop_);
}

void TPulse_Output::Unlock()
{
    pulse_.Mainloop_Unlock(mainloop_);
}

void TPulse_Output::Start_Now()
{
    Lock();
    if (filling_ && pulse_.Stream_Get_State(stream_) == PA_STREAM_READY) {
        started_ = true;
        Fill_And_Write(target_bytes_, !Sound_Unplayed());
    }
    Unlock();
}

// With the main loop locked. Writing at the read position replaces what the
// server holds unplayed; later writes go on from the end of this one.
void TPulse_Output::Fill_And_Write(std::size_t length, bool replace_unplayed)
{
    while (length > 0) {
        void* data = nullptr;
        std::size_t size = length;
        if (pulse_.Stream_Begin_Write(stream_, &data, &size) < 0 || data == nullptr || size == 0)
            return;
        std::memset(data, 0, size);
        if (filling_)
            fill_(argument_, static_cast<std::uint8_t*>(data), static_cast<int>(size));
        Count_Trailing_Silence(static_cast<const std::uint8_t*>(data), size);
        if (pulse_.Stream_Write(stream_, data, size, nullptr, 0,
                                replace_unplayed ? PA_SEEK_RELATIVE_ON_READ : PA_SEEK_RELATIVE) < 0)
            return;
        replace_unplayed = false;
        length -= size;
    }
}

// The server asks for what it lacks of its target, so it holds at most the
// target less what it still asks for (it may have played some since). If
// that is more than the silence written after the last sound, the end of
// that sound may still be unplayed, and writing over it would cut it: the
// new sound then goes after what is queued, late by at most the queue.
bool TPulse_Output::Sound_Unplayed() const
{
    const std::size_t asked = pulse_.Stream_Writable_Size(stream_);
    const std::size_t held = target_bytes_ > asked ? target_bytes_ - asked : 0;
    return held > trailing_silence_bytes_;
}

void TPulse_Output::Count_Trailing_Silence(const std::uint8_t* data, std::size_t size)
{
    std::size_t silent = 0;
    while (silent < size && data[size - 1 - silent] == 0)
        ++silent;
    if (silent < size)
        trailing_silence_bytes_ = silent;
    else if (trailing_silence_bytes_ < Nothing_Sounded)
        trailing_silence_bytes_ += size;
}

void TPulse_Output::On_Write(pa_stream*, std::size_t length, void* output)
{
    auto& self = *static_cast<TPulse_Output*>(output);
    // Until the first sound the stream holds nothing, so the server starts
    // it with the sound itself, as it starts a player's stream, rather than
    // with silence that is already on its way when the sound is written over it.
    if (self.filling_ && self.started_)
        self.Fill_And_Write(length, false);
}

void TPulse_Output::On_Context_State(pa_context* context, void* output)
{
    auto& self = *static_cast<TPulse_Output*>(output);
    const pa_context_state_t state = self.pulse_.Context_Get_State(context);
    if (state == PA_CONTEXT_READY && self.stream_ == nullptr && !self.stream_failed_)
        self.Connect_Stream();
    // Only at what a waiting thread waits for: woken at every step of the
    // connection, it took the main loop's lock from this thread each time.
    if (!PA_CONTEXT_IS_GOOD(state) || self.stream_failed_)
        self.pulse_.Mainloop_Signal(self.mainloop_, 0);
    if (!PA_CONTEXT_IS_GOOD(state))
        self.Report_Lost();
}

void TPulse_Output::On_Stream_State(pa_stream* stream, void* output)
{
    auto& self = *static_cast<TPulse_Output*>(output);
    const pa_stream_state_t state = self.pulse_.Stream_Get_State(stream);
    if (state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state))
        self.pulse_.Mainloop_Signal(self.mainloop_, 0);
    if (!PA_STREAM_IS_GOOD(state))
        self.Report_Lost();
}

void TPulse_Output::Report_Lost()
{
    if (!playing_)
        return;
    playing_ = false;
    lost_(argument_);
}
