#pragma once
#include <cstdint>
#include <memory>
#include <string>

// The system's wave device (waveOut) in the voice's own format, so what is
// played is the --wav render sample for sample. A thread of its own keeps a
// few short buffers queued, waking on the device's event (CALLBACK_EVENT)
// each time one has played; silence is queued while no sound is asked for,
// so the joins between words never wait for a buffer.
//
// `fill` is asked for signed 16-bit sound, interleaved, into a buffer that
// is already silent, as the other outputs ask it.
class TWave_Out_Output {
public:
    using TFill = void (*)(void* argument, std::uint8_t* buffer, int length);
    // The device stopped taking sound (a write failed, or nothing has played
    // for two seconds); called once, on the output's thread. The output
    // plays nothing more and should be replaced.
    using TLost = void (*)(void* argument);

    static constexpr int Buffer_Count = 6;
    static constexpr int Buffer_Milliseconds = 5;

    // Opens the device and starts playing silence. Throws EMCIDeviceError
    // with the system's text when the device cannot be opened, or when it
    // does not answer (a sound server that has stopped); never returns null.
    static std::unique_ptr<TWave_Out_Output> Open(int frequency, int channels, TFill fill, TLost lost, void* argument,
                                                  std::string& why);
    // Lets what was filled play out, then closes the device.
    ~TWave_Out_Output();
    TWave_Out_Output(const TWave_Out_Output&) = delete;
    TWave_Out_Output& operator=(const TWave_Out_Output&) = delete;

    // `fill` is called no more once this returns; what it gave still plays.
    void Stop_Filling();
    // A sound was asked for after silence: the silence queued but not yet
    // played is dropped, so the sound starts as soon as the device can play
    // anything new rather than after the queued buffers.
    void Start_Now();
    // While locked, `fill` is not running and will not start.
    void Lock();
    void Unlock();

    struct TState;

private:
    explicit TWave_Out_Output(std::shared_ptr<TState> state);
    // Shared with the thread, which may outlive the object when the device
    // stops answering: it must never wait on a device that hangs.
    std::shared_ptr<TState> state_;
};
