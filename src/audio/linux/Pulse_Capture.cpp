#include "audio/linux/Pulse_Capture.h"

#include <sys/time.h>

#include <cstring>

#include "audio/linux/Pulse_Library.h"
#include "util/Horavox_Error.h"

namespace {

// Handed over in pieces this long: a meter that moves smoothly, and a take
// that ends soon after its silence has passed.
constexpr pa_usec_t Fragment_Usec = 10'000;
// A server answers a connection in milliseconds; one that has not in this
// time is taken to be stuck, as the output takes it.
constexpr int Answer_Limit_Seconds = 2;

const char* Advice = "Check that a microphone is plugged in, switched on and not taken by another program, "
                     "then press Record again.";

}  // namespace

std::unique_ptr<TSound_Capture> Open_Microphone(int frequency)
{
    return TPulse_Capture::Open(frequency);
}

TPulse_Capture::TPulse_Capture(const TPulse_Functions& pulse) : pulse_(pulse) {}

std::unique_ptr<TPulse_Capture> TPulse_Capture::Open(int frequency)
{
    const TPulse_Functions* pulse = Pulse_Library();
    if (pulse == nullptr)
        throw EHoravoxError(std::string("The microphone cannot be opened: the PulseAudio client library "
                                        "(libpulse.so.0) is not installed."));
    std::unique_ptr<TPulse_Capture> capture(new TPulse_Capture(*pulse));
    const std::string why = capture->Connect(frequency);
    if (!why.empty())
        throw EHoravoxError(why);
    return capture;
}

std::string TPulse_Capture::Connect(int frequency)
{
    mainloop_ = pulse_.Mainloop_New();
    if (mainloop_ == nullptr)
        return "The microphone cannot be opened: no PulseAudio main loop.";
    context_ = pulse_.Context_New(pulse_.Mainloop_Get_Api(mainloop_), "Horavox");
    if (context_ == nullptr)
        return "The microphone cannot be opened: no PulseAudio context.";
    pulse_.Context_Set_State_Callback(context_, On_Context_State, this);
    if (pulse_.Context_Connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        pulse_.Mainloop_Start(mainloop_) < 0)
        return std::string("No sound server answers, so no microphone can be opened (") +
               pulse_.Strerror(pulse_.Context_Errno(context_)) + "). " + Advice;
    pulse_.Mainloop_Lock(mainloop_);
    std::string why;
    const bool answered = Wait_Until([this] {
        const pa_context_state_t state = pulse_.Context_Get_State(context_);
        return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
    });
    if (!answered)
        why = "The sound server does not answer, so no microphone can be opened.";
    else if (pulse_.Context_Get_State(context_) != PA_CONTEXT_READY)
        why = std::string("No sound server answers, so no microphone can be opened (") +
              pulse_.Strerror(pulse_.Context_Errno(context_)) + "). " + Advice;
    if (why.empty()) {
        const pa_sample_spec spec{PA_SAMPLE_S16NE, static_cast<std::uint32_t>(frequency), 1};
        stream_ = pulse_.Stream_New(context_, "Recording a voice", &spec, nullptr);
        if (stream_ != nullptr) {
            pulse_.Stream_Set_State_Callback(stream_, On_Stream_State, this);
            pulse_.Stream_Set_Read_Callback(stream_, On_Read, this);
            pulse_.Stream_Set_Moved_Callback(stream_, On_Moved, this);
            pa_buffer_attr attributes{};
            attributes.maxlength = static_cast<std::uint32_t>(-1);
            attributes.tlength = static_cast<std::uint32_t>(-1);
            attributes.prebuf = static_cast<std::uint32_t>(-1);
            attributes.minreq = static_cast<std::uint32_t>(-1);
            attributes.fragsize = static_cast<std::uint32_t>(pulse_.Usec_To_Bytes(Fragment_Usec, &spec));
            if (pulse_.Stream_Connect_Record(stream_, nullptr, &attributes, PA_STREAM_ADJUST_LATENCY) == 0 &&
                Wait_Until([this] {
                    const pa_stream_state_t state = pulse_.Stream_Get_State(stream_);
                    return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state);
                }) &&
                pulse_.Stream_Get_State(stream_) == PA_STREAM_READY)
                recording_ = true;
        }
        if (!recording_)
            why = std::string("The microphone cannot be opened (") + pulse_.Strerror(pulse_.Context_Errno(context_)) +
                  "). " + Advice;
    }
    pulse_.Mainloop_Unlock(mainloop_);
    return why;
}

// With the main loop locked: a server that has stopped must not hold the dialog.
template <typename TDone>
bool TPulse_Capture::Wait_Until(TDone done)
{
    timeval deadline{};
    gettimeofday(&deadline, nullptr);
    deadline.tv_sec += Answer_Limit_Seconds;
    struct TDeadline {
        TPulse_Capture* Capture;
        bool Passed = false;
    } state{this};
    pa_mainloop_api* api = pulse_.Mainloop_Get_Api(mainloop_);
    pa_time_event* event = api->time_new(
        api, &deadline,
        [](pa_mainloop_api*, pa_time_event*, const timeval*, void* data) {
            auto& passed = *static_cast<TDeadline*>(data);
            passed.Passed = true;
            passed.Capture->pulse_.Mainloop_Signal(passed.Capture->mainloop_, 0);
        },
        &state);
    while (!done() && !state.Passed)
        pulse_.Mainloop_Wait(mainloop_);
    api->time_free(event);
    return done();
}

TPulse_Capture::~TPulse_Capture()
{
    Close();
}

void TPulse_Capture::Close()
{
    if (mainloop_ == nullptr)
        return;
    pulse_.Mainloop_Lock(mainloop_);
    if (stream_ != nullptr) {
        pulse_.Stream_Set_State_Callback(stream_, nullptr, nullptr);
        pulse_.Stream_Set_Read_Callback(stream_, nullptr, nullptr);
        pulse_.Stream_Set_Moved_Callback(stream_, nullptr, nullptr);
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

bool TPulse_Capture::Read(std::vector<std::int16_t>& samples)
{
    pulse_.Mainloop_Lock(mainloop_);
    samples.insert(samples.end(), arrived_.begin(), arrived_.end());
    arrived_.clear();
    const bool recording = recording_;
    pulse_.Mainloop_Unlock(mainloop_);
    return recording;
}

std::string TPulse_Capture::Failure() const
{
    pulse_.Mainloop_Lock(mainloop_);
    std::string failure = failure_;
    pulse_.Mainloop_Unlock(mainloop_);
    return failure;
}

// With the main loop locked.
void TPulse_Capture::Fail(const std::string& why)
{
    if (!recording_)
        return;
    recording_ = false;
    failure_ = "The microphone stopped (" + why + "). Every word saved so far is kept. " + Advice;
}

void TPulse_Capture::On_Read(pa_stream* stream, std::size_t, void* capture)
{
    auto& self = *static_cast<TPulse_Capture*>(capture);
    const void* data = nullptr;
    std::size_t length = 0;
    while (self.pulse_.Stream_Peek(stream, &data, &length) == 0 && length > 0) {
        // After a failure nothing more belongs to the take, least of all
        // sound from another source.
        if (!self.recording_) {
            self.pulse_.Stream_Drop(stream);
            continue;
        }
        const std::size_t count = length / sizeof(std::int16_t);
        const std::size_t at = self.arrived_.size();
        // A hole in the stream (the source was suspended) is heard as silence.
        self.arrived_.resize(at + count, 0);
        if (data != nullptr)
            std::memcpy(self.arrived_.data() + at, data, count * sizeof(std::int16_t));
        self.pulse_.Stream_Drop(stream);
    }
}

// The server moves the stream to another source when the microphone goes
// (unplugged, or its card taken away): another room, another level.
void TPulse_Capture::On_Moved(pa_stream*, void* capture)
{
    static_cast<TPulse_Capture*>(capture)->Fail("another source took its place");
}

void TPulse_Capture::On_Context_State(pa_context* context, void* capture)
{
    auto& self = *static_cast<TPulse_Capture*>(capture);
    self.pulse_.Mainloop_Signal(self.mainloop_, 0);
    if (!PA_CONTEXT_IS_GOOD(self.pulse_.Context_Get_State(context)))
        self.Fail(self.pulse_.Strerror(self.pulse_.Context_Errno(context)));
}

void TPulse_Capture::On_Stream_State(pa_stream* stream, void* capture)
{
    auto& self = *static_cast<TPulse_Capture*>(capture);
    self.pulse_.Mainloop_Signal(self.mainloop_, 0);
    if (!PA_STREAM_IS_GOOD(self.pulse_.Stream_Get_State(stream)))
        self.Fail(self.pulse_.Strerror(self.pulse_.Context_Errno(self.context_)));
}
