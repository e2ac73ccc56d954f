#include "audio/windows/Wave_Out_Output.h"

#include <windows.h>
// After windows.h, which it needs; WIN32_LEAN_AND_MEAN leaves it out of it.
#include <mmsystem.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/SoundPlayer.h"

namespace {

// A device answers an open in milliseconds, and plays a buffer in ten; one
// that has not in these times is taken to be stuck. Opening is given longer:
// the first open of a run loads the system's sound drivers.
constexpr DWORD Open_Limit_Ms = 5000;
constexpr ULONGLONG Progress_Limit_Ms = 2000;
// How often the thread looks at the time while the device is silent about it.
constexpr DWORD Watch_Interval_Ms = 100;

std::atomic<bool> Left_Hanging{false};

std::string Device_Text(MMRESULT result)
{
    std::array<wchar_t, MAXERRORLENGTH> text{};
    if (waveOutGetErrorTextW(result, text.data(), static_cast<UINT>(text.size())) != MMSYSERR_NOERROR)
        return "Unknown error code";
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1)
        return "Unknown error code";
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), -1, narrow.data(), length, nullptr, nullptr);
    narrow.pop_back();
    return narrow;
}

struct THandle {
    explicit THandle(HANDLE handle) : Value(handle) {}
    ~THandle() { CloseHandle(Value); }
    THandle(const THandle&) = delete;
    THandle& operator=(const THandle&) = delete;
    HANDLE Value;
};

}  // namespace

struct TWave_Out_Output::TState {
    TState(int frequency_, int channels_, TFill fill_, TLost lost_, void* argument_)
        : frequency(frequency_), channels(channels_), fill(fill_), lost(lost_), argument(argument_)
    {
    }

    const int frequency;
    const int channels;
    const TFill fill;
    const TLost lost;
    void* const argument;

    // Held while `fill` or `lost` runs: with both flags cleared under it,
    // neither is called again, so the owner may go.
    std::mutex fill_lock;
    bool filling = true;
    bool reporting = true;

    // The device's CALLBACK_EVENT, also set to pass on a request.
    THandle wake{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    // Set once the open is answered, and once the thread is done.
    THandle opened{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    THandle finished{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<bool> start_now{false};
    std::atomic<bool> quit{false};
    // The device stopped playing what it was given (read by Hangs).
    std::atomic<bool> hangs{false};
    MMRESULT open_result = MMSYSERR_ERROR;
    std::thread thread;

    void Run();
    bool Fill(std::vector<std::uint8_t>& buffer);
    void Report_Lost();
};

// Fills one buffer; false once filling has stopped.
bool TWave_Out_Output::TState::Fill(std::vector<std::uint8_t>& buffer)
{
    const std::lock_guard<std::mutex> guard(fill_lock);
    if (!filling)
        return false;
    std::fill(buffer.begin(), buffer.end(), std::uint8_t{0});
    fill(argument, buffer.data(), static_cast<int>(buffer.size()));
    return true;
}

void TWave_Out_Output::TState::Report_Lost()
{
    const std::lock_guard<std::mutex> guard(fill_lock);
    if (!reporting)
        return;
    reporting = false;
    filling = false;
    lost(argument);
}

// The output's thread: it alone speaks to the device after the open.
void TWave_Out_Output::TState::Run()
{
    // Late by more than the queue, it is heard as a gap.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(channels);
    format.nSamplesPerSec = static_cast<DWORD>(frequency);
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(2 * channels);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    HWAVEOUT device = nullptr;
    open_result = waveOutOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(wake.Value), 0,
                              CALLBACK_EVENT);
    SetEvent(opened.Value);
    if (open_result != MMSYSERR_NOERROR) {
        SetEvent(finished.Value);
        return;
    }

    struct TBuffer {
        std::vector<std::uint8_t> Bytes;
        WAVEHDR Header{};
        bool Queued = false;
        bool Sounding = false;
    };
    // On the heap: a device that stops answering keeps them (see the end).
    auto buffers = std::make_unique<std::array<TBuffer, Buffer_Count>>();
    const auto frames = static_cast<std::size_t>(std::max(1, frequency * Buffer_Milliseconds / 1000));
    bool broken = false;
    for (TBuffer& buffer : *buffers) {
        buffer.Bytes.resize(frames * format.nBlockAlign);
        buffer.Header.lpData = reinterpret_cast<LPSTR>(buffer.Bytes.data());
        buffer.Header.dwBufferLength = static_cast<DWORD>(buffer.Bytes.size());
        broken = broken || waveOutPrepareHeader(device, &buffer.Header, sizeof buffer.Header) != MMSYSERR_NOERROR;
    }
    // The device stopped playing what it was given.
    bool stuck = false;
    // Silence after the last sound, once filling has stopped: a device that
    // runs dry stops, and Wine's then drops what the sound server still
    // holds, which was the end of the last word.
    int trailing_left = Trailing_Silence_Buffers;
    ULONGLONG last_progress = GetTickCount64();
    while (true) {
        if (broken)
            Report_Lost();
        WaitForSingleObject(wake.Value, Watch_Interval_Ms);
        const ULONGLONG now = GetTickCount64();
        bool any_queued = false;
        for (TBuffer& buffer : *buffers) {
            if (buffer.Queued && (buffer.Header.dwFlags & WHDR_DONE) != 0) {
                buffer.Queued = false;
                last_progress = now;
            }
            any_queued = any_queued || buffer.Queued;
        }
        if (any_queued && now - last_progress > Progress_Limit_Ms) {
            broken = stuck = true;
            hangs = true;
        }
        if (quit && ((!any_queued && trailing_left == 0) || broken))
            break;
        if (broken)
            continue;
        // Only silence may be dropped: a sound already queued (the end of
        // the last one, or the start of this one) plays on.
        if (start_now.exchange(false) && !quit &&
            std::none_of(buffers->begin(), buffers->end(),
                         [](const TBuffer& buffer) { return buffer.Queued && buffer.Sounding; })) {
            waveOutReset(device);
            for (TBuffer& buffer : *buffers)
                buffer.Queued = false;
            any_queued = false;
        }
        // A device with nothing queued starts on the first buffer written:
        // held until all are, it does not run dry after that one.
        bool paused = false;
        for (TBuffer& buffer : *buffers) {
            if (buffer.Queued)
                continue;
            if (!Fill(buffer.Bytes)) {
                if (trailing_left == 0)
                    break;
                std::fill(buffer.Bytes.begin(), buffer.Bytes.end(), std::uint8_t{0});
                --trailing_left;
            }
            buffer.Sounding =
                std::any_of(buffer.Bytes.begin(), buffer.Bytes.end(), [](std::uint8_t byte) { return byte != 0; });
            if (!any_queued && !paused)
                paused = waveOutPause(device) == MMSYSERR_NOERROR;
            if (waveOutWrite(device, &buffer.Header, sizeof buffer.Header) != MMSYSERR_NOERROR) {
                broken = true;
                break;
            }
            buffer.Queued = any_queued = true;
        }
        if (paused) {
            waveOutRestart(device);
            last_progress = now;
        }
    }
    // A stuck device (a sound server that has stopped) would hang a reset or
    // a close, and may still read the buffers: both are left to it.
    if (stuck) {
        Left_Hanging = true;
        static_cast<void>(buffers.release());
    } else {
        waveOutReset(device);
        for (TBuffer& buffer : *buffers)
            waveOutUnprepareHeader(device, &buffer.Header, sizeof buffer.Header);
        waveOutClose(device);
    }
    SetEvent(finished.Value);
}

TWave_Out_Output::TWave_Out_Output(std::shared_ptr<TState> state) : state_(std::move(state)) {}

std::unique_ptr<TWave_Out_Output> TWave_Out_Output::Open(int frequency, int channels, TFill fill, TLost lost,
                                                         void* argument, std::string& why)
{
    auto state = std::make_shared<TState>(frequency, channels, fill, lost, argument);
    if (state->wake.Value == nullptr || state->opened.Value == nullptr || state->finished.Value == nullptr)
        throw EMCIDeviceError(Device_Text(MMSYSERR_NOMEM));
    state->thread = std::thread([state] { state->Run(); });
    if (WaitForSingleObject(state->opened.Value, Open_Limit_Ms) != WAIT_OBJECT_0) {
        // Left to finish on its own, if it ever does.
        {
            const std::lock_guard<std::mutex> guard(state->fill_lock);
            state->filling = state->reporting = false;
        }
        state->quit = true;
        state->thread.detach();
        Left_Hanging = true;
        why = "The sound device does not answer";
        throw EMCIDeviceError(why);
    }
    if (state->open_result != MMSYSERR_NOERROR) {
        state->thread.join();
        why = Device_Text(state->open_result);
        throw EMCIDeviceError(why);
    }
    return std::unique_ptr<TWave_Out_Output>(new TWave_Out_Output(std::move(state)));
}

TWave_Out_Output::~TWave_Out_Output()
{
    Close();
}

void TWave_Out_Output::Close()
{
    if (!state_->thread.joinable())
        return;
    {
        const std::lock_guard<std::mutex> guard(state_->fill_lock);
        state_->filling = state_->reporting = false;
    }
    state_->quit = true;
    SetEvent(state_->wake.Value);
    // What was queued is a few buffers long.
    if (WaitForSingleObject(state_->finished.Value, static_cast<DWORD>(Progress_Limit_Ms) + 1000) == WAIT_OBJECT_0) {
        state_->thread.join();
    } else {
        Left_Hanging = true;
        state_->thread.detach();
    }
}

bool TWave_Out_Output::Hangs() const
{
    return state_->hangs;
}

bool TWave_Out_Output::Any_Left_Hanging()
{
    return Left_Hanging;
}

void TWave_Out_Output::Stop_Filling()
{
    const std::lock_guard<std::mutex> guard(state_->fill_lock);
    state_->filling = false;
}

void TWave_Out_Output::Start_Now()
{
    state_->start_now = true;
    SetEvent(state_->wake.Value);
}

void TWave_Out_Output::Lock()
{
    state_->fill_lock.lock();
}

void TWave_Out_Output::Unlock()
{
    state_->fill_lock.unlock();
}
