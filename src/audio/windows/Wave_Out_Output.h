#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "audio/Output_Device.h"

// The system's wave device (waveOut) in the voice's own format, so what is
// played is the --wav render sample for sample. A thread of its own keeps a
// few short buffers queued, waking on the device's event (CALLBACK_EVENT)
// each time one has played; silence is queued while no sound is asked for,
// so the joins between words never wait for a buffer.
//
// The device is reported lost when a write fails or nothing has played for
// two seconds (a sound server that went away or stopped).
class TWave_Out_Output final : public TOutput_Device {
public:
    // 80 ms queued in all. A first sound does not wait behind it (Start_Now),
    // so the cost is only how long a halted sound runs on; in return a busy
    // machine may keep the thread from waking for 70 ms before a gap is
    // heard (Wine marks buffers played once per 10 ms period, no sooner).
    static constexpr int Buffer_Count = 8;
    static constexpr int Buffer_Milliseconds = 10;
    // Played after the last sound before the device closes (100 ms): the
    // sound server holds the end of the sound after the device is done with it.
    static constexpr int Trailing_Silence_Buffers = 10;

    // Opens the device and starts playing silence. Throws EMCIDeviceError
    // with the system's text when the device cannot be opened, or when it
    // does not answer (a sound server that has stopped); never returns null.
    static std::unique_ptr<TWave_Out_Output> Open(int frequency, int channels, TFill fill, TLost lost, void* argument,
                                                  std::string& why);
    // Closes first if Close was not called.
    ~TWave_Out_Output() override;
    TWave_Out_Output(const TWave_Out_Output&) = delete;
    TWave_Out_Output& operator=(const TWave_Out_Output&) = delete;

    void Stop_Filling() override;
    // The silence queued but not yet played is dropped, so the sound starts
    // as soon as the device can play anything new rather than after it.
    void Start_Now() override;
    void Lock() override;
    void Unlock() override;
    // A device that plays nothing more is given up after the progress
    // limit, and one that hangs is left to its thread.
    void Close() override;
    bool Hangs() const override;

    // A device has been left to its thread in this process: one that did
    // not answer its opening or its closing, or that stopped playing.
    static bool Any_Left_Hanging();

    struct TState;

private:
    explicit TWave_Out_Output(std::shared_ptr<TState> state);
    // Shared with the thread, which may outlive the object when the device
    // stops answering: it must never wait on a device that hangs.
    std::shared_ptr<TState> state_;
};
